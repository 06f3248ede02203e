// File services: creation and truncation, the exclusive share mode, names in
// code page 1251, and the failures a caller must see.
#include <filesystem>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>
#include <platform/api.h>

#include "tests/support/temp_dir.h"

namespace {

HANDLE Create(const std::string& name, DWORD share = 0) {
  return CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Write(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// The name is code page 1251 on the way in and UTF-8 on disk.
TEST(Files, CreateAlwaysReplacesTheOldContents) {
  TempDir dir;
  WriteText(dir.File("стим.wav"), "old contents that are longer");
  HANDLE file = Create(dir.File("\xF1\xF2\xE8\xEC.wav"));
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(Write(file, "new"));
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_EQ(ReadBytes(dir.File("стим.wav")), (std::vector<unsigned char>{'n', 'e', 'w'}));
}

TEST(Files, OpenAlwaysWritesOverInPlaceAndSetEndOfFileCutsTheRest) {
  TempDir dir;
  const std::string name = dir.File("kept.bin");
  WriteText(name, "old contents");
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(Write(file, "new"));
  EXPECT_EQ(ReadBytes(name).size(), 12u);
  EXPECT_TRUE(SetEndOfFile(file));
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_EQ(ReadBytes(name), (std::vector<unsigned char>{'n', 'e', 'w'}));
}

TEST(Files, ExclusiveFileRefusesASecondOpenAndKeepsItsBytes) {
  TempDir dir;
  const std::string name = dir.File("held.bin");
  HANDLE first = Create(name);
  ASSERT_NE(first, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(Write(first, "kept"));
  EXPECT_EQ(Create(name), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(ReadBytes(name).size(), 4u);
  EXPECT_TRUE(CloseHandle(first));
  HANDLE again = Create(name);
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CloseHandle(again));
}

// What the last error says after each disposition, on a new name and on an
// existing file.
TEST(Files, DispositionsTellWhetherTheFileWasThere) {
  TempDir dir;
  const std::tuple<DWORD, bool, DWORD> cases[] = {
      {CREATE_ALWAYS, false, ERROR_SUCCESS}, {CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS},
      {OPEN_ALWAYS, false, ERROR_SUCCESS},   {OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS},
      {CREATE_NEW, true, ERROR_FILE_EXISTS}, {OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND},
      {OPEN_EXISTING, true, ERROR_SUCCESS},
  };
  for (const auto& [disposition, there, error] : cases) {
    const std::string name = dir.File("d.bin");
    std::filesystem::remove(name);
    if (there) WriteText(name, "x");
    SetLastError(12345);
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(GetLastError(), error) << disposition << " " << there;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
}

TEST(Files, CreationFailuresSetTheLastError) {
  TempDir dir;
  const std::pair<std::string, DWORD> cases[] = {
      {"", ERROR_PATH_NOT_FOUND},
      {dir.File("missing/x.wav"), ERROR_PATH_NOT_FOUND},
      {dir.path().string(), ERROR_ACCESS_DENIED},  // a folder
  };
  for (const auto& [name, error] : cases) {
    EXPECT_EQ(Create(name), INVALID_HANDLE_VALUE) << name;
    EXPECT_EQ(GetLastError(), error) << name;
  }
}

TEST(Files, AttributesTellFilesFoldersAndWhatIsMissing) {
  TempDir dir;
  const std::string file = dir.File("\xF1\xF2\xE8\xEC.wav");  // "стим.wav"
  const std::string read_only = dir.File("ro.wav");
  WriteText(dir.File("стим.wav"), "x");
  WriteText(read_only, "x");
  std::filesystem::permissions(read_only, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  // The error only with INVALID_FILE_ATTRIBUTES.
  const std::tuple<std::string, DWORD, DWORD> cases[] = {
      {file, FILE_ATTRIBUTE_ARCHIVE, 0},
      {read_only, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, 0},
      {dir.path().string(), FILE_ATTRIBUTE_DIRECTORY, 0},
      {dir.File("missing.wav"), INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND},
      {dir.File("missing/x.wav"), INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
      {"", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
  };
  for (const auto& [name, attributes, error] : cases) {
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesA(name.c_str()), attributes) << name;
    EXPECT_EQ(GetLastError(), error) << name;
  }
}

TEST(Files, AFullDeviceFailsTheWrite) {
  HANDLE file = Create("/dev/full", FILE_SHARE_READ);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 99;
  EXPECT_FALSE(WriteFile(file, "abcd", 4, &written, nullptr));
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
  EXPECT_TRUE(SetEndOfFile(file));  // a device keeps its length
  EXPECT_TRUE(CloseHandle(file));
}

TEST(Files, UnknownHandlesAreRefused) {
  int not_a_handle = 0;
  DWORD written = 0;
  EXPECT_FALSE(WriteFile(&not_a_handle, "x", 1, &written, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(SetEndOfFile(&not_a_handle));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

}  // namespace
