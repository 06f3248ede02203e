// Streams: a position and a size over some bytes, read in pieces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <platform/resources.h>

#include "framework/rtl/exceptions.h"

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EFilerError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EReadError : public EFilerError {
 public:
  using EFilerError::EFilerError;
};
class EClassNotFound : public EFilerError {
 public:
  using EFilerError::EFilerError;
};
class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
  virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
  std::int64_t Size();
};

// A stream over bytes in memory that it does not own.
class TCustomMemoryStream : public TStream {
 public:
  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  const unsigned char* Memory() const { return memory_; }

 protected:
  void SetPointer(const unsigned char* memory, std::int64_t size) {
    memory_ = memory;
    size_ = size;
  }

 private:
  const unsigned char* memory_ = nullptr;
  std::int64_t size_ = 0;
  std::int64_t position_ = 0;
};

// A growable stream that owns its bytes.
class TMemoryStream : public TCustomMemoryStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<unsigned char> bytes);
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  void SetSize(std::int64_t size);
  const std::vector<unsigned char>& Bytes() const { return bytes_; }

 private:
  std::vector<unsigned char> bytes_;
};

// A read-only stream over a resource of the program; raises EResNotFound
// "Resource %s not found" when there is none.
class TResourceStream : public TCustomMemoryStream {
 public:
  TResourceStream(HINSTANCE instance, const std::string& name, LPCSTR type);
  ~TResourceStream() override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;

 private:
  HGLOBAL resource_ = nullptr;
};
