// The embedder's icon and cursor files: the pictures numbered on from the
// next free number, the group laid out as the loaders read it, and files that
// are not what they claim refused. For Windows: the string table as the
// system's blocks, and the resource script.
#include <gtest/gtest.h>

#include "icon_file.h"
#include "rc_file.h"
#include "tests/framework/streaming/form_bytes.h"

namespace {

using Bytes = std::vector<unsigned char>;
using U16 = std::uint16_t;

// A directory entry: size, colours, the cursor's hot spot (an icon's planes
// and bits, left 0 here as many files do) and the bits its picture's header
// gives.
struct Entry {
  unsigned char width, height, colours;
  U16 x, y, bits;
};

// An icon (1) or cursor (2) file whose pictures are bare 40-byte headers.
Bytes File(U16 type, std::initializer_list<Entry> entries) {
  FormBytes file;
  file.LittleEndian(U16{0}).LittleEndian(type).LittleEndian(static_cast<U16>(entries.size()));
  auto offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const Entry& e : entries) {
    file.Byte(e.width).Byte(e.height).Byte(e.colours).Byte(0).LittleEndian(e.x).LittleEndian(e.y);
    file.LittleEndian(40u).LittleEndian(offset);
    offset += 40;
  }
  for (const Entry& e : entries) {
    file.LittleEndian(40u).LittleEndian(0u).LittleEndian(0u).LittleEndian(U16{1});
    file.LittleEndian(e.bits).bytes.resize(file.bytes.size() + 24, 0);
  }
  return file.bytes;
}

TEST(Resembed, IconAndCursorFilesBecomePicturesAndAGroup) {
  using resembed::IconFileKind;
  const struct {
    IconFileKind kind;
    Bytes file;
    std::vector<std::pair<std::string, std::string>> resources;  // type, name
    Bytes group;
    Bytes picture_start;
  } cases[] = {
      {IconFileKind::kIcon,
       File(1, {{32, 32, 16, 0, 0, 4}, {16, 16, 0, 0, 0, 32}}),
       {{"3", "3"}, {"3", "4"}, {"14", "MAIN"}},
       {0,  0,  1, 0, 2, 0, 32, 32, 16, 0, 1, 0, 4, 0, 40, 0, 0, 0, 3, 0,  // bytes, planes, bits
        16, 16, 0, 0, 1, 0, 32, 0,  40, 0, 0, 0, 4, 0},
       {40, 0}},
      {IconFileKind::kCursor,
       File(2, {{32, 32, 0, 5, 9, 1}}),
       {{"1", "3"}, {"12", "MAIN"}},
       {0, 0, 2, 0, 1, 0, 32, 0, 64, 0, 1, 0, 1, 0, 44, 0, 0, 0, 3, 0},  // height of both halves
       {5, 0, 9, 0, 40, 0}},                                             // the hot spot first
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    int next_id = 3;
    const auto resources = resembed::IconResources(c.kind, "MAIN", c.file, next_id);
    EXPECT_EQ(next_id, 3 + static_cast<int>(c.resources.size()) - 1);
    ASSERT_EQ(resources.size(), c.resources.size());
    for (std::size_t i = 0; i < resources.size(); ++i) {
      EXPECT_EQ(std::pair(resources[i].type, resources[i].name), c.resources[i]);
    }
    EXPECT_EQ(resources.back().bytes, c.group);
    EXPECT_EQ(
        Bytes(resources[0].bytes.begin(), resources[0].bytes.begin() + c.picture_start.size()),
        c.picture_start);
  }
}

TEST(Resembed, FilesThatAreNotWhatTheyClaimAreRefused) {
  using resembed::IconFileKind;
  Bytes cut = File(1, {{32, 32, 16, 0, 0, 4}});
  cut.resize(30);
  Bytes outside = File(1, {{32, 32, 16, 0, 0, 4}});
  outside[14] = 41;  // the picture's size runs past the end
  const struct {
    IconFileKind kind;
    Bytes file;
    const char* message;
  } cases[] = {
      {IconFileKind::kIcon, File(2, {{32, 32, 0, 1, 1, 1}}), "not an icon file"},
      {IconFileKind::kCursor, File(1, {{32, 32, 16, 0, 0, 4}}), "not a cursor file"},
      {IconFileKind::kIcon, File(1, {}), "not an icon file"},
      {IconFileKind::kIcon, Bytes(cut.begin(), cut.begin() + 12), "directory cut short"},
      {IconFileKind::kIcon, cut, "picture outside the file"},
      {IconFileKind::kIcon, outside, "picture outside the file"},
  };
  for (const auto& c : cases) {
    int next_id = 1;
    try {
      resembed::IconResources(c.kind, "X", c.file, next_id);
      ADD_FAILURE() << c.message;
    } catch (const resembed::IconFileError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(Resembed, StringsGoToTheirBlockAndEntryAsUtf16) {
  // 0xC0 0xFF in code page 1251 are U+0410 and U+044F.
  const std::vector<resembed::TableString> strings = {
      {17, "A", "Hi"}, {31, "B", "\xC0\xFF"}, {65535, "C", ""}};
  const auto blocks = resembed::StringBlocks(strings);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(std::pair(blocks[0].type, blocks[0].name),
            std::pair(std::string("6"), std::string("2")));
  EXPECT_EQ(blocks[1].name, "4096");
  Bytes first(32, 0);  // sixteen empty entries, then the two strings put in
  first.erase(first.begin() + 2, first.begin() + 4);
  first.insert(first.begin() + 2, {2, 0, 'H', 0, 'i', 0});
  first.erase(first.end() - 2, first.end());
  first.insert(first.end(), {2, 0, 0x10, 0x04, 0x4F, 0x04});
  EXPECT_EQ(blocks[0].bytes, first);
  EXPECT_EQ(blocks[1].bytes, Bytes(32, 0));
}

TEST(Resembed, ScriptNamesEachResourceByNumberOrUpperCaseName) {
  const std::vector<resembed::ResourceFile> resources = {
      {"10", "TForm1", {}}, {"Custom", "7", {}}, {"16", "1", {}}};
  EXPECT_EQ(resembed::ResourceScript(resources, "d"),
            "// Resources written by resembed; generated at build time.\n"
            "LANGUAGE 0, 0\n"
            "TFORM1 10 \"d/0.bin\"\n"
            "7 CUSTOM \"d/1.bin\"\n"
            "1 16 \"d/2.bin\"\n");
  for (const char* bad : {"two words", "1st", "a-b", "\"q\""}) {
    EXPECT_THROW(resembed::ResourceScript({{"10", bad, {}}}, "d"), std::runtime_error) << bad;
  }
}

}  // namespace
