// The value layer of the reader: buffered bytes, tags, typed values, skipping.
#include <cmath>
#include <cstring>
#include <limits>

#include "framework/rtl/sysconst.h"
#include "framework/streaming/reader.h"
#include "rtl/resstrings.h"

static_assert(std::numeric_limits<long double>::digits == 64,
              "extended values are read as the x87 80-bit format");

long double Extended80ToLongDouble(const Extended80& value) {
  long double result = 0;
  std::memcpy(&result, value.bytes, sizeof value.bytes);
  return result;
}

Extended80 LongDoubleToExtended80(long double value) {
  Extended80 result{};
  std::memcpy(result.bytes, &value, sizeof result.bytes);
  return result;
}

TFiler::TFiler(TStream* stream, std::int32_t buffer_size)
    : stream_(stream), buffer_(new unsigned char[buffer_size]), buffer_size_(buffer_size) {}

TFiler::~TFiler() = default;

TReader::TReader(TStream* stream, std::int32_t buffer_size) : TFiler(stream, buffer_size) {}

TReader::~TReader() {
  if (stream_ != nullptr) stream_->Seek(buffer_position_ - buffer_end_, soCurrent);
}

void TReader::SyncStreamPosition() {
  stream_->Seek(buffer_position_ - buffer_end_, soCurrent);
  buffer_end_ = 0;
  buffer_position_ = 0;
}

void TReader::ReadBuffer() {
  buffer_end_ = stream_->Read(buffer_.get(), buffer_size_);
  buffer_position_ = 0;
  if (buffer_end_ <= 0) {
    buffer_end_ = 0;
    throw EReadError(LoadResString(SReadError));
  }
}

void TReader::Read(void* buffer, std::int32_t count) {
  auto* out = static_cast<unsigned char*>(buffer);
  while (count > 0) {
    if (buffer_position_ == buffer_end_) ReadBuffer();
    const std::int32_t n = std::min(count, buffer_end_ - buffer_position_);
    std::memcpy(out, buffer_.get() + buffer_position_, static_cast<std::size_t>(n));
    buffer_position_ += n;
    out += n;
    count -= n;
  }
}

unsigned char TReader::ReadByte() {
  if (buffer_position_ == buffer_end_) ReadBuffer();
  return buffer_[buffer_position_++];
}

void TReader::SkipBytes(std::int64_t count) {
  unsigned char scratch[256];
  while (count > 0) {
    const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, sizeof scratch));
    Read(scratch, n);
    count -= n;
  }
}

void TReader::PropValueError() {
  throw EReadError(LoadResString(SInvalidPropertyValue));
}

TValueType TReader::ReadValue() {
  return static_cast<TValueType>(ReadByte());
}

TValueType TReader::NextValue() {
  const TValueType value = ReadValue();
  StepBack();
  return value;
}

bool TReader::EndOfList() {
  return NextValue() == vaNull;
}

void TReader::ReadListBegin() {
  CheckValue(vaList);
}

void TReader::ReadListEnd() {
  CheckValue(vaNull);
}

void TReader::CheckValue(TValueType value) {
  if (ReadValue() != value) {
    StepBack();
    SkipValue();
    PropValueError();
  }
}

void TReader::ReadSignature() {
  char signature[sizeof kFilerSignature];
  Read(signature, sizeof signature);
  if (std::memcmp(signature, kFilerSignature, sizeof signature) != 0) {
    throw EReadError(LoadResString(SInvalidStreamFormat));
  }
}

void TReader::ReadPrefix(TFilerFlags& flags, std::int32_t& child_position) {
  flags = 0;
  if ((static_cast<unsigned char>(NextValue()) & 0xF0) == 0xF0) {
    flags = ReadByte() & 0x0F;
    if ((flags & ffChildPos) != 0) child_position = ReadInteger();
  }
}

std::int32_t TReader::ReadInteger() {
  switch (ReadValue()) {
    case vaInt8:
      return static_cast<std::int8_t>(ReadByte());
    case vaInt16:
      return ReadLittleEndian<std::int16_t>();
    case vaInt32:
      return ReadLittleEndian<std::int32_t>();
    default:
      PropValueError();
  }
}

std::int64_t TReader::ReadInt64() {
  if (NextValue() == vaInt64) {
    ReadValue();
    return ReadLittleEndian<std::int64_t>();
  }
  return ReadInteger();
}

long double TReader::ReadFloat() {
  if (ReadValue() == vaExtended) {
    Extended80 value;
    Read(value.bytes, sizeof value.bytes);
    return Extended80ToLongDouble(value);
  }
  StepBack();
  return ReadInteger();
}

float TReader::ReadSingle() {
  if (ReadValue() == vaSingle) return ReadLittleEndian<float>();
  StepBack();
  return static_cast<float>(ReadInteger());
}

Currency TReader::ReadCurrency() {
  if (ReadValue() == vaCurrency) return {ReadLittleEndian<std::int64_t>()};
  StepBack();
  return {std::int64_t{ReadInteger()} * 10000};
}

double TReader::ReadDate() {
  if (ReadValue() == vaDate) return ReadLittleEndian<double>();
  StepBack();
  return ReadInteger();
}

std::string TReader::ReadCounted(std::int64_t count) {
  std::string text;
  constexpr std::int64_t kPiece = 1 << 16;
  while (count > 0) {
    const auto n = static_cast<std::size_t>(std::min(count, kPiece));
    const std::size_t old_size = text.size();
    text.resize(old_size + n);
    Read(text.data() + old_size, static_cast<std::int32_t>(n));
    count -= static_cast<std::int64_t>(n);
  }
  return text;
}

std::string TReader::ReadStr() {
  const unsigned char length = ReadByte();
  std::string text(length, '\0');
  Read(text.data(), length);
  return text;
}

std::string TReader::ReadString() {
  std::int64_t length = 0;
  switch (ReadValue()) {
    case vaString:
      length = ReadByte();
      break;
    case vaLString: {
      length = ReadLittleEndian<std::int32_t>();
      break;
    }
    default:
      PropValueError();
  }
  return ReadCounted(length);
}

std::u16string TReader::ReadWideString() {
  if (ReadValue() != vaWString) PropValueError();
  const std::int64_t count = ReadLittleEndian<std::int32_t>();
  const std::string bytes = ReadCounted(count * 2);
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return text;
}

std::string TReader::ReadIdent() {
  switch (ReadValue() & 0x7F) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNull:
      return "Null";
    case vaNil:
      return "nil";
    default:
      PropValueError();
  }
}

char TReader::ReadChar() {
  CheckValue(vaString);
  if (ReadByte() != 1) {
    StepBack();
    ReadStr();
    PropValueError();
  }
  return static_cast<char>(ReadByte());
}

void TReader::RefuseNesting() {
  throw EReadError(LoadResString(SNestingTooDeep));
}

void TReader::SkipValue() {
  const auto nesting = Nest();
  switch (ReadValue() & 0x7F) {
    case vaList:
      while (!EndOfList()) SkipValue();
      ReadByte();
      break;
    case vaInt8:
      SkipBytes(1);
      break;
    case vaInt16:
      SkipBytes(2);
      break;
    case vaInt32:
    case vaSingle:
      SkipBytes(4);
      break;
    case vaExtended:
      SkipBytes(10);
      break;
    case vaString:
    case vaIdent:
      SkipBytes(ReadByte());
      break;
    case vaBinary:
    case vaLString:
      SkipBytes(ReadLittleEndian<std::int32_t>());
      break;
    case vaSet:
      SkipSetBody();
      break;
    case vaCollection:
      while (!EndOfList()) {
        const TValueType next = NextValue();
        if (next == vaInt8 || next == vaInt16 || next == vaInt32) SkipValue();
        SkipBytes(1);
        while (!EndOfList()) SkipProperty();
        ReadByte();
      }
      ReadByte();
      break;
    case vaCurrency:
    case vaDate:
    case vaInt64:
      SkipBytes(8);
      break;
    case vaWString:
      SkipBytes(std::int64_t{ReadLittleEndian<std::int32_t>()} * 2);
      break;
    default:  // no payload: null, false, true, nil and undefined tags
      break;
  }
}

void TReader::SkipSetBody() {
  while (!ReadStr().empty()) {
  }
}

void TReader::SkipProperty() {
  ReadStr();
  SkipValue();
}

void TReader::SkipComponent(bool skip_header) {
  const auto nesting = Nest();
  if (skip_header) {
    TFilerFlags flags = 0;
    std::int32_t position = 0;
    ReadPrefix(flags, position);
    ReadStr();
    ReadStr();
  }
  while (!EndOfList()) SkipProperty();
  ReadByte();
  while (!EndOfList()) SkipComponent(true);
  ReadByte();
}
