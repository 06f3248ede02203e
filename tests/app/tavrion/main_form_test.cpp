// The main form, started as the program starts it and driven as a person
// would: what it writes, draws and plays, and how its handlers chain.
#include <platform/codepage.h>

#include <algorithm>
#include <set>

#include "app/tavrion-wav/preview_picture.h"
#include "framework/rtl/intconv.h"
#include "platform/commctrl.h"
#include "platform/gdi/surface.h"
#include "platform/picture.h"
#include "platform/resources.h"
#include "platform/text.h"
#include "stimulus/preview.h"
#include "stimulus/wave_writer.h"
#include "tests/app/tavrion/main_form_fixture.h"
#include "tests/platform/gdi/canvas.h"

namespace {

using stimulus::StimulusParams;

struct Fields {
  const char* frequency;
  const char* sample_rate;
  const char* duration;
  const char* count;
  const char* stimulus;
  const char* zero;
};

StimulusParams Accepted(const Fields& f) {
  StimulusParams p = stimulus::ReadParams(
      {f.frequency, f.sample_rate, "0", f.duration, f.count, f.stimulus, f.zero});
  EXPECT_FALSE(stimulus::DeriveAndCheck(p).has_value());
  return p;
}

// The file the engine writes for these fields, read back.
std::vector<char> TrainFor(const Fields& f) {
  stimulus::WriteWaveFile(Accepted(f), "expected.wav", [](int) {});
  return ReadFile("expected.wav");
}

constexpr Fields kDefaults{"300", "44100", "1000", "5", "32767", "0"};

std::string Cp1251(const char* utf8) {
  return codepage::Utf8ToCp1251(utf8).value();
}

// The width of the control's caption in its own font.
int CaptionWidth(TControl* control) {
  const std::string caption = control->Caption();
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, control->Font()->Handle());
  SIZE size{};
  GetTextExtentPoint32A(dc, caption.data(), static_cast<int>(caption.size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return size.cx;
}

TEST_F(MainFormTest, AFreshStartWritesTheDefaultTrainAndDrawsItsPreview) {
  const std::vector<char> file = WorkingFile();
  EXPECT_EQ(file.size(), 2984u);
  EXPECT_EQ(file, TrainFor(kDefaults));
  EXPECT_EQ(Form1->TrainsWritten(), 1);
  EXPECT_TRUE(messages.empty());

  tavrion_wav::BitmapPreviewCanvas expected(485, 89);
  stimulus::DrawPreview(expected, Accepted(kDefaults));
  UpdateWindow(Form1->Handle());
  HDC window = GetDC(Form1->Handle());
  int differing = 0;
  for (int y = 0; y < 89; ++y) {
    for (int x = 0; x < 485; ++x) {
      differing += GetPixel(window, 2 + x, 144 + y) != GetPixel(expected.Dc(), x, y) ? 1 : 0;
    }
  }
  ReleaseDC(Form1->Handle(), window);
  EXPECT_EQ(differing, 0);
}

TEST_F(MainFormTest, TheProgramCarriesItsVersionRecord) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
  ASSERT_NE(found, nullptr);
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
  const std::string record(reinterpret_cast<const char*>(bytes), SizeofResource(nullptr, found));
  auto dword = [&](std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                      bytes[at + 3] << 24);
  };
  EXPECT_EQ(dword(40), 0xFEEF04BDu);
  EXPECT_EQ(dword(48), 0x00020002u);  // file version 2.2.0.0
  EXPECT_EQ(dword(52), 0u);
  EXPECT_EQ(dword(56), 0x00020002u);  // product version
  auto wide = [](const std::string& text) {
    std::string out;
    for (char c : text) out += std::string{c, '\0'};
    return out + std::string(2, '\0');
  };
  for (const char* text : {"ProductName", "FileDescription", "Tavrion", "2.2.0.0"}) {
    EXPECT_NE(record.find(wide(text)), std::string::npos) << text;
  }
}

TEST_F(MainFormTest, ItsPictureIsSavedForTheReadme) {
  RECT client{};
  GetClientRect(Form1->Handle(), &client);
  EXPECT_EQ(client.right, 488);
  EXPECT_EQ(client.bottom, 356);
  char caption[64] = {};
  GetWindowTextA(Form1->Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Tavrion v2.2");
  UpdateWindow(Form1->Handle());
  const std::string path = (StartFolder() / "main-window.png").string();
  EXPECT_TRUE(SaveWindowPicture(Form1->Handle(), path.c_str(), TRUE));
}

TEST_F(MainFormTest, ItsCaptionsTakeTheWidthsTheyWereDesignedFor) {
  // A label sizes itself to its caption, so its designed width is the
  // caption's width in the form's face.
  const struct {
    TLabel* label;
    int width;
  } labels[] = {{Form1->Label1, 82}, {Form1->Label2, 154}, {Form1->Label3, 90},
                {Form1->Label4, 82}, {Form1->Label5, 71},  {Form1->Label7, 144},
                {Form1->Label8, 36}, {Form1->Label10, 24}};
  for (const auto& c : labels) {
    EXPECT_EQ(CaptionWidth(c.label), c.width) << c.label->Name();
    EXPECT_EQ(c.label->Width(), c.width) << c.label->Name();
  }
  // The others keep their width, less their edges, for the text: a button
  // its 3-D edge, focus frame and a gap on either side, the check box its
  // box and the gap after it, the group box the caption's indent each side.
  constexpr int kButtonEdges = 8, kCheckBox = 17, kGroupIndent = 8;
  const struct {
    TControl* control;
    int room;
  } others[] = {{Form1->Button1, 161 - kButtonEdges},
                {Form1->Button2, 41 - kButtonEdges},
                {Form1->Button3, 49 - kButtonEdges},
                {Form1->CheckBox2, 161 - kCheckBox},
                {Form1->GroupBox1, 481 - 2 * kGroupIndent}};
  for (const auto& c : others) EXPECT_LE(CaptionWidth(c.control), c.room) << c.control->Name();

  // The check box shows its caption whole: drawn unclipped on a strip of
  // the form's colour, it matches the window column for column to its end.
  TCheckBox* box = Form1->CheckBox2;
  const std::string caption = box->Caption();
  const int width = CaptionWidth(box);
  Canvas strip(width, box->Height(), GetSysColor(COLOR_BTNFACE));
  HGDIOBJ old = SelectObject(strip.dc(), box->Font()->Handle());
  SetBkMode(strip.dc(), TRANSPARENT);
  SetTextColor(strip.dc(), GetSysColor(COLOR_WINDOWTEXT));
  RECT text{0, 0, width, box->Height()};
  DrawTextA(strip.dc(), caption.c_str(), -1, &text, DT_VCENTER | DT_SINGLELINE);
  SelectObject(strip.dc(), old);
  UpdateWindow(Form1->Handle());
  HDC window = GetDC(box->Handle());
  int differing = 0;
  for (int y = 0; y < box->Height(); ++y) {
    for (int x = 0; x < width; ++x) {
      differing += GetPixel(window, kCheckBox + x, y) != strip.At(x, y) ? 1 : 0;
    }
  }
  ReleaseDC(box->Handle(), window);
  EXPECT_EQ(differing, 0);
}

TEST_F(MainFormTest, ChainsOfHandlersEndWithTheFieldsAndFileInAgreement) {
  const struct {
    const char* name;
    std::vector<std::pair<TEdit * TForm1::*, const char*>> typed;  // replaced texts, in order
    const char *edit1, *edit2, *edit9;
    std::int32_t trackbar3;
    Fields file;
    int last_writes;  // trains the last text wrote: a nested run and the outer one
  } cases[] = {
      {"a clamped frequency is written back",
       {{&TForm1::Edit2, "500"}, {&TForm1::Edit1, "2000"}},
       "1000",
       "500",
       "32767",
       1000,
       {"1000", "44100", "500", "5", "32767", "0"},
       2},
      {"a duration below the track bar's range becomes its minimum",
       {{&TForm1::Edit2, "5"}},
       "300",
       "100",
       "32767",
       300,
       {"300", "44100", "100", "5", "32767", "0"},
       2},
      {"leading zeros stay when the track bar is already there",
       {{&TForm1::Edit1, "0300"}},
       "0300",
       "1000",
       "32767",
       300,
       kDefaults,
       1},
      {"an amplitude beyond the maximum stays as typed",
       {{&TForm1::Edit9, "327670"}},
       "300",
       "1000",
       "327670",
       300,
       {"300", "44100", "1000", "5", "32767", "0"},
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    int before = 0;
    for (const auto& [edit, text] : c.typed) {
      before = Form1->TrainsWritten();
      (Form1->*edit)->SetText(text);
    }
    EXPECT_EQ(Form1->TrainsWritten() - before, c.last_writes);
    EXPECT_EQ(Form1->Edit1->GetText(), c.edit1);
    EXPECT_EQ(Form1->Edit2->GetText(), c.edit2);
    EXPECT_EQ(Form1->Edit9->GetText(), c.edit9);
    EXPECT_EQ(Form1->TrackBar3->Position(), c.trackbar3);
    EXPECT_EQ(WorkingFile(), TrainFor(c.file));
    EXPECT_TRUE(messages.empty());
  }
}

TEST_F(MainFormTest, DefaultRestoresTheFieldsOneRecalculationAtATime) {
  const std::string interval = Cp1251("Oops! Ширина импульсов больше межимпульсного интервала!");
  const struct {
    const char* name;
    std::vector<std::pair<TEdit * TForm1::*, const char*>> set;
    int writes;
    std::vector<std::string> shown;
  } cases[] = {
      {"every field at its default runs nothing", {}, 0, {}},
      {"only the delay changed runs nothing", {{&TForm1::Edit10, "7"}}, 0, {}},
      {"a wide pulse is refused once, then the reset duration is written",
       {{&TForm1::Edit1, "1000"}, {&TForm1::Edit2, "5000"}},
       1,
       {interval}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    for (const auto& [edit, text] : c.set) (Form1->*edit)->SetText(text);
    messages.clear();
    const int before = Form1->TrainsWritten();
    ClickOn(Form1->Button3);
    EXPECT_EQ(Form1->TrainsWritten() - before, c.writes);
    EXPECT_EQ(messages, c.shown);
    EXPECT_EQ(Form1->Edit10->GetText(), "0");
    EXPECT_EQ(WorkingFile(), TrainFor(kDefaults));
  }
}

TEST_F(MainFormTest, TypingIntoAFieldRecalculatesOnEachKey) {
  Retype(Form1->Edit1, "25");
  EXPECT_EQ(Form1->Edit1->GetText(), "25");
  EXPECT_EQ(Form1->TrackBar3->Position(), 25);
  EXPECT_EQ(WorkingFile(), TrainFor({"25", "44100", "1000", "5", "32767", "0"}));
  EXPECT_EQ(Form1->TrainsWritten(), 3);  // the start, "2", "25"
}

TEST_F(MainFormTest, DraggingTrackBar3WritesOncePerNewPosition) {
  POINT at = ThumbCentre(Form1->TrackBar3->Handle());
  ClientToScreen(Form1->TrackBar3->Handle(), &at);
  Host().MoveMouse(at.x, at.y);
  Host().Press();
  PumpMessages();
  const int before = Form1->TrainsWritten();
  std::set<std::int32_t> positions;
  for (int step = 1; step <= 20; ++step) {
    Host().MoveMouse(at.x + step * 3, at.y);
    PumpMessages();
    positions.insert(Form1->TrackBar3->Position());
    EXPECT_EQ(Form1->Edit1->GetText(), IntToStr(Form1->TrackBar3->Position()));
  }
  positions.erase(300);
  ASSERT_GT(positions.size(), 5u);
  EXPECT_EQ(Form1->TrainsWritten() - before, static_cast<int>(positions.size()));
  const int dragged = Form1->TrainsWritten();
  Host().Release();
  PumpMessages();
  EXPECT_EQ(Form1->TrainsWritten(), dragged);
  const std::string edit1 = Form1->Edit1->GetText();
  EXPECT_EQ(WorkingFile(), TrainFor({edit1.c_str(), "44100", "1000", "5", "32767", "0"}));
}

// A frame's time passes with each position the write gives the bar.
WNDPROC g_bar_proc = nullptr;
LRESULT TimePassesWithEachPosition(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == PBM_SETPOS) Host().AdvanceClock(16);
  return CallWindowProcA(g_bar_proc, window, message, wParam, lParam);
}

TEST_F(MainFormTest, ALongWriteShowsTheProgressBarGrowing) {
  const HWND bar = Form1->ProgressBar1->Handle();
  g_bar_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimePassesWithEachPosition)));
  // The bar's middle row in the form's surface, which starts at its frame.
  RECT frame{};
  GetWindowRect(Form1->Handle(), &frame);
  POINT row{0, Form1->ProgressBar1->Height() / 2};
  ClientToScreen(bar, &row);
  const std::uint32_t highlight = gdi::ToPixel(GetSysColor(COLOR_HIGHLIGHT));
  std::vector<int> shown;  // highlighted pixels of the row, present by present
  Host().SetPresentHandler([&](HWND window, const gdi::Surface& picture, const auto&) {
    if (window != Form1->Handle()) return;
    int filled = 0;
    for (int x = 0; x < Form1->ProgressBar1->Width(); ++x) {
      filled += picture.At(row.x - frame.left + x, row.y - frame.top) == highlight;
    }
    shown.push_back(filled);
  });
  Form1->Edit3->SetText("20");  // one handler: 20 positions, then 0
  Host().SetPresentHandler({});
  SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_bar_proc));

  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), 0);
  EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end() - 1));
  EXPECT_GE(std::set<int>(shown.begin(), shown.end()).size(), 4u);
}

TEST_F(MainFormTest, AboutShowsTwoLinesAndLeavesActivationAlone) {
  const int before = Form1->TrainsWritten();
  ClickOn(Form1->Button2);
  ASSERT_EQ(messages, std::vector<std::string>{kAboutText});
  const std::string about = kAboutText;
  const auto newline = about.find('\n');
  ASSERT_NE(newline, std::string::npos);
  EXPECT_EQ(about.find('\n', newline + 1), std::string::npos);
  EXPECT_EQ(about.substr(newline + 1, 4), "    ");
  EXPECT_EQ(Form1->TrainsWritten(), before);  // OnActivate did not run again
  EXPECT_EQ(GetActiveWindow(), Form1->Handle());
}

TEST_F(MainFormTest, TheDefaultButtonExplainsItselfWithAHint) {
  const POINT p = CentreOf(Form1->Button3);
  Host().MoveMouse(p.x, p.y);
  PumpMessages();
  Host().AdvanceClock(600);
  PumpMessages();
  THintWindow* hint = Application->HintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  EXPECT_EQ(hint->GetText(), "Reset to default values");
  RECT shown{};
  GetWindowRect(hint->Handle(), &shown);
  EXPECT_EQ(shown.left, p.x);
  EXPECT_GT(shown.top, p.y);
}

}  // namespace
