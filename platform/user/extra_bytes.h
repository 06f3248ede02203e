// The extra bytes a class asks for (cbWndExtra, cbClsExtra), read and written
// at non-negative offsets by the window and class long calls.
#pragma once

#include <cstring>
#include <optional>
#include <vector>

#include <platform/kernel.h>

namespace user {

// Whether a value of `size` bytes fits at `offset`; ERROR_INVALID_INDEX when not.
inline bool FitsExtra(const std::vector<BYTE>& bytes, int offset, std::size_t size) {
  if (offset >= 0 && static_cast<std::size_t>(offset) + size <= bytes.size()) return true;
  SetLastError(ERROR_INVALID_INDEX);
  return false;
}

template <typename T>
std::optional<T> ReadExtra(const std::vector<BYTE>& bytes, int offset) {
  if (!FitsExtra(bytes, offset, sizeof(T))) return std::nullopt;
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

// Writes `value` and gives the value it replaced.
template <typename T>
std::optional<T> SwapExtra(std::vector<BYTE>& bytes, int offset, T value) {
  std::optional<T> old = ReadExtra<T>(bytes, offset);
  if (old) std::memcpy(bytes.data() + offset, &value, sizeof(T));
  return old;
}

}  // namespace user
