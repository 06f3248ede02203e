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
};

Result Wav(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = tavrion_wav::Run(args, out, err);
  return {code, out.str(), err.str()};
}

class TavrionWav : public testing::Test {
 protected:
  TempDir dir;
  std::string file = dir.File("out.wav");
};

TEST_F(TavrionWav, DefaultsWriteThe2984ByteFile) {
  const Result r = Wav({"--output", file});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(ReadBytes(file).size(), 2984u);
  EXPECT_EQ(r.out, file +
                       ": 44 pulse frames, 103 interval frames, 735 frames in all; "
                       "300.000 pulses/s, 997.732 us per pulse\n");
  EXPECT_EQ(r.err, "");
}

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
    std::string err;
  } cases[] = {
      {{"--frequency", "1000"}, 1, "Oops! Ширина импульсов больше межимпульсного интервала!\n"},
      {{"--duration", "10"},
       1,
       "Невозможно воспроизвести такой короткий импульс\nпри текушей Sample Rate\n"},
      {{"--frequency", "1", "--count", "1000000"},
       1,
       "Слишком длинная серия импульсов для WAV-файла\n"},
      {{"--rate", "2000000000"},
       1,
       "Частота дискретизации больше 1073741823 Гц\nне помещается в заголовок WAV-файла\n"},
      {{"--output", missing}, 1, "Can't create file: " + missing + "\n"},
      {{"--output", ""}, 1, "Can't create file: \n"},
      {{"--output", "/dev/full", "--play"}, 1, "Can't write file: /dev/full\n"},
      {{"--frequency", "abc"},
       2,
       "tavrion-wav: --frequency abc: 'abc' is not a valid integer value\n"},
      {{"--count", "5 "}, 2, "tavrion-wav: --count 5 : '5 ' is not a valid integer value\n"},
      {{"--frequency", "-5"}, 2, "tavrion-wav: --frequency -5: must be greater than 0\n"},
      {{"--delay", "-1"}, 2, "tavrion-wav: --delay -1: must not be negative\n"},
      {{"--amplitude", "999999"},
       2,
       "tavrion-wav: --amplitude 999999: 999999 is not accepted as an amplitude\n"},
      {{"--output", "\xE4\xB8\xAD.wav"},
       2,
       "tavrion-wav: --output \xE4\xB8\xAD.wav: has characters code page 1251 lacks\n"},
      {{"--speed", "3"}, 2, "tavrion-wav: unknown option --speed (see --help)\n"},
      {{"--loop", "1s"},
       2,
       "tavrion-wav: --loop 1s: SECONDS must be a positive number of seconds\n"},
      {{"--play", "--loop", "1"}, 2, "tavrion-wav: --play and --loop exclude each other\n"},
      {{"--loop", "1", "--frequency"}, 2, "tavrion-wav: --frequency needs a value\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    std::vector<std::string> args = {"--output", file, "--preview", picture};
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::ostringstream out, err;
    int hosts = 0;
    const int code = tavrion_wav::Run(args, out, err, [&] {
      ++hosts;
      return std::make_unique<host::RealTimeHost>();
    });
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(err.str(), c.err);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(hosts, 0);
    EXPECT_FALSE(std::filesystem::exists(picture));
    EXPECT_FALSE(std::filesystem::exists(file));
  }
}

// The default train: pulses 29 pixels wide every 97, from row 44 up to row 1;
// dotted guides (3 pixels on, 3 off from x = 0) at rows 1, 44 and 88.
TEST_F(TavrionWav, PreviewOfTheDefaultsIsTheWindowsPicture) {
  const std::string picture = dir.File("preview.png");
  const Result r = Wav({"--output", file, "--preview", picture});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadBytes(file).size(), 2984u);
  const PngImage image = ReadPng(picture);
  ASSERT_EQ(image.width, 485);
  ASSERT_EQ(image.height, 89);
  constexpr COLORREF kWhite = 0x00FFFFFF, kGuide = 0x00E2E8E8, kGreen = 0x00008000;
  const struct {
    int x, y;
    COLORREF color;
    const char* what;
  } points[] = {
      {0, 44, kGreen, "start of the trace"},
      {0, 1, kGreen, "first corner"},
      {15, 1, kGreen, "pulse top where the guide is off"},
      {29, 1, kGreen, "top of the falling edge"},
      {29, 43, kGreen, "falling edge"},
      {29, 44, kGreen, "start of the baseline"},
      {97, 20, kGreen, "second rising edge"},
      {416, 1, kGreen, "end of the last pulse top"},
      {417, 30, kGreen, "last falling edge"},
      {484, 44, kGreen, "end of the last baseline"},
      {30, 1, kGuide, "top guide between pulses, on"},
      {33, 1, kWhite, "top guide between pulses, off"},
      {1, 44, kGuide, "middle guide under a pulse, on"},
      {3, 44, kWhite, "middle guide under a pulse, off"},
      {0, 88, kGuide, "bottom guide, on"},
      {3, 88, kWhite, "bottom guide, off"},
      {484, 88, kWhite, "bottom guide, off"},
      {0, 0, kWhite, "above the guide"},
      {14, 20, kWhite, "inside a pulse"},
      {60, 20, kWhite, "inside a gap"},
  };
  for (const auto& p : points) {
    EXPECT_EQ(image.At(p.x, p.y), p.color) << p.what << " at (" << p.x << ", " << p.y << ")";
  }
}

TEST_F(TavrionWav, APreviewThatCannotBeWrittenExitsOneAndIsNotPlayed) {
  const std::string picture = dir.File("missing/preview.png");
  std::ostringstream out, err;
  int hosts = 0;
  const int code =
      tavrion_wav::Run({"--output", file, "--preview", picture, "--play"}, out, err, [&] {
        ++hosts;
        return std::make_unique<host::RealTimeHost>();
      });
  EXPECT_EQ(code, 1);
  EXPECT_EQ(err.str(), "tavrion-wav: cannot write the preview " + picture + "\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(hosts, 0);
  EXPECT_EQ(ReadBytes(file).size(), 2984u);  // the train itself was written
}

TEST_F(TavrionWav, HelpAndVersion) {
  EXPECT_EQ(Wav({"--version"}).out, "2.2.0.0\n");
  const Result help = Wav({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--frequency"), std::string::npos);
}

}  // namespace
