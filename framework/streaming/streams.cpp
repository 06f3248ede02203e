#include "framework/streaming/streams.h"

#include <algorithm>
#include <cstring>

#include "framework/rtl/format.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

std::int64_t TStream::Size() {
  const std::int64_t position = Seek(0, soCurrent);
  const std::int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

std::int32_t TCustomMemoryStream::Read(void* buffer, std::int32_t count) {
  if (position_ < 0 || count <= 0 || position_ >= size_) return 0;
  const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, size_ - position_));
  std::memcpy(buffer, memory_ + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning:
      position_ = offset;
      break;
    case soCurrent:
      position_ += offset;
      break;
    case soEnd:
      position_ = size_ + offset;
      break;
  }
  return position_;
}

TMemoryStream::TMemoryStream(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {
  SetPointer(bytes_.data(), static_cast<std::int64_t>(bytes_.size()));
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count) {
  const std::int64_t position = Position();
  if (position < 0 || count <= 0) return 0;
  const auto end = static_cast<std::size_t>(position + count);
  if (end > bytes_.size()) bytes_.resize(end);
  std::memcpy(bytes_.data() + position, buffer, static_cast<std::size_t>(count));
  SetPointer(bytes_.data(), static_cast<std::int64_t>(bytes_.size()));
  Seek(end, soBeginning);
  return count;
}

void TMemoryStream::SetSize(std::int64_t size) {
  const std::int64_t position = Position();
  bytes_.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
  SetPointer(bytes_.data(), static_cast<std::int64_t>(bytes_.size()));
  Seek(std::min<std::int64_t>(position, size), soBeginning);
}

TResourceStream::TResourceStream(HINSTANCE instance, const std::string& name, LPCSTR type) {
  HRSRC found = FindResourceA(instance, name.c_str(), type);
  if (found != nullptr) resource_ = LoadResource(instance, found);
  if (resource_ == nullptr) throw EResNotFound(Format(LoadResString(SResNotFound), {name}));
  SetPointer(static_cast<const unsigned char*>(LockResource(resource_)),
             SizeofResource(instance, found));
}

TResourceStream::~TResourceStream() {
  FreeResource(resource_);
}

std::int32_t TResourceStream::Write(const void*, std::int32_t) {
  throw EStreamError(LoadResString(SCantWriteResourceStreamError));
}
