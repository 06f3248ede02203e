#include <platform/console.h>

#include "app/tavrion-wav/cli.h"

int main(int argc, char** argv) {
  return tavrion_wav::Run(platform::CommandLineArguments(argc, argv), platform::ConsoleOut(),
                          platform::ConsoleErr());
}
