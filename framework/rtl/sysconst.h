// Loading the framework's messages from the program's string table.
#pragma once

#include <string>

#include <platform/types.h>

// The text of string `id`, or "" when the table has none.
std::string LoadResString(UINT id);
