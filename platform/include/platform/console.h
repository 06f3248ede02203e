// The command line and the console of a command-line program, as UTF-8 text
// on every system. Ours, not the desktop API's.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace platform {

// The arguments after the program's name. On Windows they come from the
// wide command line, so that any character survives.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Standard output and error. On Windows a console shows the text as UTF-16;
// a file or pipe gets the UTF-8 bytes, as on Linux.
std::ostream& ConsoleOut();
std::ostream& ConsoleErr();

}  // namespace platform
