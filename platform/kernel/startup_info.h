// How the process was started, as the host that started it says.
#pragma once

#include <optional>

#include <platform/types.h>

namespace kernel {

// The show command the process was started with, or none.
void SetStartupShowCommand(std::optional<WORD> command);

}  // namespace kernel
