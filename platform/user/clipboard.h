// The clipboard's text for the platform's own controls: code page 1251 here,
// UTF-8 at the host.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace user {

// FIXME: the desktop's clipboard calls (OpenClipboard, SetClipboardData ...)
// are not built; the platform's controls use these.

void SetClipboardText(std::string_view cp1251);
// Nothing when the clipboard holds no text. Characters the code page lacks
// arrive as '?'.
std::optional<std::string> ClipboardText();

}  // namespace user
