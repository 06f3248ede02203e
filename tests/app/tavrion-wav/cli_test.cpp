// tavrion-wav driven with argument lists: exit codes, messages and the file.
#include <sstream>

#include <gtest/gtest.h>

#include "app/tavrion-wav/cli.h"
#include "platform/host/real_time_host.h"
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

TEST_F(TavrionWav, RealRateAndDurationAfterRounding) {
  const Result r =
      Wav({"--frequency", "7", "--duration", "333", "--rate", "8000", "--output", file});
  EXPECT_EQ(r.code, 0) << r.err;
  // 8000 div 7 = 1142 frames a period, 2 of them pulse.
  EXPECT_EQ(r.out, file +
                       ": 2 pulse frames, 1140 interval frames, 5710 frames in all; "
                       "7.005 pulses/s, 250.000 us per pulse\n");
}

TEST_F(TavrionWav, RefusalsExitOneWithTheMessageInUtf8) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"--frequency", "1000"}, "Oops! Ширина импульсов больше межимпульсного интервала!\n"},
      {{"--duration", "10"},
       "Невозможно воспроизвести такой короткий импульс\nпри текушей Sample Rate\n"},
      {{"--frequency", "1", "--count", "1000000"},
       "Слишком длинная серия импульсов для WAV-файла\n"},
      {{"--rate", "2000000000"},
       "Частота дискретизации больше 1073741823 Гц\nне помещается в заголовок WAV-файла\n"},
  };
  for (const auto& c : cases) {
    auto args = c.args;
    args.insert(args.end(), {"--output", file});
    const Result r = Wav(args);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(std::filesystem::exists(file));
  }
}

TEST_F(TavrionWav, FilesThatCannotBeWrittenExitOne) {
  const std::string missing = dir.File("missing/x.wav");
  EXPECT_EQ(Wav({"--output", missing}).err, "Can't create file: " + missing + "\n");
  EXPECT_EQ(Wav({"--output", ""}).err, "Can't create file: \n");
  const Result full = Wav({"--output", "/dev/full"});
  EXPECT_EQ(full.code, 1);
  EXPECT_EQ(full.err, "Can't write file: /dev/full\n");
}

TEST_F(TavrionWav, RussianFileNamesRoundTrip) {
  const std::string name = dir.File("стимул.wav");
  EXPECT_EQ(Wav({"--output", name}).code, 0);
  EXPECT_TRUE(std::filesystem::exists(name));
}

TEST_F(TavrionWav, UnreadableValuesAndGateRefusalsExitTwoNamingTheOption) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"--frequency", "abc"},
       "tavrion-wav: --frequency abc: 'abc' is not a valid integer value\n"},
      {{"--count", "5 "}, "tavrion-wav: --count 5 : '5 ' is not a valid integer value\n"},
      {{"--rate", "2147483648"},
       "tavrion-wav: --rate 2147483648: '2147483648' is not a valid integer value\n"},
      {{"--frequency", "-5"}, "tavrion-wav: --frequency -5: must be greater than 0\n"},
      {{"--delay", "-1"}, "tavrion-wav: --delay -1: must not be negative\n"},
      {{"--amplitude", "999999"},
       "tavrion-wav: --amplitude 999999: 999999 is not accepted as an amplitude\n"},
      {{"--output", "\xE4\xB8\xAD.wav"},
       "tavrion-wav: --output \xE4\xB8\xAD.wav: has characters code page 1251 lacks\n"},
      {{"--frequency"}, "tavrion-wav: --frequency needs a value\n"},
      {{"--speed", "3"}, "tavrion-wav: unknown option --speed (see --help)\n"},
      {{"out.wav"}, "tavrion-wav: unknown option out.wav (see --help)\n"},
  };
  for (const auto& c : cases) {
    const Result r = Wav(c.args);
    EXPECT_EQ(r.code, 2) << c.err;
    EXPECT_EQ(r.err, c.err);
  }
}

TEST_F(TavrionWav, PlayingIsAskedOnlyForAWrittenFileWithAGoodLoopLength) {
  const struct {
    std::vector<std::string> args;
    int code;
    std::string err;
  } cases[] = {
      {{"--loop", "0"}, 2, "tavrion-wav: --loop 0: SECONDS must be a positive number of seconds\n"},
      {{"--loop", "-1"},
       2,
       "tavrion-wav: --loop -1: SECONDS must be a positive number of seconds\n"},
      {{"--loop", "1s"},
       2,
       "tavrion-wav: --loop 1s: SECONDS must be a positive number of seconds\n"},
      {{"--loop", "nan"},
       2,
       "tavrion-wav: --loop nan: SECONDS must be a positive number of seconds\n"},
      {{"--loop"}, 2, "tavrion-wav: --loop needs a value\n"},
      {{"--play", "--loop", "1"}, 2, "tavrion-wav: --play and --loop exclude each other\n"},
      {{"--play", "--count", "0"}, 2, "tavrion-wav: --count 0: must be greater than 0\n"},
      {{"--play", "--frequency", "1000"}, 1, ""},  // the pulse fills the period
      {{"--loop", "1", "--output", ""}, 1, "Can't create file: \n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    std::ostringstream out, err;
    int hosts = 0;
    const int code = tavrion_wav::Run(c.args, out, err, [&] {
      ++hosts;
      return std::make_unique<host::RealTimeHost>();
    });
    EXPECT_EQ(code, c.code);
    if (!c.err.empty()) {
      EXPECT_EQ(err.str(), c.err);
    }
    EXPECT_EQ(hosts, 0);
  }
}

TEST_F(TavrionWav, HelpAndVersion) {
  EXPECT_EQ(Wav({"--version"}).out, "2.2.0.0\n");
  const Result help = Wav({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--frequency"), std::string::npos);
}

}  // namespace
