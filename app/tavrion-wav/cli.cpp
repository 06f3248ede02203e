#include "app/tavrion-wav/cli.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include <platform/codepage.h>
#include <platform/kernel.h>
#include <platform/sound.h>

#include "app/tavrion-wav/preview_picture.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/intconv.h"
#include "framework/rtl/invariant.h"
#include "framework/rtl/scope_exit.h"
#include "stimulus/params.h"
#include "stimulus/wave_writer.h"

namespace tavrion_wav {

namespace {

using stimulus::Field;

using Params = stimulus::StimulusParams;

constexpr const char* kHelpHead =
    "usage: tavrion-wav [--frequency T] [--duration T] [--count T] [--rate T]\n"
    "                   [--amplitude T] [--zero T] [--delay T] [--output FILE]\n"
    "                   [--preview FILE] [--play] [--loop SECONDS] [--help]\n"
    "                   [--version]\n"
    "\n"
    "Writes a train of rectangular pulses as a 16-bit stereo WAV file.\n";

constexpr const char* kHelpTail =
    "  --preview FILE  then draw the window's preview of the train, 485 x 89,\n"
    "                  into FILE as PNG\n"
    "  --play          then play the file once and wait for its end\n"
    "  --loop SECONDS  then play the file in a loop for SECONDS (a positive\n"
    "                  number, fractions allowed) and stop it\n"
    "Each T is an integer: decimal with an optional sign, or hexadecimal after\n"
    "$, x or 0x. Amplitudes beyond -32768..32767 are written clamped.\n"
    "Exit status: 0 written (and played), 1 refused or not written, 2 bad value\n"
    "or usage, 3 written but it could not be played.\n";

// An option's line of the help, with its default.
std::string HelpLine(std::string option, const char* what, const std::string& value) {
  option.resize(16, ' ');
  return "  " + option + what + " (" + value + ")\n";
}

std::string Help() {
  const Params& d = stimulus::kDefaultParams;
  using std::to_string;
  return kHelpHead + HelpLine("--frequency T", "pulses per second", to_string(d.Frequency)) +
         HelpLine("--duration T", "pulse duration in microseconds", to_string(d.Duration)) +
         HelpLine("--count T", "number of pulses", to_string(d.Count)) +
         HelpLine("--rate T", "sample rate in Hz", to_string(d.SampleRate)) +
         HelpLine("--amplitude T", "sample value during a pulse", to_string(d.StimulusAmplitude)) +
         HelpLine("--zero T", "sample value between pulses", to_string(d.ZeroAmplitude)) +
         HelpLine("--delay T", "seconds before playback", to_string(d.Delay)) +
         HelpLine("--output FILE", "the file to write", std::string(stimulus::kDefaultFileName)) +
         kHelpTail;
}

// The longest loop asked for on the command line, in seconds.
constexpr double kLongestLoop = 2147483647.0;
// Long waits are slept in pieces a DWORD of milliseconds holds.
constexpr std::uint64_t kLongestSleepMilliseconds = 3600 * 1000;
constexpr std::uint64_t kMillisecondsPerSecond = 1000;

struct Option {
  Option(const char* name, Field field, std::int32_t Params::*parameter)
      : name(name),
        field(field),
        parameter(parameter),
        value(std::to_string(stimulus::kDefaultParams.*parameter)) {}
  const char* name;
  Field field;
  std::int32_t Params::*parameter;
  std::string value;
};

struct Command {
  std::array<Option, 7> values{{
      {"--frequency", Field::Frequency, &Params::Frequency},
      {"--rate", Field::SampleRate, &Params::SampleRate},
      {"--delay", Field::Delay, &Params::Delay},
      {"--duration", Field::Duration, &Params::Duration},
      {"--count", Field::Count, &Params::Count},
      {"--amplitude", Field::StimulusAmplitude, &Params::StimulusAmplitude},
      {"--zero", Field::ZeroAmplitude, &Params::ZeroAmplitude},
  }};
  std::string output{stimulus::kDefaultFileName};
  // The PNG picture of the preview, when asked for.
  std::optional<std::string> preview;
  bool play = false;
  // Seconds of loop; none when the file is played once or not at all.
  std::optional<double> loop;

  // The options lie in the order of the fields, so a field finds its own.
  const Option& Of(Field field) const {
    const Option& o = values.at(static_cast<std::size_t>(field));
    TAV_INVARIANT(o.field == field, "the options lie in the order of the fields");
    return o;
  }
};

class UsageError {
 public:
  explicit UsageError(std::string text) : text(std::move(text)) {}
  std::string text;
};

// The option's text as the program's fields would hold it (code page 1251).
std::string Cp1251Value(const std::string& option, const std::string& utf8) {
  const auto text = codepage::Utf8ToCp1251(utf8);
  if (!text) throw UsageError(option + " " + utf8 + ": has characters code page 1251 lacks");
  return *text;
}

std::string GateReason(Field field) {
  switch (field) {
    case Field::Delay:
      return "must not be negative";
    case Field::StimulusAmplitude:
    case Field::ZeroAmplitude:
      return "999999 is not accepted as an amplitude";
    default:
      return "must be greater than 0";
  }
}

std::string Fixed3(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

double LoopSeconds(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  const double seconds = std::strtod(begin, &end);
  if (text.empty() || end != begin + text.size() || !std::isfinite(seconds) || seconds <= 0 ||
      seconds > kLongestLoop) {
    throw UsageError("--loop " + text + ": SECONDS must be a positive number of seconds");
  }
  return seconds;
}

void SleepMilliseconds(std::uint64_t milliseconds) {
  while (milliseconds > 0) {
    const std::uint64_t piece = std::min(milliseconds, kLongestSleepMilliseconds);
    Sleep(static_cast<DWORD>(piece));
    milliseconds -= piece;
  }
}

// Waits out the delay, then plays the written file `name` (code page 1251)
// once, waiting for its end, or loops it for the seconds asked and stops it.
int Play(const Command& command, const std::string& name, std::int32_t delay, std::ostream& err,
         const HostMaker& make_host) {
  // The host that plays, installed while the file plays.
  const std::unique_ptr<host::Host> player = make_host();
  host::Install(player.get());
  const ScopeExit uninstall([] { host::Install(nullptr); });
  SleepMilliseconds(static_cast<std::uint64_t>(delay) * kMillisecondsPerSecond);
  const DWORD flags = command.loop ? SND_ASYNC | SND_LOOP : SND_SYNC;
  if (!PlaySoundA(name.c_str(), nullptr, flags)) {
    err << "tavrion-wav: " << command.output << " was written but could not be played\n";
    return kNotPlayed;
  }
  if (command.loop) {
    SleepMilliseconds(static_cast<std::uint64_t>(
        std::llround(*command.loop * static_cast<double>(kMillisecondsPerSecond))));
    PlaySoundA(nullptr, nullptr, SND_PURGE);
  }
  return kWritten;
}

int Generate(Command& command, std::ostream& out, std::ostream& err, const HostMaker& make_host) {
  // Every text must read as an integer before the gate is asked: each is read
  // once, strictly, into the set.
  Params p;
  for (const Option& o : command.values) {
    try {
      p.*o.parameter = StrToInt(Cp1251Value(o.name, o.value));
    } catch (const EConvertError& e) {
      throw UsageError(std::string(o.name) + " " + o.value + ": " +
                       codepage::Cp1251ToUtf8(e.Message()));
    }
  }
  if (const auto failing = stimulus::GateFailure(p)) {
    const Option& o = command.Of(*failing);
    throw UsageError(std::string(o.name) + " " + o.value + ": " + GateReason(*failing));
  }
  if (const auto refusal = stimulus::DeriveAndCheck(p)) {
    err << codepage::Cp1251ToUtf8(*refusal) << '\n';
    return kRefused;
  }
  const std::string name = Cp1251Value("--output", command.output);
  const auto written = stimulus::WriteWaveFile(p, name, [](int) {});
  if (!written.ok) {
    err << codepage::Cp1251ToUtf8(written.message) << '\n';
    return kRefused;
  }
  if (command.preview && !WritePreviewPicture(p, *command.preview)) {
    err << "tavrion-wav: cannot write the preview " << *command.preview << '\n';
    return kRefused;
  }
  const double period = static_cast<double>(p.PulseSamples) + p.IntervalSamples;
  out << command.output << ": " << p.PulseSamples << " pulse frames, " << p.IntervalSamples
      << " interval frames, " << p.TotalSamples << " frames in all; "
      << Fixed3(p.SampleRate / period) << " pulses/s, "
      << Fixed3(1e6 * p.PulseSamples / p.SampleRate) << " us per pulse\n";
  if (!command.play && !command.loop) return kWritten;
  out.flush();
  return Play(command, name, p.Delay, err, make_host);
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const HostMaker& make_host) {
  Command command;
  try {
    for (std::size_t i = 0; i < args.size(); ++i) {
      const std::string& arg = args[i];
      if (arg == "--help") {
        out << Help();
        return kWritten;
      }
      if (arg == "--version") {
        out << TAVRION_VERSION << '\n';
        return kWritten;
      }
      if (arg == "--play") {
        command.play = true;
        continue;
      }
      if (arg == "--loop") {
        if (i + 1 == args.size()) throw UsageError(arg + " needs a value");
        command.loop = LoopSeconds(args[++i]);
        continue;
      }
      std::string* target = nullptr;
      if (arg == "--output") target = &command.output;
      if (arg == "--preview") target = &command.preview.emplace();
      for (Option& o : command.values) {
        if (arg == o.name) target = &o.value;
      }
      if (target == nullptr) throw UsageError("unknown option " + arg + " (see --help)");
      if (i + 1 == args.size()) throw UsageError(arg + " needs a value");
      *target = args[++i];
    }
    if (command.play && command.loop) throw UsageError("--play and --loop exclude each other");
    return Generate(command, out, err, make_host);
  } catch (const UsageError& e) {
    err << "tavrion-wav: " << e.text << '\n';
    return kUsage;
  }
}

}  // namespace tavrion_wav
