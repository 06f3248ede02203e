// The resource script that carries resources into a Windows program, for the
// system's resource compiler: every resource as raw bytes of its numbered or
// named type, so that the program holds the very bytes the embedding source
// gives a Linux program, and the string table as the RT_STRING blocks the
// system's LoadStringA reads.
#pragma once

#include <string>
#include <vector>

#include "embed_source.h"

namespace resembed {

// The string table as RT_STRING resources: string `id` is entry id % 16 of
// block id / 16 + 1, each entry its length in 16-bit units and the UTF-16
// text, without a terminating zero; absent entries are an empty length.
std::vector<ResourceFile> StringBlocks(const std::vector<TableString>& strings);

// The script: language neutral, resource i's bytes read from the file
// `<data_folder>/<i>.bin`, which the caller writes. A text name or type must
// be a name the script can carry bare (letters, digits, '_', not a digit
// first); it is stored in upper case, as the embedding source stores it.
std::string ResourceScript(const std::vector<ResourceFile>& resources,
                           const std::string& data_folder);

}  // namespace resembed
