// Stimulation from the window: the delay in virtual time, what the sound
// output receives, and what the user may still do while the start is pending.
#include <platform/codepage.h>
#include <platform/windows.h>
#include <sys/resource.h>

#include <csignal>

#include <set>

#include "app/tavrion/local_clock.h"
#include "tests/app/tavrion/main_form_fixture.h"

namespace {

constexpr std::size_t kDefaultFrames = (2984 - 44) / 4;
constexpr WORD kHourGlass = 32514;

// While it lives, a write past `bytes` into any file fails, as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : signal_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limited = old_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, signal_);
  }

 private:
  rlimit old_{};
  void (*signal_)(int);
};

TEST(LocalClock, CountsOnAcrossMidnightAndTheYear) {
  const struct {
    SYSTEMTIME before, after;
    std::int32_t seconds_between;
  } cases[] = {
      {{2026, 12, 4, 31, 23, 59, 59, 999}, {2027, 1, 5, 1, 0, 0, 0, 0}, 1},
      {{2024, 2, 3, 28, 23, 59, 59, 0}, {2024, 2, 4, 29, 0, 0, 0, 0}, 1},
      {{2024, 2, 4, 29, 12, 0, 0, 0}, {2024, 3, 5, 1, 12, 0, 0, 0}, 86400},
      {{1970, 1, 4, 1, 0, 0, 0, 0}, {1970, 1, 4, 1, 0, 0, 59, 0}, 59},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tavrion::ClockSecondsOf(c.after) - tavrion::ClockSecondsOf(c.before),
              c.seconds_between);
  }
  EXPECT_EQ(tavrion::ClockSecondsOf({1970, 1, 4, 1, 0, 0, 0, 0}), 0);
}

TEST_F(MainFormTest, StimulatePlaysTheFileOnceOrLoopedUntilTheBoxIsUnchecked) {
  for (const bool loop : {false, true}) {
    SCOPED_TRACE(loop ? "looped" : "once");
    Restart();
    if (loop) ClickOn(Form1->CheckBox2);
    ClickOn(Form1->Button1);
    host::Headless().AdvanceClock(100);
    const host::AudioRecording sound = host::Headless().Audio();
    if (loop) {
      ASSERT_GE(sound.Frames(), 3 * kDefaultFrames);
    } else {
      EXPECT_EQ(sound.Frames(), kDefaultFrames);
    }
    const std::vector<unsigned char> file = WorkingFile();
    const std::vector<std::uint8_t> train(file.begin() + 44, file.end());
    for (std::size_t start = 0; start + train.size() <= sound.bytes.size(); start += train.size()) {
      EXPECT_TRUE(std::equal(train.begin(), train.end(), sound.bytes.begin() + start));
    }
    // Unchecking the box stops the loop.
    ClickOn(Form1->CheckBox2);
    const std::size_t stopped = host::Headless().Audio().Frames();
    host::Headless().AdvanceClock(500);
    EXPECT_EQ(host::Headless().Audio().Frames(), stopped);
  }
}

TEST_F(MainFormTest, TheDelayIsWaitedWithTheWindowAlive) {
  Form1->Edit10->SetText("2");
  int painted_during = 0;
  std::vector<WORD> shapes;
  during_wait = [&] {
    shapes.push_back(host::Headless().CursorShape());
    const auto log = host::Headless().WindowLog(Form1->Handle());
    painted_during = log ? log->presents : 0;
    if (shapes.size() == 1) {
      InvalidateRect(Form1->Handle(), nullptr, TRUE);
      const POINT about = CentreOf(Form1->Button2);
      host::Headless().Click(about.x, about.y);  // not acted on now
      return true;
    }
    return false;
  };
  const std::uint64_t clicked = GetTickCount();
  ClickOn(Form1->Button1);
  host::Headless().AdvanceClock(10);
  const host::AudioRecording sound = host::Headless().Audio();
  ASSERT_FALSE(sound.pulls.empty());
  const std::uint64_t waited = sound.pulls.front().time - clicked;
  EXPECT_GE(waited, 1000u);
  EXPECT_LE(waited, 2000u);
  ASSERT_FALSE(shapes.empty());
  for (WORD shape : shapes) EXPECT_EQ(shape, kHourGlass);
  EXPECT_GT(painted_during, 0);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Screen->Cursor(), 0);
}

TEST_F(MainFormTest, TheBoxOrClosingCancelsAPendingStart) {
  for (const bool close : {false, true}) {
    SCOPED_TRACE(close ? "closing the window" : "a click on the box");
    Restart();
    Form1->Edit10->SetText("30");
    const std::uint64_t clicked = GetTickCount();
    bool acted = false;
    during_wait = [&] {
      if (acted) return false;
      acted = true;
      const POINT p = CentreOf(Form1->CheckBox2);
      if (close) {
        host::Headless().Inject({.kind = host::InputEvent::kClose, .window = Form1->Handle()});
      } else {
        host::Headless().Click(p.x, p.y);
      }
      return true;
    };
    ClickOn(Form1->Button1);
    EXPECT_LT(GetTickCount() - clicked, 2000u);
    EXPECT_TRUE(host::Headless().Audio().pulls.empty());
    EXPECT_EQ(Screen->Cursor(), 0);
    EXPECT_EQ(Application->Terminated(), close);
    if (!close) {
      EXPECT_TRUE(Form1->CheckBox2->Checked());
    }
  }
}

// A name typed into the file field is written only once it is confirmed, by
// Enter, by Tab or by the click on Stimulate that plays it; the fields changed
// meanwhile write under the last confirmed name.
TEST_F(MainFormTest, ATypedFileNameIsWrittenOnceConfirmedAndPlayedUnderIt) {
  const struct {
    const char* name;
    std::function<void()> confirm;
  } cases[] = {
      {"Enter", [] { Press(VK_RETURN); }},
      {"Tab", [] { Press(VK_TAB); }},
      {"a click on Stimulate",
       [] {
         ClickOn(Form1->Button1);
         host::Headless().AdvanceClock(100);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Restart();
    WriteText("data", "keep");
    Retype(Form1->Edit4, "data.wav");
    Form1->Edit3->SetText("6");
    EXPECT_EQ(WorkingFile().size(), 44 + 6 * kDefaultFrames / 5 * 4);
    std::filesystem::remove("tavrion.wav");
    const int before = TrainsWritten();
    messages.clear();
    c.confirm();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(TrainsWritten(), before + 1);
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
      files.insert(entry.path().filename().string());
    }
    EXPECT_EQ(files, (std::set<std::string>{"data", "data.wav"}));
    EXPECT_EQ(ReadBytes("data"), (std::vector<unsigned char>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(ReadBytes("data.wav").size(), 44 + 6 * kDefaultFrames / 5 * 4);
    const bool clicked = std::string(c.name) == "a click on Stimulate";
    EXPECT_EQ(host::Headless().Audio().Frames(), clicked ? 6 * kDefaultFrames / 5 : 0);
  }
  // An emptied name, once confirmed, is refused like any other.
  messages.clear();
  Retype(Form1->Edit4, "");
  Press(VK_BACK);
  Press(VK_RETURN);
  EXPECT_EQ(messages, std::vector<std::string>{"Can't create file: "});
}

// Whatever keeps Stimulate from playing is said once; nothing is lost, and
// once the cause is gone a click plays.
TEST_F(MainFormTest, StimulateTellsWhyNothingPlaysAndLosesNothing) {
  const struct {
    const char* name;
    std::function<void()> break_it, mend_it;
    std::string shown;
  } cases[] = {
      {"no frequency", [] { Form1->Edit1->SetText(""); }, [] { Form1->Edit1->SetText("300"); },
       "Нулевая частота ?"},
      // The exception's box is the system's, whose text DialogText does not read.
      {"an unreadable delay", [] { Form1->Edit10->SetText("abc"); },
       [] { Form1->Edit10->SetText("0"); }, "?"},
      {"no sound output",
       [] { host::Headless().SetNoAudioOutput("Audio target 'nosuchdriver' not available"); },
       [] { host::Headless().SetNoAudioOutput(std::nullopt); },
       "Нет вывода звука (Audio target 'nosuchdriver' not available).\n"
       "Стимуляция невозможна"},
      {"the file deleted from outside", [] { std::filesystem::remove("tavrion.wav"); },
       [] { Retype(Form1->Edit1, "300"); },
       "Рабочий файл «tavrion.wav» не найден.\nСтимуляция невозможна"},
      {"a write that failed midway",
       [] {
         const FileSizeLimit limit(20000);
         Retype(Form1->Edit3, "50");
       },
       [] { Retype(Form1->Edit3, "5"); },
       "Рабочий файл записан не полностью.\nСтимуляция невозможна до следующей успешной "
       "записи файла"},
      {"the file could not be made", [] { Confirm("missing/x.wav"); },
       [] { Confirm("tavrion.wav"); },
       "Рабочий файл «missing/x.wav» не найден.\nСтимуляция невозможна"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Restart();
    c.break_it();
    const std::vector<unsigned char> file = WorkingFile();
    messages.clear();
    ClickOn(Form1->Button1);
    host::Headless().AdvanceClock(100);
    EXPECT_EQ(messages, (std::vector<std::string>{codepage::Utf8ToCp1251(c.shown).value()}));
    EXPECT_TRUE(host::Headless().Audio().pulls.empty());
    EXPECT_EQ(WorkingFile(), file);
    EXPECT_EQ(Screen->Cursor(), 0);
    EXPECT_FALSE(Application->Terminated());

    c.mend_it();
    messages.clear();
    ClickOn(Form1->Button1);
    host::Headless().AdvanceClock(100);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(host::Headless().Audio().Frames(), kDefaultFrames);
  }
}

}  // namespace
