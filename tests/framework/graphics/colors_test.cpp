// Colours and character sets: resolving system colours, and names in a form
// definition read through the integer-constant registry.
#include <gtest/gtest.h>

#include <platform/windows.h>

#include "framework/graphics/colors.h"
#include "framework/graphics/graphics_objects.h"
#include "framework/streaming/class_registry.h"
#include "framework/streaming/component.h"
#include "framework/streaming/form_loading.h"
#include "tests/framework/streaming/form_bytes.h"

namespace {

// A component with a colour and a font, as a form definition sets them.
class TSwatch : public TComponent {
  TAVRION_CLASS(TSwatch, TComponent)

 public:
  explicit TSwatch(TComponent* owner) : TComponent(owner) {}
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value) { font_->Assign(value); }
  TColor color = clBlack;

 private:
  std::unique_ptr<TFont, FreeDeleter> font_{Construct<TFont>()};
};

}  // namespace

TAVRION_CLASS_INFO(TSwatch, "GraphicsTests") {
  c.Property<&TSwatch::color, &TSwatch::color, TColorProp>("Color");
  c.Property<&TSwatch::Font, &TSwatch::SetFont>("Font");
}

namespace {

TEST(Colors, ResolveLooksUpSystemColoursOnly) {
  const struct {
    TColor color;
    COLORREF expected;
  } cases[] = {
      {clBtnFace, GetSysColor(COLOR_BTNFACE)},
      {clWindowText, GetSysColor(COLOR_WINDOWTEXT)},
      {clInfoBk, GetSysColor(COLOR_INFOBK)},
      {clNone, 0x1FFFFFFF},
      {clGreen, 0x00008000},
      {0x00E2E8E8, 0x00E2E8E8},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveColor(c.color), c.expected) << std::hex << c.color;
}

TEST(Colors, AFormDefinitionNamesColoursAndCharacterSets) {
  FormBytes bytes;
  bytes.Signature().Component("TSwatch", "Swatch1");
  bytes.Prop("Color").Ident("CLBTNFACE");  // letters folded
  bytes.Prop("Font.Charset").Ident("RUSSIAN_CHARSET");
  bytes.Prop("Font.Color").Ident("clInfoBk");
  bytes.End().End();
  TMemoryStream stream = bytes.Stream();
  std::unique_ptr<TSwatch, FreeDeleter> swatch(Construct<TSwatch>(nullptr));
  ReadComponent(stream, swatch.get());

  EXPECT_EQ(swatch->color, static_cast<TColor>(0x8000000F));
  EXPECT_EQ(swatch->Font()->Charset(), 204);
  EXPECT_EQ(swatch->Font()->Color(), static_cast<TColor>(0x80000018));
  std::int32_t value = 0;
  EXPECT_FALSE(IdentToColor("clFace", value));
  EXPECT_FALSE(IdentToCharset("RUSSIAN", value));
}

}  // namespace
