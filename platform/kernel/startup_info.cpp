#include "startup_info.h"

#include <atomic>

#include <platform/kernel.h>

namespace kernel {

namespace {

// -1: started without a show command.
std::atomic<int> show_command{-1};

}  // namespace

void SetStartupShowCommand(std::optional<WORD> command) {
  show_command = command ? *command : -1;
}

}  // namespace kernel

void GetStartupInfoA(STARTUPINFOA* info) {
  if (info == nullptr) return;
  *info = {};
  info->cb = sizeof *info;
  const int command = kernel::show_command;
  if (command >= 0) {
    info->dwFlags = STARTF_USESHOWWINDOW;
    info->wShowWindow = static_cast<WORD>(command);
  }
}
