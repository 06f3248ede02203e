// tavrion.exe as the system reads it: the main form's definition with the
// bytes the build compiled, the string table in the program's code page, the
// icon, the seven cursors and the version record.
#include <platform/api.h>

#include <string>

#include <gtest/gtest.h>

#include "rtl/resstrings.h"
#include "tests/support/temp_dir.h"

namespace {

// Under Wine the file system's root is drive Z:.
constexpr const char* kProgram = "Z:" TAVRION_EXE;

class Resources : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(kProgram, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << kProgram;
  }
  void TearDown() override { FreeLibrary(module_); }

  HMODULE module_ = nullptr;
};

TEST_F(Resources, TheFormIsTheCompiledDefinition) {
  const HRSRC found = FindResourceA(module_, "TFORM1", MAKEINTRESOURCEA(10));
  ASSERT_NE(found, nullptr);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module_, found)));
  EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + SizeofResource(module_, found)),
            ReadBytes("Z:" TFORM1_BIN));
}

TEST_F(Resources, StringsComeInTheProgramsCodePage) {
  const struct {
    UINT id;
    std::string text;
  } cases[] = {
      {SReadError, "Stream read error"},
      {STrainTooLong, std::string("Слишком длинная серия импульсов для WAV-файла"_cp1251)},
  };
  for (const auto& c : cases) {
    char text[256];
    const int length = LoadStringA(module_, c.id, text, sizeof text);
    EXPECT_EQ(std::string(text, length), c.text) << c.id;
  }
}

TEST_F(Resources, TheIconAndTheSevenCursorsLoad) {
  EXPECT_NE(LoadIconA(module_, "MAINICON"), nullptr);
  for (WORD cursor = 32761; cursor <= 32767; ++cursor) {
    EXPECT_NE(LoadCursorA(module_, MAKEINTRESOURCEA(cursor)), nullptr) << cursor;
  }
}

TEST(Version, RecordsTheVersionAndTheName) {
  DWORD ignored = 0;
  std::vector<char> record(GetFileVersionInfoSizeA(kProgram, &ignored));
  ASSERT_FALSE(record.empty());
  ASSERT_TRUE(GetFileVersionInfoA(kProgram, 0, static_cast<DWORD>(record.size()), record.data()));
  void* value = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\", &value, &size));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00020002u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  ASSERT_TRUE(
      VerQueryValueA(record.data(), "\\StringFileInfo\\041904E3\\ProductName", &value, &size));
  EXPECT_STREQ(static_cast<const char*>(value), "Tavrion");
}

}  // namespace
