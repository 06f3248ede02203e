// tavrion-wav: writes the stimulus file for a parameter set given on the
// command line, with the same reading, checks and writer as the window.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/host/console_host.h"

namespace tavrion_wav {

enum ExitCode { kWritten = 0, kRefused = 1, kUsage = 2, kNotPlayed = 3 };

// Makes the host that plays the file; called only when a sound is to be played.
using HostMaker = std::function<std::unique_ptr<host::Host>()>;

// Runs with the arguments after the program name; texts on the streams are UTF-8.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const HostMaker& make_host = host::MakeConsoleHost);

}  // namespace tavrion_wav
