// The binary form-definition format and the value layer of its reader.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>

#include "framework/streaming/streams.h"

enum TValueType : std::uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
};

// The flags of a component record's prefix byte (its low nibble).
enum TFilerFlag : std::uint8_t {
  ffInherited = 0x01,
  ffChildPos = 0x02,
  ffInline = 0x04,
};
using TFilerFlags = std::uint8_t;

// How deeply lists, collections and components may nest in a definition.
inline constexpr int kMaxFormNesting = 256;

// The signature every form definition starts with.
inline constexpr char kFilerSignature[4] = {'T', 'P', 'F', '0'};

// An 80-bit x87 extended value as stored: 64-bit mantissa with its explicit
// integer bit, then sign and 15-bit exponent.
struct Extended80 {
  unsigned char bytes[10];
};
long double Extended80ToLongDouble(const Extended80& value);
Extended80 LongDoubleToExtended80(long double value);

// Currency: the value times 10000 as a 64-bit integer.
struct Currency {
  std::int64_t scaled = 0;
  friend bool operator==(const Currency&, const Currency&) = default;
};

class TReader;

class TFiler {
 public:
  TFiler(TStream* stream, std::int32_t buffer_size);
  virtual ~TFiler();
  TFiler(const TFiler&) = delete;
  TFiler& operator=(const TFiler&) = delete;

  // Offered by a component's DefineProperties for its unpublished
  // properties: when the name is the property being read, `read` reads it.
  virtual void DefineValueProperty(const std::string& name,
                                   const std::function<void(TReader&)>& read) = 0;
  // The same for a binary value, handed over as a stream positioned at 0.
  virtual void DefineBinaryProperty(const std::string& name,
                                    const std::function<void(TStream&)>& read) = 0;
  // Puts the stream at the logical position and empties the buffer.
  virtual void SyncStreamPosition() = 0;

 protected:
  TStream* stream_;
  std::unique_ptr<unsigned char[]> buffer_;
  std::int32_t buffer_size_;
  std::int32_t buffer_position_ = 0;
  std::int32_t buffer_end_ = 0;
};
