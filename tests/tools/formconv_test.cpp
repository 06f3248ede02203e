// The form converter: every value kind compiled to the bytes of the format and
// printed back, component prefixes and empty names, the reader's errors for
// bad binaries, and syntax errors with their lines.
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "cli.h"
#include "form_compiler.h"
#include "form_printer.h"
#include "tests/support/temp_dir.h"
#include "text_error.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Of(std::initializer_list<int> values) {
  return Bytes(values.begin(), values.end());
}
Bytes Of(const std::string& text) {
  return Bytes(text.begin(), text.end());
}
// A literal with its zero bytes, all but the terminating one.
template <std::size_t N>
Bytes Of(const char (&text)[N]) {
  return Bytes(text, text + N - 1);
}
Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// A root TForm1 Form1 whose one property P holds the value.
std::string FormWith(const std::string& value) {
  return "component TForm1 Form1 {\n  P = " + value + "\n}\n";
}
Bytes BinaryWith(const Bytes& value) {
  return Of("TPF0\x06TForm1\x05"
            "Form1\x01P") +
         value + Of({0, 0});
}

Bytes Compile(const std::string& text) {
  return formconv::CompileForm(text);
}

struct ValueCase {
  const char* text;
  Bytes bytes;
  const char* printed;  // null: printed as written
};

TEST(Formconv, EveryValueKindCompilesAndPrintsBack) {
  const std::string long_text(256, 'x');
  const ValueCase cases[] = {
      {"0", Of({2, 0}), nullptr},
      {"127", Of({2, 0x7F}), nullptr},
      {"-128", Of({2, 0x80}), nullptr},
      {"128", Of({3, 0x80, 0}), nullptr},
      {"-32768", Of({3, 0, 0x80}), nullptr},
      {"32768", Of({4, 0, 0x80, 0, 0}), nullptr},
      {"-2147483648", Of({4, 0, 0, 0, 0x80}), nullptr},
      {"0x1F", Of({2, 0x1F}), "31"},
      {"-0x8000", Of({3, 0, 0x80}), "-32768"},
      {"int64(5)", Of({19, 5, 0, 0, 0, 0, 0, 0, 0}), nullptr},
      {"int64(-9223372036854775808)", Of({19, 0, 0, 0, 0, 0, 0, 0, 0x80}), nullptr},
      {"1.5", Of({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}), nullptr},
      {"-2.0", Of({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}), nullptr},
      {"0.1", Of({5, 0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F}), nullptr},
      {"float80(0000000000000080FF7F)", Of({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}), nullptr},
      {"single(1.5)", Of({15, 0, 0, 0xC0, 0x3F}), nullptr},
      {"single(-inf)", Of({15, 0, 0, 0x80, 0xFF}), nullptr},
      {"currency(12.3456)", Of({16, 0x40, 0xE2, 1, 0, 0, 0, 0, 0}), nullptr},
      {"currency(-0.0001)", Of({16, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), nullptr},
      {"currency(7.50)", Of({16, 0xF8, 0x24, 1, 0, 0, 0, 0, 0}), "currency(7.5)"},
      {"date(2.25)", Of({17, 0, 0, 0, 0, 0, 0, 0x02, 0x40}), nullptr},
      {"\"Частота\"", Of({6, 7, 0xD7, 0xE0, 0xF1, 0xF2, 0xEE, 0xF2, 0xE0}), nullptr},
      {"\"a\\x01\\\"\\\\\\n\"", Of({6, 5, 'a', 1, '"', '\\', '\n'}), nullptr},
      {"\"\\x98\\xA0\"", Of({6, 2, 0x98, 0xA0}), nullptr},
      {"\"ab\" \"cd\"", Of({6, 4}) + Of("abcd"), "\"abcd\""},
      {"\"\"", Of({6, 0}), nullptr},
      {"long(\"ab\")", Of({12, 2, 0, 0, 0, 'a', 'b'}), nullptr},
      {"wide(\"Жa\")", Of({18, 2, 0, 0, 0, 0x16, 0x04, 'a', 0}), nullptr},
      {"wide(\"\\uD800\\x41\")", Of({18, 2, 0, 0, 0, 0x00, 0xD8, 'A', 0}), "wide(\"\\uD800A\")"},
      {"bsSingle", Of({7, 8}) + Of("bsSingle"), nullptr},
      {"Form2.Edit1", Of({7, 11}) + Of("Form2.Edit1"), nullptr},
      {"ident(\"True\")", Of({7, 4}) + Of("True"), nullptr},
      {"ident(\"two words\")", Of({7, 9}) + Of("two words"), nullptr},
      {"false", Of({8}), nullptr},
      {"TRUE", Of({9}), "true"},
      {"nil", Of({13}), nullptr},
      {"null", Of({0}), nullptr},
      {"hex()", Of({10, 0, 0, 0, 0}), nullptr},
      {"hex(00ff 10)", Of({10, 3, 0, 0, 0, 0, 0xFF, 0x10}), "hex(\n    00FF10\n  )"},
      {"set()", Of({11, 0}), nullptr},
      {"set(fsBold, \"odd one\")", Of({11, 6}) + Of("fsBold\x07odd one") + Of({0}), nullptr},
      {"list()", Of({1, 0}), nullptr},
      {"list(1, \"a\", list(nil))", Of({1, 2, 1, 6, 1, 'a', 1, 13, 0, 0}), nullptr},
      {"collection(\n    item {\n      A = 1\n    }\n    item 300 {\n    }\n  )",
       Of({14, 1, 1, 'A', 2, 1, 0, 3, 0x2C, 1, 1, 0, 0}), nullptr},
  };
  for (const ValueCase& c : cases) {
    const Bytes binary = Compile(FormWith(c.text));
    EXPECT_EQ(binary, BinaryWith(c.bytes)) << c.text;
    const std::string printed = formconv::PrintForm(binary);
    EXPECT_EQ(printed, FormWith(c.printed ? c.printed : c.text)) << c.text;
    EXPECT_EQ(Compile(printed), binary) << c.text;
  }
  // A long text needs the 4-byte length; printed plain, it comes back long.
  const Bytes binary = Compile(FormWith("\"" + long_text + "\""));
  EXPECT_EQ(binary, BinaryWith(Of({12, 0, 1, 0, 0}) + Of(long_text)));
  EXPECT_EQ(formconv::PrintForm(binary), FormWith("\"" + long_text + "\""));
}

TEST(Formconv, IdentifierTagsWithBitSevenPrintAsTheReaderReadsThem) {
  const std::pair<Bytes, const char*> cases[] = {
      {Of({0x87, 6}) + Of("clNone"), "clNone"},
      {Of({0x88}), "ident(\"False\")"},
      {Of({0x8D}), "ident(\"nil\")"},
  };
  for (const auto& [bytes, printed] : cases) {
    EXPECT_EQ(formconv::PrintForm(BinaryWith(bytes)), FormWith(printed)) << printed;
  }
}

TEST(Formconv, PrefixesEmptyNamesAndQuotedNamesRoundTrip) {
  // A quoted name after a string value names a property of its own.
  const std::string text =
      "component TForm1 Form1 {\n"
      "  Caption = \"a\"\n"
      "  \"odd name\" = 1\n"
      "  component TEdit [inherited, position 3] {\n"
      "  }\n"
      "  component TPanel Panel1 [inline, position 300, bit3] {\n"
      "    component \"T Odd\" \"Odd 1\" [] {\n"
      "      Font.Name = \"x\"\n"
      "    }\n"
      "  }\n"
      "}\n";
  const Bytes binary = Compile(text);
  const Bytes expected = Of("TPF0\x06TForm1\x05"
                            "Form1\x07"
                            "Caption\x06\x01"
                            "a\x08odd name\x02\x01\x00") +
                         Of({0xF3, 2, 3}) + Of("\x05TEdit\x00\x00\x00") + Of({0xFE, 3, 0x2C, 1}) +
                         Of("\x06TPanel\x06Panel1\x00") + Of({0xF0}) +
                         Of("\x05T Odd\x05Odd 1\x09"
                            "Font.Name\x06\x01x\x00\x00") +
                         Of({0, 0});
  EXPECT_EQ(binary, expected);
  EXPECT_EQ(formconv::PrintForm(binary), text);
}

TEST(Formconv, FilesAreEmbeddedAsBinary) {
  const formconv::FileLoader load = [](const std::string& name) -> std::optional<Bytes> {
    if (name == "icon.ico") return Of({1, 2, 3});
    return std::nullopt;
  };
  EXPECT_EQ(formconv::CompileForm(FormWith("file(\"icon.ico\")"), load),
            BinaryWith(Of({10, 3, 0, 0, 0, 1, 2, 3})));
}

TEST(Formconv, SyntaxErrorsNameTheirLine) {
  struct Case {
    std::string text;
    int line;
    std::string message;
  };
  const Case cases[] = {
      {"\ncomponent TForm1 Form1 {\n  Left 5\n}", 3, "expected '='"},
      {"component TForm1 Form1 {\n  Left =\n}", 3, "expected a value"},
      {"component TForm1 Form1 {\n  A = 1\n  B = 99999999999\n}", 3, "does not fit 32 bits"},
      {"component TForm1 Form1 {\n  A = int64(99999999999999999999)\n}", 2, "out of range"},
      {"component TForm1 Form1 {\n  A = \"open\n}", 2, "string not closed"},
      {"component TForm1 Form1 {\n\n  A = \"日本\"\n}", 3, "not in code page 1251"},
      {"component TForm1 Form1 {\n  A = \"\\q\"\n}", 2, "unknown escape"},
      {"component TForm1 Form1 {\n  A = hex(0F1)\n}", 2, "odd number"},
      {"component TForm1 Form1 {\n  A = 1.5.2\n}", 2, "not a number"},
      {"component TForm1 Form1 {\n  A = currency(1.23456)\n}", 2, "at most 4 digits"},
      {"component TForm1 Form1 {\n  A = shape(1)\n}", 2, "unknown value kind"},
      {"component TForm1 Form1 {\n  A = file(\"none\")\n}", 2, "cannot read the file"},
      {"component TForm1 Form1 {\n  A = set(a b)\n}", 2, "expected ','"},
      {"component TForm1 Form1 {\n  A = list(1,\n  null)\n}", 3, "null cannot stand in a list"},
      {"component TForm1 Form1 {\n  component T X {\n  }\n  A = 1\n}", 4, "before the child"},
      {"component TForm1 Form1 {\n  A = 1\n", 3, "expected a property name"},
      {"component TForm1 Form1 {\n}\ncomponent T X {\n}", 3, "only one root"},
      {"object Form1: TForm1\nend", 1, "starts with 'component'"},
      {"component TForm1 Form1 [position] {\n}", 1, "expected an integer"},
      {"component T X {\n  A = " + Repeat("list(", 300), 2, "nested too deeply"},
  };
  for (const Case& c : cases) {
    try {
      Compile(c.text);
      ADD_FAILURE() << "no error for: " << c.text;
    } catch (const formconv::TextError& e) {
      EXPECT_EQ(e.line(), c.line) << c.text;
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
          << c.text << "\n gave: " << e.what();
    }
  }
}

// The command line, over files in a fresh folder.
class FormconvCommandLine : public testing::Test {
 protected:
  struct Result {
    int code;
    std::string out, err;
  };
  Result Run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = formconv::RunCli(args, out, err);
    return {code, out.str(), err.str()};
  }
  std::string Write(const std::string& name, const Bytes& bytes) {
    WriteText(dir.File(name), std::string(bytes.begin(), bytes.end()));
    return dir.File(name);
  }
  TempDir dir;
};

TEST_F(FormconvCommandLine, BadBinariesFailWithTheReadersMessage) {
  const Bytes good = Compile(FormWith("\"text\""));
  const std::pair<Bytes, std::string> cases[] = {
      {Of("TPF1\x06TForm1"), "Invalid stream format"},
      {Of("TP"), "Stream read error"},
      {Bytes(good.begin(), good.end() - 4), "Stream read error"},
      {BinaryWith(Of({10, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2})), "Stream read error"},
      {BinaryWith(Of({20})), "Invalid property value"},
      {BinaryWith(Of({0x86, 1, 'a'})), "Invalid property value"},
      {BinaryWith(Bytes(300, 1) + Bytes(301, 0)), "Form definition is nested too deeply"},
  };
  for (const auto& [bytes, message] : cases) {
    const Result r = Run({"--to-text", Write("bad.bin", bytes)});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "formconv: " + message + "\n");
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(FormconvCommandLine, ConvertsBothWaysAndFindsFilesInSearchFolders) {
  const std::string text = FormWith("\"Частота\""), binary = dir.File("form.bin");
  std::ofstream(dir.File("form.txt")) << text;
  Result r = Run({"--to-binary", dir.File("form.txt"), binary});
  ASSERT_EQ(r.code, 0) << r.err;
  r = Run({"--to-text", binary});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, text);
  std::filesystem::create_directory(dir.File("gen"));
  Write("gen/icon.ico", Of({7}));
  std::ofstream(dir.File("file.txt")) << FormWith("file(\"icon.ico\")");
  EXPECT_EQ(Run({"--to-binary", dir.File("file.txt"), binary}).code, 1);
  EXPECT_EQ(Run({"--to-binary", dir.File("file.txt"), binary, "-I", dir.File("gen")}).code, 0);
}

TEST_F(FormconvCommandLine, ErrorsExitWith1AndUsageErrorsWith2) {
  std::ofstream(dir.File("form.txt")) << "component TForm1 Form1 {\n  Left = \n}\n";
  const Result r = Run({"--to-binary", dir.File("form.txt"), dir.File("form.bin")});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "formconv: " + dir.File("form.txt") + ":3: expected a value\n");
  EXPECT_EQ(Run({"--to-text", dir.File("missing.bin")}).code, 1);
  const std::vector<std::string> usage[] = {
      {}, {"--to-text"}, {"--to-json", "a"}, {"--to-binary", "a"}, {"--to-binary", "a", "b", "-I"},
  };
  for (const auto& args : usage) EXPECT_EQ(Run(args).code, 2);
}

}  // namespace
