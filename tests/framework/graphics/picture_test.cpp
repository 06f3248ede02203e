// Pictures keep a copy of the graphic they are given, and pass on its changes.
#include <gtest/gtest.h>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/picture.h"
#include "tests/support/class_infos.h"
#include "tests/support/fw_objects.h"

namespace {

TEST(Picture, GraphicSetterKeepsACopyAndTellsOfTheChange) {
  const auto picture = Make<TPicture>();
  EventCounter changes;
  picture->OnChange = MethodOf<&EventCounter::Count>(&changes);

  auto bitmap = Make<TBitmap>();
  bitmap->SetSize(485, 89);
  picture->SetGraphic(bitmap.get());
  auto* kept = dynamic_cast<TBitmap*>(picture->Graphic());
  ASSERT_NE(kept, nullptr);
  EXPECT_NE(kept, bitmap.get());
  EXPECT_EQ(kept->Handle(), bitmap->Handle());  // sharing the image
  EXPECT_EQ(picture->Width(), 485);
  EXPECT_EQ(picture->Height(), 89);
  EXPECT_EQ(changes.count, 1);

  bitmap.reset();  // the picture's copy lives on
  kept->Canvas()->FillRect({0, 0, 485, 89});
  EXPECT_EQ(changes.count, 2);  // the graphic's change is the picture's

  picture->SetGraphic(nullptr);
  EXPECT_EQ(picture->Graphic(), nullptr);
  EXPECT_EQ(picture->Width(), 0);
  EXPECT_EQ(changes.count, 3);
}

TEST(Picture, AssignTakesAnotherPicturesGraphic) {
  const auto from = Make<TPicture>();
  const auto to = Make<TPicture>();
  const auto bitmap = Make<TBitmap>();
  bitmap->SetSize(3, 4);
  from->SetGraphic(bitmap.get());
  to->Assign(from.get());
  ASSERT_NE(to->Graphic(), nullptr);
  EXPECT_NE(to->Graphic(), from->Graphic());
  EXPECT_EQ(to->Height(), 4);
}

TEST(GraphicsClasses, EveryClassInfoBuilds) {
  ExpectEveryClassInfoBuilds();
}

}  // namespace
