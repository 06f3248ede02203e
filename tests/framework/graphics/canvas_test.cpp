// The canvas: which operations need which parts selected and which tell of
// a change, objects selected only when an operation needs them, a canvas
// without a context, the pen position across contexts, the locks and a
// change of the system colours.
#include <gtest/gtest.h>

#include <functional>

#include <platform/text.h>

#include "framework/graphics/canvas.h"
#include "tests/platform/gdi/canvas.h"
#include "tests/support/fw_objects.h"

namespace {

struct Notices : TObject {
  int changing = 0;
  int changed = 0;
  void Changing(TObject*) { ++changing; }
  void Changed(TObject*) { ++changed; }
};

class CanvasTest : public testing::Test {
 protected:
  CanvasTest() {
    canvas->OnChanging = MethodOf<&Notices::Changing>(&notices);
    canvas->OnChange = MethodOf<&Notices::Changed>(&notices);
  }
  HGDIOBJ Selected(UINT type) const { return GetCurrentObject(surface.dc(), type); }

  Canvas surface{16, 8};
  Owned<TCanvas> canvas = Make<TCanvas>();
  Notices notices;
};

TEST_F(CanvasTest, OperationsSelectWhatTheyNeedAndTellOfDrawing) {
  const RECT all{0, 0, 16, 8};
  const struct {
    const char* what;
    std::function<void(TCanvas&)> run;
    TCanvasState state;
    int changing, changed;
  } cases[] = {
      {"MoveTo", [](TCanvas& c) { c.MoveTo(1, 1); }, csHandleValid, 0, 0},
      {"Pixel", [](TCanvas& c) { c.Pixel(1, 1); }, csHandleValid, 0, 0},
      {"TextExtent", [](TCanvas& c) { c.TextExtent("x"); }, csHandleValid | csFontValid, 0, 0},
      {"LineTo", [](TCanvas& c) { c.LineTo(3, 3); }, csHandleValid | csPenValid | csBrushValid, 1,
       1},
      {"FillRect", [&](TCanvas& c) { c.FillRect(all); }, csHandleValid | csBrushValid, 1, 1},
      {"FrameRect", [&](TCanvas& c) { c.FrameRect(all); }, csHandleValid | csBrushValid, 1, 1},
      {"Rectangle", [](TCanvas& c) { c.Rectangle(0, 0, 4, 4); },
       csHandleValid | csPenValid | csBrushValid, 1, 1},
      {"SetPixel", [](TCanvas& c) { c.SetPixel(1, 1, clRed); }, csHandleValid | csPenValid, 1, 1},
      {"Handle", [](TCanvas& c) { c.Handle(); }, csAllValid, 1, 0},
  };
  for (const auto& c : cases) {
    canvas->SetHandle(surface.dc());
    notices.changing = notices.changed = 0;
    c.run(*canvas);
    EXPECT_EQ(canvas->State(), c.state) << c.what;
    EXPECT_EQ(notices.changing, c.changing) << c.what;
    EXPECT_EQ(notices.changed, c.changed) << c.what;
    canvas->SetHandle(nullptr);
    EXPECT_TRUE(canvas->State().Empty()) << c.what;
    EXPECT_EQ(Selected(OBJ_PEN), GetStockObject(BLACK_PEN)) << c.what;
  }
}

TEST_F(CanvasTest, WithoutAContextNothingDraws) {
  const std::function<void()> operations[] = {
      [&] { canvas->Handle(); },     [&] { canvas->MoveTo(1, 1); },
      [&] { canvas->LineTo(1, 1); }, [&] { canvas->FillRect({0, 0, 1, 1}); },
      [&] { canvas->Pixel(0, 0); },  [&] { canvas->TextExtent("x"); },
  };
  for (const auto& operation : operations) {
    EXPECT_EQ(RaisedMessage<EInvalidOperation>(operation), "Canvas does not allow drawing");
  }
}

TEST_F(CanvasTest, AChangedPenIsSelectedByTheNextLineNotByAMove) {
  canvas->SetHandle(surface.dc());
  canvas->LineTo(5, 0);
  EXPECT_EQ(Selected(OBJ_PEN), canvas->Pen()->Handle());

  canvas->Pen()->SetColor(clBlack);  // its current value: stays selected
  EXPECT_EQ(Selected(OBJ_PEN), canvas->Pen()->Handle());
  EXPECT_TRUE(canvas->State().Has(csPenValid));

  canvas->Pen()->SetColor(clGreen);
  EXPECT_EQ(Selected(OBJ_PEN), GetStockObject(BLACK_PEN));
  canvas->MoveTo(0, 2);
  EXPECT_EQ(Selected(OBJ_PEN), GetStockObject(BLACK_PEN));
  canvas->LineTo(5, 2);
  EXPECT_EQ(Selected(OBJ_PEN), canvas->Pen()->Handle());
  // The line went from the move's point with the new pen, its end left out.
  EXPECT_EQ(surface.At(0, 2), COLORREF{clGreen});
  EXPECT_EQ(surface.At(4, 2), COLORREF{clGreen});
  EXPECT_EQ(surface.At(5, 2), 0xFFFFFFu);
}

TEST_F(CanvasTest, DrawsWithItsBrushAndPen) {
  canvas->SetHandle(surface.dc());
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect({0, 0, 16, 8});
  EXPECT_EQ(surface.At(15, 7), GetSysColor(COLOR_BTNFACE));
  canvas->Pen()->SetColor(clRed);
  canvas->Brush()->SetColor(clYellow);
  canvas->Rectangle(8, 0, 12, 4);
  EXPECT_EQ(surface.At(8, 0), COLORREF{clRed});
  EXPECT_EQ(surface.At(9, 1), COLORREF{clYellow});
}

TEST_F(CanvasTest, ThePenPositionCarriesOverToTheNextContext) {
  Canvas other(4, 4);
  canvas->SetHandle(surface.dc());
  canvas->MoveTo(5, 6);
  canvas->SetHandle(nullptr);
  canvas->SetHandle(other.dc());
  EXPECT_EQ(canvas->PenPos().x, 5);
  EXPECT_EQ(canvas->PenPos().y, 6);
  canvas->SetHandle(nullptr);
}

TEST_F(CanvasTest, TryLockSucceedsOnlyWhenNobodyHoldsTheLock) {
  EXPECT_TRUE(canvas->TryLock());
  EXPECT_EQ(canvas->LockCount(), 1);
  EXPECT_FALSE(canvas->TryLock());
  canvas->Lock();
  EXPECT_EQ(canvas->LockCount(), 2);
  canvas->Unlock();
  canvas->Unlock();
  EXPECT_EQ(canvas->LockCount(), 0);
  EXPECT_TRUE(canvas->TryLock());
  canvas->Unlock();
}

TEST_F(CanvasTest, SystemColourChangeRemakesOnlySystemColouredPensAndBrushes) {
  canvas->SetHandle(surface.dc());
  canvas->Pen()->SetColor(clBtnShadow);
  canvas->LineTo(1, 1);
  Owned<TPen> plain_pen = Make<TPen>();
  plain_pen->SetColor(clRed);
  Owned<TBrush> system_brush = Make<TBrush>();
  system_brush->SetColor(clWindow);
  Owned<TBrush> plain_brush = Make<TBrush>();
  plain_brush->SetColor(clLime);
  const struct {
    const char* what;
    std::function<HGDIOBJ()> handle;
    bool remade;
  } cases[] = {
      {"system pen", [&] { return canvas->Pen()->Handle(); }, true},
      {"plain pen", [&] { return plain_pen->Handle(); }, false},
      {"system brush", [&] { return system_brush->Handle(); }, true},
      {"plain brush", [&] { return plain_brush->Handle(); }, false},
  };
  std::vector<HGDIOBJ> before;
  for (const auto& c : cases) before.push_back(c.handle());

  SysColorChanged();
  EXPECT_EQ(canvas->State(), csHandleValid);  // the canvas let go of its objects
  EXPECT_EQ(Selected(OBJ_PEN), GetStockObject(BLACK_PEN));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(GetObjectType(before[i]) == 0, cases[i].remade) << cases[i].what;
    EXPECT_EQ(cases[i].handle() != before[i], cases[i].remade) << cases[i].what;
  }
  canvas->SetHandle(nullptr);
}

}  // namespace
