// The recalculation against a stand-in form: what it writes, shows and draws,
// the silent gate, a failed write, and runs nested through the track bars.
#include <gtest/gtest.h>

#include "stimulus/wave_writer.h"
#include "tests/stimulus/fake_form.h"
#include "tests/support/temp_dir.h"

namespace {

using fake::Field;
using Log = std::vector<std::string>;

class Recalculation : public testing::Test {
 protected:
  Recalculation() { form.text[Field::FileName] = file; }
  void Recalc() { stimulus::Recalculate(form, form.shared); }

  TempDir dir;
  std::string file = dir.File("tavrion.wav");
  fake::Form form;
};

TEST_F(Recalculation, DefaultsWriteTheFileAndDrawWithoutMovingTrackBars) {
  Recalc();
  EXPECT_EQ(form.log, (Log{"progress 20", "progress 40", "progress 60", "progress 80",
                           "progress 100", "progress 0", "preview"}));
  EXPECT_EQ(ReadBytes(file).size(), 2984u);
  EXPECT_EQ(form.canvas.calls.back(), "LineTo 485 44");
}

TEST_F(Recalculation, GateStopsSilentlyButSharedValuesAreKept) {
  const struct {
    Field field;
    const char* text;
  } cases[] = {{Field::Frequency, "abc"}, {Field::Delay, ""}, {Field::Count, "0"}};
  for (const auto& c : cases) {
    fake::Form f;
    f.text[Field::FileName] = file;
    f.text[c.field] = c.text;
    stimulus::Recalculate(f, f.shared);
    EXPECT_TRUE(f.log.empty()) << c.text;
    EXPECT_FALSE(std::filesystem::exists(file)) << c.text;
    EXPECT_EQ(f.shared.Frequency, c.field == Field::Frequency ? 0 : 300) << c.text;
    EXPECT_EQ(f.shared.Count, c.field == Field::Count ? 0 : 5) << c.text;
  }
}

TEST_F(Recalculation, RefusedSetShowsOneMessageAndLeavesFileAndPicture) {
  Recalc();
  const auto before = ReadBytes(file);
  const Log drawn = form.canvas.calls;
  form.log.clear();
  form.text[Field::Duration] = "5000";  // TrackBar4 moves there, no rewrite
  Recalc();
  EXPECT_EQ(form.log, (Log{"TrackBar4=5000",
                           "message " + std::string(stimulus::PulseWiderThanIntervalMessage())}));
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_EQ(form.canvas.calls, drawn);
}

TEST_F(Recalculation, FailuresToWriteAreShownAndOnlyACutFileIsMarked) {
  const struct {
    std::string name;
    std::string message;
    bool marked;
  } cases[] = {
      {"/dev/full", "Can't write file: /dev/full", true},
      {dir.File("no/such/folder.wav"), "Can't create file: " + dir.File("no/such/folder.wav"),
       true},  // the cut file stays cut
      {file, "", false},
  };
  for (const auto& c : cases) {
    form.log.clear();
    form.text[Field::FileName] = c.name;
    Recalc();
    EXPECT_EQ(form.log.back(), c.message.empty() ? "preview" : "message " + c.message);
    EXPECT_EQ(form.shared.WriteFailed, c.marked) << c.name;
  }
}

TEST_F(Recalculation, TheOuterRunWritesTheRateANestedRunLeft) {
  // 3000 Hz moves TrackBar6 to its minimum 4100, which rewrites Edit5; the
  // nested run writes at 4100 Hz, and so does the outer run after it.
  form.text[Field::Frequency] = "100";
  form.bars[fake::TrackBar::TrackBar3].position = 100;
  form.SetText(Field::SampleRate, "3000");
  EXPECT_EQ(form.text[Field::SampleRate], "4100");
  EXPECT_EQ(std::count(form.log.begin(), form.log.end(), "preview"), 2);
  const auto bytes = ReadBytes(file);
  EXPECT_EQ(bytes[24] | bytes[25] << 8 | bytes[26] << 16 | bytes[27] << 24, 4100);
  EXPECT_EQ(bytes.size(), 44u + 4u * 41u * 5u);  // 4100 div 100 frames a pulse
}

}  // namespace
