// tavrion-wav driven with argument lists: exit codes, messages and the file.
#include <sstream>

#include <gtest/gtest.h>

#include "app/tavrion-wav/cli.h"
#include "platform/host/real_time_host.h"
#include "tests/support/png_image.h"
#include "tests/support/temp_dir.h"

namespace {

struct Result {
  int code;
  std::string out, err;
  int hosts;  // sound hosts the run made
};

Result Wav(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int hosts = 0;
  const int code = tavrion_wav::Run(args, out, err, [&] {
    ++hosts;
    return std::make_unique<host::RealTimeHost>();
  });
  return {code, out.str(), err.str(), hosts};
}

class TavrionWav : public testing::Test {
 protected:
  TempDir dir;
  std::string file = dir.File("out.wav");
};

TEST_F(TavrionWav, ValuesAreReadLikeTheFields) {
  const Result r = Wav({"--frequency", "0x12C", "--duration", " 1000", "--count", "+3", "--zero",
                        "-100", "--amplitude", "$7FFF", "--output", file});
  EXPECT_EQ(r.code, 0) << r.err;
  const auto bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), 44u + 4u * 147u * 3u);
  EXPECT_EQ(bytes[44 + 4 * 44], 0x9C);  // -100
  EXPECT_EQ(bytes[45 + 4 * 44], 0xFF);
}

TEST_F(TavrionWav, RussianFileNamesRoundTrip) {
  const std::string name = dir.File("стимул.wav");
  EXPECT_EQ(Wav({"--output", name}).code, 0);
  EXPECT_TRUE(std::filesystem::exists(name));
}

// Whatever is refused writes no picture and plays nothing: refused sets and
// files that cannot be written exit 1 with the message in UTF-8, unreadable
// values and usage exit 2 naming the option.
TEST_F(TavrionWav, RefusalsWriteNoPictureAndPlayNothing) {
  const std::string missing = dir.File("missing/x.wav");
  const std::string picture = dir.File("preview.png");
  const struct {
    std::vector<std::string> args;
    int code;
    std::string err;  // a line, after "tavrion-wav: " for usage
  } cases[] = {
      {{"--frequency", "1000"}, 1, "Oops! Ширина импульсов больше межимпульсного интервала!"},
      {{"--duration", "10"},
       1,
       "Невозможно воспроизвести такой короткий импульс\nпри текушей Sample Rate"},
      {{"--frequency", "1", "--count", "1000000"},
       1,
       "Слишком длинная серия импульсов для WAV-файла"},
      {{"--rate", "2000000000"},
       1,
       "Частота дискретизации больше 1073741823 Гц\nне помещается в заголовок WAV-файла"},
      {{"--output", missing}, 1, "Can't create file: " + missing},
      {{"--output", ""}, 1, "Can't create file: "},
      {{"--output", "/dev/full", "--play"}, 1, "Can't write file: /dev/full"},
      {{"--frequency", "abc"}, 2, "--frequency abc: 'abc' is not a valid integer value"},
      {{"--count", "5 "}, 2, "--count 5 : '5 ' is not a valid integer value"},
      {{"--frequency", "-5"}, 2, "--frequency -5: must be greater than 0"},
      {{"--delay", "-1"}, 2, "--delay -1: must not be negative"},
      {{"--amplitude", "999999"}, 2, "--amplitude 999999: 999999 is not accepted as an amplitude"},
      {{"--output", "\xE4\xB8\xAD.wav"},
       2,
       "--output \xE4\xB8\xAD.wav: has characters code page 1251 lacks"},
      {{"--speed", "3"}, 2, "unknown option --speed (see --help)"},
      {{"--loop", "1s"}, 2, "--loop 1s: SECONDS must be a positive number of seconds"},
      {{"--play", "--loop", "1"}, 2, "--play and --loop exclude each other"},
      {{"--loop", "1", "--frequency"}, 2, "--frequency needs a value"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    std::vector<std::string> args = {"--output", file, "--preview", picture};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Result r = Wav(args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.err, (c.code == 2 ? "tavrion-wav: " : "") + c.err + "\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.hosts, 0);
    EXPECT_FALSE(std::filesystem::exists(picture));
    EXPECT_FALSE(std::filesystem::exists(file));
  }
}

// The defaults: the file and its preview, pulses 29 pixels wide every 97,
// from row 44 up to row 1, the last falling at 417; dotted guides (3 pixels
// on, 3 off from x = 0) at rows 1, 44 and 88, white between them, inside
// pulses and in gaps.
TEST_F(TavrionWav, DefaultsWriteThe2984ByteFileAndTheWindowsPreview) {
  const std::string picture = dir.File("preview.png");
  const Result r = Wav({"--output", file, "--preview", picture});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(ReadBytes(file).size(), 2984u);
  EXPECT_EQ(r.out, file +
                       ": 44 pulse frames, 103 interval frames, 735 frames in all; "
                       "300.000 pulses/s, 997.732 us per pulse\n");
  EXPECT_EQ(r.err, "");
  const PngImage image = ReadPng(picture);
  ASSERT_EQ(image.width, 485);
  ASSERT_EQ(image.height, 89);
  // The colours and, for each, the x, y of points in it.
  const std::pair<COLORREF, std::vector<int>> colours[] = {
      {0x008000, {0, 44, 0, 1, 15, 1, 29, 1, 29, 43, 29, 44, 97, 20, 416, 1, 417, 30, 484, 44}},
      {0xE2E8E8, {30, 1, 1, 44, 0, 88}},
      {0xFFFFFF, {33, 1, 3, 44, 3, 88, 484, 88, 0, 0, 14, 20, 60, 20}},
  };
  for (const auto& [colour, xy] : colours) {
    for (std::size_t i = 0; i < xy.size(); i += 2) {
      EXPECT_EQ(image.At(xy[i], xy[i + 1]), colour) << xy[i] << ", " << xy[i + 1];
    }
  }
}

TEST_F(TavrionWav, APreviewThatCannotBeWrittenExitsOneAndIsNotPlayed) {
  const std::string picture = dir.File("missing/preview.png");
  const Result r = Wav({"--output", file, "--preview", picture, "--play"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "tavrion-wav: cannot write the preview " + picture + "\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.hosts, 0);
  EXPECT_EQ(ReadBytes(file).size(), 2984u);  // the train itself was written
}

TEST_F(TavrionWav, HelpAndVersion) {
  EXPECT_EQ(Wav({"--version"}).out, "2.2.0.0\n");
  const Result help = Wav({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--frequency"), std::string::npos);
}

}  // namespace
