// The recalculation against a stand-in form: what it writes, shows and draws,
// the silent gate, and runs nested through the track bars.
#include <gtest/gtest.h>

#include "stimulus/wave_writer.h"
#include "tests/stimulus/fake_form.h"
#include "tests/support/temp_dir.h"

namespace {

using fake::Field;
using Log = std::vector<std::string>;

const Log kDefaultWrite = {"progress 20",  "progress 40", "progress 60", "progress 80",
                           "progress 100", "progress 0",  "preview"};

class Recalculation : public testing::Test {
 protected:
  Recalculation() { form.text[Field::FileName] = file; }
  void Recalc() { stimulus::Recalculate(form, form.shared); }
  std::uint32_t FileRate() {
    const auto bytes = ReadBytes(file);
    return bytes[24] | bytes[25] << 8 | bytes[26] << 16 | bytes[27] << 24;
  }
  std::string Message(std::string_view text) { return "message " + std::string(text); }

  TempDir dir;
  std::string file = dir.File("tavrion.wav");
  fake::Form form;
};

TEST_F(Recalculation, DefaultsWriteTheFileAndDrawWithoutMovingTrackBars) {
  Recalc();
  EXPECT_EQ(form.log, kDefaultWrite);
  EXPECT_EQ(ReadBytes(file).size(), 2984u);
  EXPECT_EQ(form.canvas.calls.back(), "LineTo 485 44");
  EXPECT_EQ(form.shared.Frequency, 300);
  EXPECT_EQ(form.shared.Duration, 1000);
  EXPECT_EQ(form.shared.Count, 5);
}

TEST_F(Recalculation, GateStopsSilentlyButSharedValuesAreKept) {
  const struct {
    Field field;
    const char* text;
  } cases[] = {{Field::Frequency, "abc"}, {Field::Frequency, "-5"},
               {Field::Delay, ""},        {Field::StimulusAmplitude, "999999"},
               {Field::Count, "0"},       {Field::SampleRate, "300 "}};
  for (const auto& c : cases) {
    fake::Form f;
    f.text[Field::FileName] = file;
    f.text[c.field] = c.text;
    stimulus::Recalculate(f, f.shared);
    EXPECT_TRUE(f.log.empty()) << c.text;
    EXPECT_FALSE(std::filesystem::exists(file)) << c.text;
    EXPECT_EQ(f.shared.Frequency, StrToIntDef(f.text[Field::Frequency], 0)) << c.text;
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
  EXPECT_EQ(form.log, (Log{"TrackBar4=5000", Message(stimulus::PulseWiderThanIntervalMessage())}));
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_EQ(form.canvas.calls, drawn);
}

TEST_F(Recalculation, TooLongTrainIsRefusedBeforeAnythingIsWritten) {
  form.bars[fake::TrackBar::TrackBar5].position = 50;  // so the count is not rewritten
  form.text[Field::Frequency] = "1";
  form.text[Field::Count] = "1000000";
  Recalc();
  EXPECT_EQ(form.log, (Log{"TrackBar3=1", Message(stimulus::TrainTooLongMessage())}));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(form.canvas.calls.empty());
}

TEST_F(Recalculation, FileThatCannotBeCreatedEndsTheRunWithoutPreview) {
  form.text[Field::FileName] = dir.File("no/such/folder.wav");
  Recalc();
  EXPECT_EQ(form.log, (Log{"message Can't create file: " + dir.File("no/such/folder.wav")}));
  form.log.clear();
  form.text[Field::FileName] = "";
  Recalc();
  EXPECT_EQ(form.log, (Log{"message Can't create file: "}));
  EXPECT_TRUE(form.canvas.calls.empty());
}

TEST_F(Recalculation, FailingWriteIsReportedAndNotDrawn) {
  form.text[Field::FileName] = "/dev/full";
  Recalc();
  ASSERT_GE(form.log.size(), 2u);
  EXPECT_EQ(form.log[form.log.size() - 2], "progress 0");
  EXPECT_EQ(form.log.back(), "message Can't write file: /dev/full");
  EXPECT_TRUE(form.canvas.calls.empty());
}

TEST_F(Recalculation, AmplitudeBeyondSixteenBitsIsClampedInTheFileButDrawnAsTyped) {
  form.text[Field::StimulusAmplitude] = "40000";  // TrackBar1 already at its maximum
  Recalc();
  EXPECT_EQ(form.log, kDefaultWrite);
  const auto bytes = ReadBytes(file);
  EXPECT_EQ(bytes[44], 0xFF);
  EXPECT_EQ(bytes[45], 0x7F);
  EXPECT_NE(std::find(form.canvas.calls.begin(), form.canvas.calls.end(), "LineTo 0 -8"),
            form.canvas.calls.end());
}

TEST_F(Recalculation, ClampedTrackBarRewritesItsFieldAndRunsNested) {
  // Edit2 at 500 first; then 2000 typed into Edit1.
  form.SetText(Field::Duration, "500");
  form.log.clear();
  form.SetText(Field::Frequency, "2000");
  Log expected = {"TrackBar3=1000"};
  for (int run = 0; run < 2; ++run) {  // the nested run, then the outer one
    for (const auto& p : {"progress 20", "progress 40", "progress 60", "progress 80",
                          "progress 100", "progress 0", "preview"}) {
      expected.push_back(p);
    }
  }
  EXPECT_EQ(form.log, expected);
  EXPECT_EQ(form.text[Field::Frequency], "1000");
  EXPECT_EQ(form.shared.Frequency, 1000);
  // 1000 pulses/s at 500 us: 22 + 22 frames a pulse.
  EXPECT_EQ(ReadBytes(file).size(), 44u + 4u * 44u * 5u);
}

TEST_F(Recalculation, OuterRunKeepsItsOwnSampleRate) {
  // 3000 Hz moves TrackBar6 to its minimum 4100, which rewrites Edit5; the
  // nested run writes at 4100 Hz, then the outer run again at the 3000 it read.
  form.text[Field::Frequency] = "100";
  form.bars[fake::TrackBar::TrackBar3].position = 100;
  form.SetText(Field::SampleRate, "3000");
  EXPECT_EQ(form.text[Field::SampleRate], "4100");
  EXPECT_EQ(std::count(form.log.begin(), form.log.end(), "preview"), 2);
  EXPECT_EQ(FileRate(), 3000u);
}

TEST_F(Recalculation, NonDecimalTextIsRewrittenOnlyWhenTheTrackBarMoves) {
  form.SetText(Field::Frequency, "0300");  // TrackBar3 already at 300
  EXPECT_EQ(form.text[Field::Frequency], "0300");
  form.SetText(Field::Frequency, "0x190");  // 400: TrackBar3 moves and rewrites
  EXPECT_EQ(form.text[Field::Frequency], "400");
  EXPECT_EQ(form.bars[fake::TrackBar::TrackBar3].position, 400);
}

}  // namespace
