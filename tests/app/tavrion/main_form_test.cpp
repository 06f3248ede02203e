// The main form, started as the program starts it and driven as a person
// would: what it writes, draws and plays, and how its handlers chain.
#include <platform/codepage.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <utility>

#include "app/tavrion-wav/preview_picture.h"
#include "framework/rtl/intconv.h"
#include "platform/commctrl.h"
#include "platform/gdi/surface.h"
#include "platform/resources.h"
#include "platform/text.h"
#include "stimulus/preview.h"
#include "stimulus/wave_writer.h"
#include "tests/app/tavrion/main_form_fixture.h"
#include "tests/support/text_extent.h"

namespace {

// The set of these fields, the others at their defaults, checked as accepted.
stimulus::StimulusParams Accepted(const std::string& frequency = "300",
                                  const std::string& duration = "1000",
                                  const std::string& amplitude = "32767",
                                  const std::string& rate = "44100") {
  stimulus::StimulusParams p =
      stimulus::ReadParams({frequency, rate, "0", duration, "5", amplitude, "0"});
  EXPECT_FALSE(stimulus::DeriveAndCheck(p).has_value());
  return p;
}

// The file the engine writes for the set, read back.
std::vector<unsigned char> TrainFor(const stimulus::StimulusParams& p) {
  stimulus::WriteWaveFile(p, "expected.wav", [](int) {});
  return ReadBytes("expected.wav");
}

// Sets edits in order as "Edit2=500 Edit1=2000"; the trains the last one wrote.
int SetTexts(const std::string& assignments) {
  std::istringstream in(assignments);
  int last = 0;
  for (std::string one; in >> one;) {
    const auto equals = one.find('=');
    const int before = MainFormTest::TrainsWritten();
    dynamic_cast<TEdit*>(Form1->FindComponent(one.substr(0, equals)))
        ->SetText(one.substr(equals + 1));
    last = MainFormTest::TrainsWritten() - before;
  }
  return last;
}

int CaptionWidth(TControl* control) {
  return TextExtent(control->Font()->Handle(), control->Caption()).cx;
}

// How many pixels of the picture differ from the window's client area at (x, y).
int Differing(HWND window, int x, int y, HDC picture, int width, int height) {
  UpdateWindow(Form1->Handle());
  HDC dc = GetDC(window);
  int differing = 0;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      differing += GetPixel(dc, x + column, y + row) != GetPixel(picture, column, row);
    }
  }
  ReleaseDC(window, dc);
  return differing;
}

TEST_F(MainFormTest, AFreshStartWritesTheDefaultTrainAndDrawsItsPreview) {
  // The definition's texts are the defaults that Default and tavrion-wav use.
  const stimulus::StimulusParams& d = stimulus::kDefaultParams;
  const std::pair<TEdit*, std::int32_t> fields[] = {
      {Form1->Edit1, d.Frequency},     {Form1->Edit5, d.SampleRate},
      {Form1->Edit10, d.Delay},        {Form1->Edit2, d.Duration},
      {Form1->Edit3, d.Count},         {Form1->Edit9, d.StimulusAmplitude},
      {Form1->Edit12, d.ZeroAmplitude}};
  for (const auto& [edit, value] : fields) EXPECT_EQ(edit->GetText(), IntToStr(value));
  EXPECT_EQ(Form1->Edit4->GetText(), stimulus::kDefaultFileName);
  EXPECT_EQ(WorkingFile(), TrainFor(Accepted()));
  EXPECT_EQ(TrainsWritten(), 1);
  EXPECT_TRUE(messages.empty());
  tavrion_wav::BitmapPreviewCanvas expected(485, 89);
  stimulus::DrawPreview(expected, Accepted());
  EXPECT_EQ(Differing(Form1->Handle(), 2, 144, expected.Dc(), 485, 89), 0);
}

TEST_F(MainFormTest, TheProgramCarriesItsVersionRecord) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
  ASSERT_NE(found, nullptr);
  const std::string record(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                           SizeofResource(nullptr, found));
  // The signature; file version 2.2.0.0 and product version 2.2.
  EXPECT_EQ(record.substr(40, 4), "\xBD\x04\xEF\xFE");
  EXPECT_EQ(record.substr(48, 12), std::string("\2\0\2\0\0\0\0\0\2\0\2\0", 12));
  for (const char* text : {"ProductName", "FileDescription", "Tavrion", "2.2.0.0"}) {
    std::string wide;
    for (char c : std::string_view(text)) wide += {c, '\0'};
    EXPECT_NE(record.find(wide + std::string(2, '\0')), std::string::npos) << text;
  }
}

TEST_F(MainFormTest, ItsCaptionsTakeTheWidthsTheyWereDesignedFor) {
  // A label sizes itself to its caption, so its designed width is the
  // caption's width in the form's face.
  const std::pair<TLabel*, int> labels[] = {
      {Form1->Label1, 82}, {Form1->Label2, 154}, {Form1->Label3, 90}, {Form1->Label4, 82},
      {Form1->Label5, 71}, {Form1->Label7, 144}, {Form1->Label8, 36}, {Form1->Label10, 24}};
  for (const auto& [label, width] : labels) {
    EXPECT_EQ(CaptionWidth(label), width) << label->Name();
    EXPECT_EQ(label->Width(), width) << label->Name();
  }
  // The others have room for their text within their width, less a
  // button's 3-D edge, focus frame and gaps (8), the check box's box and gap
  // (17), the group box's caption indent each side (16).
  const std::pair<TControl*, int> others[] = {{Form1->Button1, 153},
                                              {Form1->Button2, 33},
                                              {Form1->Button3, 41},
                                              {Form1->CheckBox2, 144},
                                              {Form1->GroupBox1, 465}};
  for (const auto& [control, room] : others)
    EXPECT_LE(CaptionWidth(control), room) << control->Name();

  // The check box shows its caption whole: drawn unclipped on a strip of
  // the form's colour, it matches the window column for column to its end.
  TCheckBox* box = Form1->CheckBox2;
  const int width = CaptionWidth(box);
  tavrion_wav::BitmapPreviewCanvas strip(width, box->Height());
  RECT text{0, 0, width, box->Height()};
  FillRect(strip.Dc(), &text, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ old = SelectObject(strip.Dc(), box->Font()->Handle());
  SetBkMode(strip.Dc(), TRANSPARENT);
  SetTextColor(strip.Dc(), GetSysColor(COLOR_WINDOWTEXT));
  DrawTextA(strip.Dc(), box->Caption().c_str(), -1, &text, DT_VCENTER | DT_SINGLELINE);
  SelectObject(strip.Dc(), old);
  EXPECT_EQ(Differing(box->Handle(), 17, 0, strip.Dc(), width, box->Height()), 0);
}

TEST_F(MainFormTest, ChainsOfHandlersEndWithTheFieldsAndFileInAgreement) {
  const struct {
    const char* name;
    const char* typed;  // replaced texts, in order
    const char* shown;  // Edit1, Edit2, Edit5, Edit9 and TrackBar3's position
    int last_writes;    // trains the last text wrote: a nested run and the outer one
  } cases[] = {
      {"a clamped frequency is written back", "Edit2=500 Edit1=2000", "1000 500 44100 32767 1000",
       2},
      {"a duration below the track bar's range becomes its minimum", "Edit2=5",
       "300 100 44100 32767 300", 2},
      {"a rate below the track bar's range is written at its minimum by both runs", "Edit5=3000",
       "300 1000 4100 32767 300", 2},
      {"leading zeros stay when the track bar is already there", "Edit1=0300",
       "0300 1000 44100 32767 300", 1},
      {"an amplitude beyond the maximum stays as typed", "Edit9=327670",
       "300 1000 44100 327670 300", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Restart();
    EXPECT_EQ(SetTexts(c.typed), c.last_writes);
    const std::string edit1 = Form1->Edit1->GetText(), edit2 = Form1->Edit2->GetText();
    const std::string edit5 = Form1->Edit5->GetText(), edit9 = Form1->Edit9->GetText();
    EXPECT_EQ(edit1 + " " + edit2 + " " + edit5 + " " + edit9 + " " +
                  IntToStr(Form1->TrackBar3->Position()),
              c.shown);
    // The written amplitude is clamped, "0300" reads as 300.
    EXPECT_EQ(WorkingFile(), TrainFor(Accepted(edit1, edit2, edit9, edit5)));
    EXPECT_TRUE(messages.empty());
  }
}

TEST_F(MainFormTest, DefaultRestoresTheFieldsOneRecalculationAtATime) {
  const std::string interval("Oops! Ширина импульсов больше межимпульсного интервала!"_cp1251);
  const struct {
    const char* name;
    const char* set;
    int writes;
    std::vector<std::string> shown;
  } cases[] = {
      {"every field at its default runs nothing", "", 0, {}},
      {"only the delay changed runs nothing", "Edit10=7", 0, {}},
      {"the frequency comes back before the duration, so both are written silently",
       "Edit2=100 Edit1=1000",
       2,
       {}},
      {"a wide pulse is refused once, then the reset duration is written",
       "Edit1=1000 Edit2=5000",
       1,
       {interval}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Restart();
    SetTexts(c.set);
    messages.clear();
    const int before = TrainsWritten();
    ClickOn(Form1->Button3);
    EXPECT_EQ(TrainsWritten() - before, c.writes);
    EXPECT_EQ(messages, c.shown);
    EXPECT_EQ(Form1->Edit10->GetText(), "0");
    EXPECT_EQ(WorkingFile(), TrainFor(Accepted()));
  }
}

TEST_F(MainFormTest, TypingIntoAFieldRecalculatesOnEachKey) {
  Retype(Form1->Edit1, "25");
  EXPECT_EQ(Form1->Edit1->GetText(), "25");
  EXPECT_EQ(Form1->TrackBar3->Position(), 25);
  EXPECT_EQ(WorkingFile(), TrainFor(Accepted("25")));
  EXPECT_EQ(TrainsWritten(), 3);  // the start, "2", "25"
}

TEST_F(MainFormTest, DraggingTrackBar3WritesOncePerNewPosition) {
  POINT at = ThumbCentre(Form1->TrackBar3->Handle());
  ClientToScreen(Form1->TrackBar3->Handle(), &at);
  host::Headless().MoveMouse(at.x, at.y);
  host::Headless().Press();
  PumpMessages();
  const int before = TrainsWritten();
  std::set<std::int32_t> positions;
  for (int step = 1; step <= 20; ++step) {
    host::Headless().MoveMouse(at.x + step * 3, at.y);
    PumpMessages();
    positions.insert(Form1->TrackBar3->Position());
    EXPECT_EQ(Form1->Edit1->GetText(), IntToStr(Form1->TrackBar3->Position()));
  }
  positions.erase(300);
  ASSERT_GT(positions.size(), 5u);
  EXPECT_EQ(TrainsWritten() - before, static_cast<int>(positions.size()));
  const int dragged = TrainsWritten();
  host::Headless().Release();
  PumpMessages();
  EXPECT_EQ(TrainsWritten(), dragged);
  EXPECT_EQ(WorkingFile(), TrainFor(Accepted(Form1->Edit1->GetText())));
}

// A frame's time passes with each position the write gives the bar.
WNDPROC g_bar_proc = nullptr;
LRESULT TimePassesWithEachPosition(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == PBM_SETPOS) host::Headless().AdvanceClock(16);
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
  host::Headless().SetPresentHandler([&](HWND window, const gdi::Surface& picture, const auto&) {
    if (window != Form1->Handle()) return;
    int filled = 0;
    for (int x = 0; x < Form1->ProgressBar1->Width(); ++x) {
      filled += picture.At(row.x - frame.left + x, row.y - frame.top) == highlight;
    }
    shown.push_back(filled);
  });
  Form1->Edit3->SetText("20");  // one handler: 20 positions, then 0
  host::Headless().SetPresentHandler({});
  SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_bar_proc));

  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), 0);
  EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end() - 1));
  EXPECT_GE(std::set<int>(shown.begin(), shown.end()).size(), 4u);
}

TEST_F(MainFormTest, AboutShowsItsTextAndLeavesActivationAlone) {
  const int before = TrainsWritten();
  ClickOn(Form1->Button2);
  EXPECT_EQ(messages, std::vector<std::string>{kAboutText});
  // Two lines, the second indented.
  const std::size_t second = kAboutText.find('\n') + 1;
  EXPECT_EQ(kAboutText.find('\n', second), std::string::npos);
  EXPECT_EQ(kAboutText.compare(second, 2, "  "), 0);
  EXPECT_EQ(TrainsWritten(), before);  // OnActivate did not run again
  EXPECT_EQ(GetActiveWindow(), Form1->Handle());
}

}  // namespace
