// The clipboard calls, text only: code page 1251 for the program, UTF-8 at
// the host, which keeps the text.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include <platform/codepage.h>
#include <platform/kernel.h>
#include <platform/windows.h>

#include "../host/host.h"
#include "state.h"

namespace {

struct Clipboard {
  bool open = false;
  HWND open_by = nullptr;
  DWORD thread = 0;
  // The block last handed out by GetClipboardData; the system's to free.
  HGLOBAL given = nullptr;
};

std::mutex& Mutex() {
  static auto& mutex = *new std::mutex;
  return mutex;
}

Clipboard& State() {
  static auto& clipboard = *new Clipboard;
  return clipboard;
}

void FreeGiven(Clipboard& clipboard) {
  if (clipboard.given != nullptr) GlobalFree(clipboard.given);
  clipboard.given = nullptr;
}

// Whether the calling thread has the clipboard open; if not, the last error
// says so.
bool OpenHere(const Clipboard& clipboard) {
  if (clipboard.open && clipboard.thread == GetCurrentThreadId()) return true;
  SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
  return false;
}

// The host's text in the code page; characters it lacks become '?'.
std::optional<std::string> HostText() {
  const std::optional<std::string> utf8 = host::Current().ClipboardText();
  if (!utf8) return std::nullopt;
  std::string out;
  std::size_t pos = 0;
  while (pos < utf8->size()) {
    const std::optional<char32_t> u = codepage::DecodeUtf8(*utf8, pos);
    if (!u) {
      ++pos;  // a malformed byte stands for one unknown character
      out += '?';
      continue;
    }
    const int byte = codepage::UnicodeToCp1251(*u);
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

}  // namespace

namespace user {

void ResetClipboard() {
  const std::lock_guard guard(Mutex());
  FreeGiven(State());
  State() = {};
}

}  // namespace user

BOOL OpenClipboard(HWND owner) {
  const std::lock_guard guard(Mutex());
  Clipboard& clipboard = State();
  if (clipboard.open && (clipboard.thread != GetCurrentThreadId() || clipboard.open_by != owner)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  clipboard.open = true;
  clipboard.open_by = owner;
  clipboard.thread = GetCurrentThreadId();
  return TRUE;
}

BOOL CloseClipboard() {
  const std::lock_guard guard(Mutex());
  Clipboard& clipboard = State();
  if (!OpenHere(clipboard)) return FALSE;
  FreeGiven(clipboard);
  clipboard.open = false;
  clipboard.open_by = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  const std::lock_guard guard(Mutex());
  Clipboard& clipboard = State();
  if (!OpenHere(clipboard)) return FALSE;
  FreeGiven(clipboard);
  host::Current().ClearClipboard();
  return TRUE;
}

// FIXME: text only; other formats and delayed rendering (null data) fail.
HANDLE SetClipboardData(UINT format, HANDLE data) {
  const std::lock_guard guard(Mutex());
  if (!OpenHere(State())) return nullptr;
  const SIZE_T size = GlobalSize(data);
  if (format != CF_TEXT || data == nullptr || size == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const auto* bytes = static_cast<const char*>(GlobalLock(data));
  const std::string_view text(bytes, std::find(bytes, bytes + size, '\0') - bytes);
  host::Current().SetClipboardText(codepage::Cp1251ToUtf8(text));
  GlobalUnlock(data);
  // The data is the system's now; the host keeps the text.
  GlobalFree(data);
  return data;
}

HANDLE GetClipboardData(UINT format) {
  const std::lock_guard guard(Mutex());
  Clipboard& clipboard = State();
  if (!OpenHere(clipboard)) return nullptr;
  const std::optional<std::string> text = format == CF_TEXT ? HostText() : std::nullopt;
  if (!text) return nullptr;
  FreeGiven(clipboard);
  clipboard.given = GlobalAlloc(GMEM_MOVEABLE, text->size() + 1);
  std::memcpy(GlobalLock(clipboard.given), text->c_str(), text->size() + 1);
  GlobalUnlock(clipboard.given);
  return clipboard.given;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  return format == CF_TEXT && host::Current().ClipboardText().has_value() ? TRUE : FALSE;
}

HWND GetOpenClipboardWindow() {
  const std::lock_guard guard(Mutex());
  return State().open ? State().open_by : nullptr;
}
