// The main form's definition as the program embeds it (resource TFORM1): its
// first bytes, the icon, the order of the components and of the properties
// that keep handlers unbound while the form is read.
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <platform/api.h>

#include "form_compiler.h"
#include "form_printer.h"
#include "framework/streaming/streams.h"

namespace {

std::vector<unsigned char> Resource() {
  TResourceStream stream(GetModuleHandleA(nullptr), "TForm1", RT_RCDATA);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(stream.Size()));
  stream.Read(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  return bytes;
}

struct Record {
  std::string class_name, name, parent;
  std::vector<std::pair<std::string, std::string>> properties;  // values as text

  std::ptrdiff_t IndexOf(const std::string& property) const {
    const auto it = std::find_if(properties.begin(), properties.end(),
                                 [&](const auto& p) { return p.first == property; });
    return it == properties.end() ? -1 : it - properties.begin();
  }
  std::string Value(const std::string& property) const {
    const auto i = IndexOf(property);
    return i < 0 ? "<none>" : properties[static_cast<std::size_t>(i)].second;
  }
};

// The components in definition order, from the form printed as text:
// "component TLabel Label2 {", its properties "  Caption = "..."", "}".
std::vector<Record> Records() {
  std::istringstream text(formconv::PrintForm(Resource()));
  std::vector<Record> records;
  std::vector<std::size_t> open;  // the components whose braces are open
  for (std::string line; std::getline(text, line);) {
    std::istringstream words(line);
    std::string first, second, third;
    words >> first >> second >> third;
    if (first == "component") {
      records.push_back({second, third, open.empty() ? "" : records[open.back()].name, {}});
      open.push_back(records.size() - 1);
    } else if (first == "}") {
      open.pop_back();
    } else if (second == "=") {
      records[open.back()].properties.emplace_back(first, line.substr(line.find(" = ") + 3));
    }
  }
  return records;
}

// The stated first bytes, and the up-down's Associate naming its edit as an
// identifier, not a string.
TEST(MainForm, StartsWithTheStatedBytesAndNamesTheBuddyAsAnIdentifier) {
  static const char kStart[] =
      "TPF0\x06TForm1\x05"
      "Form1\x04Left\x03\xD5\x00\x03Top\x02\x6E\x0B"
      "BorderStyle\x07\x08"
      "bsSingle";
  const std::string start(kStart, sizeof kStart - 1);
  const std::vector<unsigned char> bytes = Resource();
  ASSERT_GE(bytes.size(), start.size());
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<long>(start.size())), start);
  const std::string key =
      "\x09"
      "Associate\x07\x06"
      "Edit10";
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), key.begin(), key.end()), bytes.end());
}

// The icon's length (766), its directory's one entry (32 x 32, 16 colours, a
// plane of 4 bits, 744 bytes from offset 22) and its bitmap's header (40
// bytes, 32 x 64 with the mask, a plane of 4 bits).
TEST(MainForm, IconIsOne32By32SixteenColourImage) {
  const std::vector<unsigned char> bytes = Resource();
  const std::string key = "\x09Icon.Data\x0A";
  const auto at = std::search(bytes.begin(), bytes.end(), key.begin(), key.end());
  ASSERT_GE(bytes.end() - at, static_cast<long>(key.size()) + 42);
  const std::vector<unsigned char> expected = {
      0xFE, 2,  0, 0, 0, 0,  1, 0, 1, 0,  32, 32, 16, 0,  1, 0, 4, 0, 0xE8, 2, 0,
      0,    22, 0, 0, 0, 40, 0, 0, 0, 32, 0,  0,  0,  64, 0, 0, 0, 1, 0,    4, 0};
  EXPECT_EQ(std::vector<unsigned char>(at + key.size(), at + key.size() + 42), expected);
}

TEST(MainForm, ComponentsComeInTheOrderOfTheDefinition) {
  // Each component as "Class Name", its parent named where it changes.
  const std::string expected =
      "TForm1 Form1, TLabel Label2 in Form1, TLabel Label3, TLabel Label4, TLabel Label5, "
      "TLabel Label7, TLabel Label1, TImage Image1, TEdit Edit1, TEdit Edit2, TEdit Edit3, "
      "TButton Button1, TEdit Edit5, TEdit Edit10, TCheckBox CheckBox2, TGroupBox GroupBox1, "
      "TLabel Label8 in GroupBox1, TLabel Label10, TEdit Edit9, TEdit Edit12, "
      "TTrackBar TrackBar1, TTrackBar TrackBar2, TEdit Edit4 in Form1, TButton Button2, "
      "TTrackBar TrackBar3, TTrackBar TrackBar4, TTrackBar TrackBar5, TButton Button3, "
      "TUpDown UpDown1, TProgressBar ProgressBar1, TTrackBar TrackBar6, ";
  std::string actual, parent;
  for (const Record& r : Records()) {
    actual += r.class_name + " " + r.name + (r.parent == parent ? "" : " in " + r.parent) + ", ";
    parent = r.parent;
  }
  EXPECT_EQ(actual, expected);
}

TEST(MainForm, HandlersAreBoundAfterTheValuesTheyWatch) {
  for (const Record& r : Records()) {
    // Events come last.
    bool in_events = false;
    for (const auto& [name, value] : r.properties) {
      const bool event = name.rfind("On", 0) == 0;
      EXPECT_FALSE(in_events && !event) << r.name << "." << name << " after an event";
      in_events = in_events || event;
    }
    if (r.class_name == "TEdit") {
      EXPECT_GE(r.IndexOf("Text"), 0) << r.name;
      const bool bound = r.name != "Edit10";
      EXPECT_EQ(r.Value("OnChange"), bound ? "Edit1Change" : "<none>") << r.name;
      if (bound) {
        EXPECT_LT(r.IndexOf("Text"), r.IndexOf("OnChange")) << r.name;
      }
    }
    if (r.class_name == "TTrackBar") {
      EXPECT_LT(r.IndexOf("Max"), r.IndexOf("Min")) << r.name;
      EXPECT_LT(r.IndexOf("Position"), r.IndexOf("OnChange")) << r.name;
      EXPECT_EQ(r.Value("OnChange"), r.name + "Change");
    }
  }
}

TEST(MainForm, CarriesItsTextsInCodePage1251) {
  const std::vector<unsigned char> bytes = Resource();
  const std::string form(bytes.begin(), bytes.end());
  EXPECT_NE(form.find("Задержка  стимуляции (сек)"_cp1251), std::string::npos);
}

TEST(MainForm, PrintsToTextThatCompilesToTheSameBytes) {
  const std::vector<unsigned char> bytes = Resource();
  EXPECT_EQ(formconv::CompileForm(formconv::PrintForm(bytes)), bytes);
}

}  // namespace
