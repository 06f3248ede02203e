// The reader's value layer: tags, typed values, prefixes, skipping, and the
// buffer it reads through.
#include <gtest/gtest.h>

#include "framework/streaming/reader.h"
#include "tests/framework/streaming/form_bytes.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Runs `read` on a reader over the bytes; returns the message of the
// exception it raised ("" when none) and how many bytes it consumed.
template <typename Read>
std::pair<std::string, std::int64_t> Consume(const Bytes& bytes, Read read) {
  TMemoryStream stream(bytes);
  std::string message;
  {
    TReader reader(&stream, 4096);
    try {
      read(reader);
    } catch (const Exception& e) {
      message = e.Message();
    }
  }
  return {message, stream.Position()};
}

template <typename T, typename Read>
T Value(const Bytes& bytes, Read read) {
  TMemoryStream stream(bytes);
  TReader reader(&stream, 4096);
  return read(reader);
}

TEST(ReaderValues, Integers) {
  const auto integer = [](TReader& r) { return r.ReadInteger(); };
  EXPECT_EQ(Value<std::int32_t>({0x03, 0xD5, 0x00}, integer), 213);
  EXPECT_EQ(Value<std::int32_t>({0x02, 0xFF}, integer), -1);
  EXPECT_EQ(Value<std::int32_t>({0x03, 0x00, 0x80}, integer), -32768);
  EXPECT_EQ(Value<std::int32_t>({0x04, 0x00, 0x00, 0x00, 0x80}, integer), INT32_MIN);
  const auto int64 = [](TReader& r) { return r.ReadInt64(); };
  EXPECT_EQ(Value<std::int64_t>({0x04, 0xFF, 0xFF, 0xFF, 0xFF}, int64), -1);
  EXPECT_EQ(Value<std::int64_t>({0x13, 0, 0, 0, 0, 1, 0, 0, 0}, int64), std::int64_t{1} << 32);
  EXPECT_EQ(Consume({0x06, 0x01, 'a'}, integer).first, "Invalid property value");
}

TEST(ReaderValues, FloatsAcceptTheirTagOrAnInteger) {
  const auto floating = [](TReader& r) { return r.ReadFloat(); };
  EXPECT_EQ(Value<long double>({0x02, 0x05}, floating), 5.0L);
  EXPECT_EQ(Value<long double>(FormBytes().Extended(2.5L).bytes, floating), 2.5L);
  EXPECT_EQ(Consume(FormBytes().Single(1.5f).bytes, floating).first, "Invalid property value");
  EXPECT_EQ(Value<float>(FormBytes().Single(1.5f).bytes, [](TReader& r) { return r.ReadSingle(); }),
            1.5f);
  EXPECT_EQ(Value<Currency>({0x02, 0x05}, [](TReader& r) { return r.ReadCurrency(); }),
            Currency{50000});
  EXPECT_EQ(
      Value<double>({0x11, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}, [](TReader& r) { return r.ReadDate(); }),
      1.5);
}

TEST(ReaderValues, IdentifiersLookAtTheLowSevenBitsOfTheTag) {
  const auto ident = [](TReader& r) { return r.ReadIdent(); };
  const std::pair<Bytes, std::string> cases[] = {
      {{0x08}, "False"}, {{0x88}, "False"}, {{0x09}, "True"},
      {{0x00}, "Null"},  {{0x0D}, "nil"},   {{0x87, 0x02, 'o', 'k'}, "ok"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(Value<std::string>(bytes, ident), text);
  EXPECT_EQ(Consume({0x02, 0x01}, ident).first, "Invalid property value");
  EXPECT_EQ(Consume({0x88}, [](TReader& r) { r.ReadString(); }).first, "Invalid property value");
}

TEST(ReaderValues, Strings) {
  const auto string = [](TReader& r) { return r.ReadString(); };
  EXPECT_EQ(Value<std::string>(FormBytes().String("abc").bytes, string), "abc");
  EXPECT_EQ(Value<std::string>(FormBytes().LString(std::string(300, 'x')).bytes, string),
            std::string(300, 'x'));
  EXPECT_EQ(Value<std::u16string>({0x12, 2, 0, 0, 0, 0x1F, 0x04, 'a', 0},
                                  [](TReader& r) { return r.ReadWideString(); }),
            u"\u041Fa");
  // A long string longer than the stream fails without taking its length.
  EXPECT_EQ(Consume({0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, string).first, "Stream read error");
}

TEST(ReaderValues, CharOfAnyOtherLengthIsSkippedThenRefused) {
  const auto read_char = [](TReader& r) { r.ReadChar(); };
  EXPECT_EQ(Value<char>({0x06, 0x01, 'z'}, [](TReader& r) { return r.ReadChar(); }), 'z');
  EXPECT_EQ(Consume({0x06, 0x02, 'a', 'b', 0x55}, read_char),
            (std::pair<std::string, std::int64_t>{"Invalid property value", 4}));
  // A wrong tag is skipped whole before the error.
  EXPECT_EQ(Consume({0x03, 0x01, 0x02, 0x55}, read_char),
            (std::pair<std::string, std::int64_t>{"Invalid property value", 3}));
}

TEST(ReaderValues, Prefixes) {
  const struct {
    Bytes bytes;
    TFilerFlags flags;
    std::int32_t position;
    std::int64_t consumed;
  } cases[] = {
      {{0xF2, 0x02, 0x05, 0x03}, ffChildPos, 5, 3},
      {{0xF0, 0x03}, 0, -1, 1},
      {{0xF1, 0x03}, ffInherited, -1, 1},
      {{0xF7, 0x03, 0x10, 0x00}, ffInherited | ffChildPos | ffInline, 16, 4},
      {{0xE0, 0x03}, 0, -1, 0},  // not a prefix: a class name's length
  };
  for (const auto& c : cases) {
    TMemoryStream stream(c.bytes);
    TFilerFlags flags = 0xFF;
    std::int32_t position = -1;
    {
      TReader reader(&stream, 4096);
      reader.ReadPrefix(flags, position);
    }
    EXPECT_EQ(flags, c.flags);
    EXPECT_EQ(position, c.position);
    EXPECT_EQ(stream.Position(), c.consumed);
  }
}

TEST(ReaderValues, SignatureAndEndOfStream) {
  EXPECT_EQ(Consume({'T', 'P', 'F', '1'}, [](TReader& r) { r.ReadSignature(); }).first,
            "Invalid stream format");
  EXPECT_EQ(Consume({'T', 'P', 'F', '0'}, [](TReader& r) { r.ReadSignature(); }).first, "");
  EXPECT_EQ(Consume({0x03, 0xD5}, [](TReader& r) { r.ReadInteger(); }).first, "Stream read error");
  EXPECT_EQ(Consume({}, [](TReader& r) { r.ReadValue(); }).first, "Stream read error");
}

TEST(ReaderValues, ReadsAcrossTheBufferEdgeAndLeavesTheStreamAtTheLastByteUsed) {
  // A long string that starts 10 bytes before the 4096-byte buffer ends.
  FormBytes bytes;
  bytes.Raw(std::string(4086, 'p')).LString(std::string(5000, 'q')).Int(7).Int(8);
  TMemoryStream stream(bytes.bytes);
  {
    TReader reader(&stream, 4096);
    reader.SkipBytes(4086);
    EXPECT_EQ(reader.ReadString(), std::string(5000, 'q'));
    EXPECT_EQ(reader.ReadInteger(), 7);
    EXPECT_EQ(reader.NextValue(), vaInt8);
    reader.SyncStreamPosition();
    EXPECT_EQ(stream.Position(), 4086 + 5 + 5000 + 2);
    EXPECT_EQ(reader.ReadInteger(), 8);
  }
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(bytes.bytes.size()));
}

TEST(ReaderValues, SkipValueConsumesExactlyOneValueOfEveryKind) {
  const Bytes cases[] = {
      {0x00},
      {0x01, 0x02, 0x05, 0x06, 0x01, 'a', 0x00},
      {0x02, 0x05},
      {0x03, 1, 2},
      {0x04, 1, 2, 3, 4},
      FormBytes().Extended(1.0L).bytes,
      {0x06, 0x02, 'a', 'b'},
      {0x07, 0x01, 'x'},
      {0x08},
      {0x09},
      {0x0A, 0x03, 0, 0, 0, 1, 2, 3},
      {0x0B, 0x01, 'a', 0x01, 'b', 0x00},
      {0x0C, 0x01, 0, 0, 0, 'z'},
      {0x0D},
      {0x0E, 0x02, 0x03, 0x01, 0x01, 'P', 0x02, 0x01, 0x00, 0x01, 0x00, 0x00},
      FormBytes().Single(2.0f).bytes,
      {0x10, 1, 2, 3, 4, 5, 6, 7, 8},
      {0x11, 1, 2, 3, 4, 5, 6, 7, 8},
      {0x12, 0x02, 0, 0, 0, 'a', 0, 'b', 0},
      {0x13, 1, 2, 3, 4, 5, 6, 7, 8},
      {0x14},        // undefined: no payload
      {0x82, 0x05},  // bit 7 ignored
  };
  for (const Bytes& value : cases) {
    Bytes bytes = value;
    bytes.push_back(0x55);
    EXPECT_EQ(Consume(bytes, [](TReader& r) { r.SkipValue(); }),
              (std::pair<std::string, std::int64_t>{"", static_cast<std::int64_t>(value.size())}))
        << "tag " << int{value[0]};
  }
}

TEST(ReaderValues, SkipComponentWithAndWithoutHeader) {
  FormBytes body;
  body.Prop("Left").Int(5).End().Component("TChild", "C").Prop("X").Int(1).End().End().End();
  FormBytes whole;
  whole.Byte(0xF2).Int(3).Component("TThing", "T");
  whole.bytes.insert(whole.bytes.end(), body.bytes.begin(), body.bytes.end());
  EXPECT_EQ(Consume(whole.bytes, [](TReader& r) { r.SkipComponent(true); }).second,
            static_cast<std::int64_t>(whole.bytes.size()));
  EXPECT_EQ(Consume(body.bytes, [](TReader& r) { r.SkipComponent(false); }).second,
            static_cast<std::int64_t>(body.bytes.size()));
}

TEST(ReaderValues, NestingBeyondAnyFormIsRefused) {
  const Bytes deep(100000, 0x01);
  EXPECT_EQ(Consume(deep, [](TReader& r) { r.SkipValue(); }).first,
            "Form definition is nested too deeply");
}

}  // namespace
