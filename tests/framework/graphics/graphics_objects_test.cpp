// Fonts, pens and brushes: equal data share one handle, setters that change
// nothing raise nothing, the setters' special rules, the handles made from
// the data, and the hash that files the data.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include <platform/windows.h>

#include "framework/graphics/graphics_objects.h"
#include "tests/support/fw_objects.h"

namespace {

TEST(ResourceHash, RotatesFiveAndMixesEachByte) {
  // Worked out by hand from the rule; the last two wrap bits round.
  const struct {
    std::vector<std::uint8_t> bytes;
    std::uint16_t hash;
  } cases[] = {
      {{}, 0},
      {{0x01}, 0x0001},
      {{0x01, 0x02}, 0x0022},
      {{0x80, 0x00, 0x00, 0x00}, 0x0040},
      {{0xFF, 0xFF, 0xFF, 0xFF}, 0x6363},
  };
  for (const auto& c : cases) EXPECT_EQ(ResourceHash(c.bytes.data(), c.bytes.size()), c.hash);
}

TEST(GraphicsObjects, EqualDataShareOneHandleUntilOneChanges) {
  auto a = Make<TPen>(), b = Make<TPen>();
  for (TPen* pen : {a.get(), b.get()}) {
    pen->SetColor(0x00E2E8E8);
    pen->SetWidth(3);
    pen->SetStyle(psDot);
  }
  HPEN shared = a->Handle();
  EXPECT_EQ(b->Handle(), shared);

  a->SetColor(clGreen);
  EXPECT_NE(a->Handle(), shared);
  EXPECT_EQ(b->Handle(), shared);
  EXPECT_EQ(b->Color(), 0x00E2E8E8);
  EXPECT_EQ(GetObjectType(shared), OBJ_PEN);  // still in use by b

  b.reset();  // the last user deletes the handle
  EXPECT_EQ(GetObjectType(shared), 0u);
}

TEST(GraphicsObjects, SettersRaiseOnChangeOnlyForANewValue) {
  auto font = Make<TFont>();
  auto pen = Make<TPen>();
  auto brush = Make<TBrush>();
  const struct {
    const char* what;
    TGraphicsObject* object;
    std::function<void()> same, other;
  } cases[] = {
      {"Pen.Color", pen.get(), [&] { pen->SetColor(clBlack); }, [&] { pen->SetColor(clRed); }},
      {"Pen.Width", pen.get(), [&] { pen->SetWidth(1); }, [&] { pen->SetWidth(2); }},
      {"Pen.Style", pen.get(), [&] { pen->SetStyle(psSolid); }, [&] { pen->SetStyle(psDash); }},
      {"Pen.Mode", pen.get(), [&] { pen->SetMode(pmCopy); }, [&] { pen->SetMode(pmXor); }},
      {"Brush.Color", brush.get(), [&] { brush->SetColor(clWhite); },
       [&] { brush->SetColor(clBlue); }},
      {"Brush.Style", brush.get(), [&] { brush->SetStyle(bsSolid); },
       [&] { brush->SetStyle(bsCross); }},
      {"Font.Color", font.get(), [&] { font->SetColor(clWindowText); },
       [&] { font->SetColor(clRed); }},
      {"Font.Height", font.get(), [&] { font->SetHeight(-11); }, [&] { font->SetHeight(-12); }},
      {"Font.Name", font.get(), [&] { font->SetName("MS Sans Serif"); },
       [&] { font->SetName("Arial"); }},
      {"Font.Style", font.get(), [&] { font->SetStyle({}); },
       [&] { font->SetStyle(TFontStyles{}.Include(fsBold)); }},
      {"Font.Charset", font.get(), [&] { font->SetCharset(DEFAULT_CHARSET); },
       [&] { font->SetCharset(RUSSIAN_CHARSET); }},
  };
  for (const auto& c : cases) {
    EventCounter counter;
    c.object->OnChange = MethodOf<&EventCounter::Count>(&counter);
    c.same();
    EXPECT_EQ(counter.count, 0) << c.what;
    c.other();
    EXPECT_EQ(counter.count, 1) << c.what;
  }
}

TEST(GraphicsObjects, DefaultsAndSetterRules) {
  auto font = Make<TFont>();
  auto pen = Make<TPen>();
  auto brush = Make<TBrush>();
  // The other defaults are the "same" values of the OnChange table above.
  EXPECT_EQ(font->Size(), 8);  // -11 pixels at 96 pixels per inch

  pen->SetWidth(-4);
  EXPECT_EQ(pen->Width(), 1);
  font->SetName("");
  EXPECT_EQ(font->Name(), "MS Sans Serif");
  font->SetName(std::string(40, 'x'));
  EXPECT_EQ(font->Name(), std::string(31, 'x'));
  font->SetSize(12);
  EXPECT_EQ(font->Height(), -16);

  brush->SetStyle(bsClear);
  brush->SetColor(clRed);
  EXPECT_EQ(brush->Style(), bsSolid);  // a colour makes a clear brush solid
  brush->SetStyle(bsClear);
  EXPECT_EQ(brush->Color(), clWhite);  // and a clear brush is white
}

TEST(GraphicsObjects, HandlesAreMadeFromTheData) {
  auto pen = Make<TPen>();
  pen->SetColor(clBtnFace);
  pen->SetStyle(psDot);
  pen->SetWidth(2);
  LOGPEN log_pen{};
  ASSERT_NE(GetObjectA(pen->Handle(), sizeof log_pen, &log_pen), 0);
  EXPECT_EQ(log_pen.lopnStyle, static_cast<UINT>(PS_DOT));
  EXPECT_EQ(log_pen.lopnWidth.x, 2);
  EXPECT_EQ(log_pen.lopnColor, GetSysColor(COLOR_BTNFACE));

  auto brush = Make<TBrush>();
  const struct {
    TBrushStyle style;
    UINT lb_style;
    ULONG_PTR hatch;
  } brushes[] = {
      {bsSolid, BS_SOLID, 0},
      {bsClear, BS_HOLLOW, 0},
      {bsHorizontal, BS_HATCHED, HS_HORIZONTAL},
      {bsDiagCross, BS_HATCHED, HS_DIAGCROSS},
  };
  for (const auto& c : brushes) {
    brush->SetStyle(c.style);
    LOGBRUSH log{};
    ASSERT_NE(GetObjectA(brush->Handle(), sizeof log, &log), 0);
    EXPECT_EQ(log.lbStyle, c.lb_style) << int{c.style};
    if (c.lb_style == BS_HATCHED) {
      EXPECT_EQ(log.lbHatch, c.hatch) << int{c.style};
    }
  }

  auto font = Make<TFont>();
  font->SetName("default");  // the default font's face
  font->SetStyle(TFontStyles{}.Include(fsBold).Include(fsStrikeOut));
  font->SetPitch(fpFixed);
  font->SetCharset(RUSSIAN_CHARSET);
  LOGFONTA log_font{};
  ASSERT_NE(GetObjectA(font->Handle(), sizeof log_font, &log_font), 0);
  EXPECT_STREQ(log_font.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(log_font.lfHeight, -11);
  EXPECT_EQ(log_font.lfWeight, FW_BOLD);
  EXPECT_EQ(log_font.lfItalic, 0);
  EXPECT_EQ(log_font.lfStrikeOut, 1);
  EXPECT_EQ(log_font.lfPitchAndFamily, FIXED_PITCH);
  EXPECT_EQ(log_font.lfCharSet, RUSSIAN_CHARSET);
}

TEST(GraphicsObjects, AFontTakesTheDataAndHandleOfAnExistingFont) {
  LOGFONTA log{};
  log.lfHeight = -15;
  log.lfWeight = 800;
  log.lfUnderline = 1;
  log.lfCharSet = GREEK_CHARSET;
  log.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(log.lfFaceName, "Liberation Sans");
  HFONT handle = CreateFontIndirectA(&log);
  auto font = Make<TFont>();
  font->SetHandle(handle);
  EXPECT_EQ(font->Handle(), handle);
  EXPECT_EQ(font->Height(), -15);
  EXPECT_TRUE(font->Style().Contains(fsBold));
  EXPECT_TRUE(font->Style().Contains(fsUnderline));
  EXPECT_FALSE(font->Style().Contains(fsItalic));
  EXPECT_EQ(font->Charset(), GREEK_CHARSET);
  EXPECT_EQ(font->Pitch(), fpVariable);
  EXPECT_EQ(font->Name(), "Liberation Sans");

  font->SetHandle(nullptr);  // unreadable: the default data
  EXPECT_EQ(font->Name(), "MS Sans Serif");
  EXPECT_EQ(GetObjectType(handle), 0u);  // the cache let go of the old one
}

TEST(GraphicsObjects, AFontGivenACachedHandleSharesItsEntry) {
  auto maker = Make<TFont>();
  maker->SetName("Arial");
  HFONT handle = maker->Handle();
  auto taker = Make<TFont>();
  taker->SetHandle(handle);
  EXPECT_EQ(taker->Name(), "Arial");
  maker.reset();
  EXPECT_EQ(GetObjectType(handle), OBJ_FONT);  // still the taker's
  EXPECT_EQ(taker->Handle(), handle);
}

TEST(GraphicsObjects, AssignSharesTheEntryAndCopiesTheObjectsOwnValues) {
  auto a = Make<TPen>(), b = Make<TPen>();
  a->SetColor(clMaroon);
  a->SetMode(pmNotXor);
  b->Assign(a.get());
  EXPECT_EQ(b->Handle(), a->Handle());
  EXPECT_EQ(b->Mode(), pmNotXor);

  auto f = Make<TFont>(), g = Make<TFont>();
  f->SetColor(clHighlight);
  g->Assign(f.get());
  EXPECT_EQ(g->Color(), clHighlight);

  auto brush = Make<TBrush>();
  EXPECT_THROW(brush->Assign(a.get()), EConvertError);
}

}  // namespace
