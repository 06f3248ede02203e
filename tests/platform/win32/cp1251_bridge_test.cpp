// The code page 1251 bridge on the real desktop API: the program's 8-bit side
// sees code page 1251 and the system holds UTF-16, whatever the system's own
// code page is. Run under two system code pages (1252 and 1251).
#include <gtest/gtest.h>
#include <platform/codepage.h>
#include <platform/cp1251_api.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// The last text each message brought to the program's procedures.
std::map<UINT, std::string> seen;

void Note(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE || message == WM_CREATE) {
    seen[message] = reinterpret_cast<const CREATESTRUCTA*>(lparam)->lpszName;
  } else if (message == WM_SETTEXT || message == EM_REPLACESEL) {
    seen[message] = reinterpret_cast<LPCSTR>(lparam);
  } else if (message == WM_CHAR || message == EM_SETPASSWORDCHAR) {
    seen[message] = std::string(1, static_cast<char>(wparam));
  }
}

LRESULT CALLBACK TopProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Note(message, wparam, lparam);
  return DefWindowProcA(window, message, wparam, lparam);
}

// The edit's procedure as a subclass and as a superclass reach it.
WNDPROC edit_before_subclass = nullptr;
WNDPROC edit_class_proc = nullptr;

LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Note(message, wparam, lparam);
  return CallWindowProcA(edit_before_subclass, window, message, wparam, lparam);
}

LRESULT CALLBACK SuperclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Note(message, wparam, lparam);
  return CallWindowProcA(edit_class_proc, window, message, wparam, lparam);
}

std::wstring WideText(HWND window) {
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  return text;
}

std::string Cp(std::string_view bytes) {
  return std::string(bytes);
}

HWND Make(const char* class_name, const std::string& title, HWND parent) {
  return CreateWindowExA(0, class_name, title.c_str(), parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 200,
                         20, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

class Cp1251Bridge : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::printf("system code page %u\n", GetACP());
    WNDCLASSA top{};
    top.lpfnWndProc = &TopProc;
    top.hInstance = GetModuleHandleA(nullptr);
    top.lpszClassName = "Cp1251Top";
    ASSERT_NE(RegisterClassA(&top), 0);
    // Made from the system's edit as the framework makes its own classes.
    WNDCLASSA edit{};
    ASSERT_TRUE(GetClassInfoA(nullptr, "EDIT", &edit));
    edit_class_proc = edit.lpfnWndProc;
    edit.lpfnWndProc = &SuperclassProc;
    edit.hInstance = GetModuleHandleA(nullptr);
    edit.lpszClassName = "Cp1251Edit";
    ASSERT_NE(RegisterClassA(&edit), 0);
  }

  void SetUp() override {
    seen.clear();
    top_ = Make("Cp1251Top", "", nullptr);
    subclassed_ = Make("EDIT", "", top_);
    edit_before_subclass = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(subclassed_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
    superclassed_ = Make("Cp1251Edit", "", top_);
    ASSERT_TRUE(top_ && subclassed_ && superclassed_);
  }

  void TearDown() override { DestroyWindow(top_); }

  HWND top_ = nullptr;
  HWND subclassed_ = nullptr;
  HWND superclassed_ = nullptr;
};

TEST_F(Cp1251Bridge, MakesUnicodeWindowsWhoseProceduresSeeTheNamesIn1251) {
  for (const char* class_name : {"Cp1251Top", "Cp1251Edit"}) {
    SCOPED_TRACE(class_name);
    const HWND window = Make(class_name, Cp("Стимулятор"_cp1251), top_);
    EXPECT_EQ(seen[WM_NCCREATE], "Стимулятор"_cp1251);
    EXPECT_EQ(seen[WM_CREATE], "Стимулятор"_cp1251);
    EXPECT_EQ(WideText(window), L"Стимулятор");
    EXPECT_TRUE(IsWindowUnicode(window));
  }
  EXPECT_TRUE(IsWindowUnicode(subclassed_));
  // A procedure reads back as the one that was set, so the program can compare them.
  EXPECT_EQ(GetWindowLongPtrA(subclassed_, GWLP_WNDPROC),
            reinterpret_cast<LONG_PTR>(&SubclassProc));
  WNDCLASSA top{};
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "Cp1251Top", &top));
  EXPECT_EQ(top.lpfnWndProc, &TopProc);
  WNDCLASSA edit{};
  ASSERT_TRUE(GetClassInfoA(nullptr, "EDIT", &edit));
  EXPECT_EQ(edit.lpfnWndProc, edit_class_proc);
}

TEST_F(Cp1251Bridge, SetsTextThroughEitherSideAndReadsItBackOnBoth) {
  const std::string text(Cp("Частота, Гц: ёЁ №"_cp1251));
  const std::wstring wide = L"Частота, Гц: ёЁ №";
  const std::function<void(HWND)> setters[] = {
      [&](HWND w) { SetWindowTextA(w, text.c_str()); },
      [&](HWND w) { SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); },
      [&](HWND w) { SetWindowTextW(w, wide.c_str()); },
      [&](HWND w) { SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())); },
  };
  for (HWND window : {top_, subclassed_, superclassed_}) {
    for (std::size_t i = 0; i < std::size(setters); ++i) {
      SCOPED_TRACE(i);
      SetWindowTextW(window, L"");
      setters[i](window);
      EXPECT_EQ(seen[WM_SETTEXT], text);
      EXPECT_EQ(WideText(window), wide);
      char back[64] = {};
      EXPECT_EQ(GetWindowTextA(window, back, sizeof back), static_cast<int>(text.size()));
      EXPECT_EQ(back, text);
      EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(text.size()));
    }
  }
}

TEST_F(Cp1251Bridge, CutsTheTextToTheBuffer) {
  SetWindowTextW(subclassed_, L"Частота");
  for (const auto& [size, text] : {std::pair{1, Cp("")},
                                   {4, Cp("Час"_cp1251)},
                                   {8, Cp("Частота"_cp1251)},
                                   {64, Cp("Частота"_cp1251)}}) {
    SCOPED_TRACE(size);
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1, 'x');
    EXPECT_EQ(SendMessageA(subclassed_, WM_GETTEXT, static_cast<WPARAM>(size),
                           reinterpret_cast<LPARAM>(buffer.data())),
              static_cast<LRESULT>(text.size()));
    EXPECT_EQ(buffer.data(), text);
  }
}

// Typed characters, sent or posted from either side, reach the program in
// 1251 ('?' for one the code page lacks) and the edit in UTF-16. (Wine 8's edit
// crashes shaping the letters U+0434 to U+0437, so none of those.)
TEST_F(Cp1251Bridge, TranslatesCharactersSentAndPosted) {
  enum How { kSendW, kSendA, kPostWTakeA, kPostATakeW };
  const auto deliver = [](How how, HWND window, WPARAM c) {
    if (how == kSendW) SendMessageW(window, WM_CHAR, c, 0);
    if (how == kSendA) SendMessageA(window, WM_CHAR, c, 0);
    if (how == kSendW || how == kSendA) return;
    how == kPostATakeW ? PostMessageA(window, WM_CHAR, c, 0) : PostMessageW(window, WM_CHAR, c, 0);
    MSG msg{};
    if (how == kPostWTakeA) {
      ASSERT_TRUE(PeekMessageA(&msg, window, WM_CHAR, WM_CHAR, PM_REMOVE));
      DispatchMessageA(&msg);
    } else {
      ASSERT_TRUE(PeekMessageW(&msg, window, WM_CHAR, WM_CHAR, PM_REMOVE));
      DispatchMessageW(&msg);
    }
  };
  const struct {
    How how;
    WPARAM character;
    char program_sees;
    const wchar_t* edit_holds;
  } rows[] = {
      {kSendW, L'я', '\xFF', L"я"},      {kSendW, L'é', '?', L"?"},
      {kSendA, 0xB8, '\xB8', L"ё"},      {kPostWTakeA, L'Ж', '\xC6', L"Ж"},
      {kPostATakeW, 0xFE, '\xFE', L"ю"},
  };
  for (HWND window : {subclassed_, superclassed_}) {
    for (const auto& row : rows) {
      SCOPED_TRACE(testing::Message() << row.how << " " << row.character);
      SetWindowTextW(window, L"");
      deliver(row.how, window, row.character);
      EXPECT_EQ(seen[WM_CHAR], std::string(1, row.program_sees));
      EXPECT_EQ(WideText(window), row.edit_holds);
    }
  }
}

TEST_F(Cp1251Bridge, TranslatesTheEditsOwnTextMessages) {
  SetWindowTextW(superclassed_, L"50 ");
  SendMessageA(superclassed_, EM_SETSEL, 3, 3);
  const std::string unit(Cp("Гц"_cp1251));
  SendMessageA(superclassed_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(unit.c_str()));
  EXPECT_EQ(seen[EM_REPLACESEL], unit);
  EXPECT_EQ(WideText(superclassed_), L"50 Гц");
  SendMessageA(superclassed_, EM_SETPASSWORDCHAR, 0xD6, 0);
  EXPECT_EQ(seen[EM_SETPASSWORDCHAR], "Ц"_cp1251);
  EXPECT_EQ(SendMessageW(superclassed_, EM_GETPASSWORDCHAR, 0, 0), L'Ц');
}

TEST(Cp1251BridgeFonts, KeepTheFaceNameAndTheRest) {
  LOGFONTA font{};
  font.lfHeight = -13;
  font.lfWeight = FW_BOLD;
  const std::string face(Cp("Тест"_cp1251));
  face.copy(font.lfFaceName, face.size());
  const HFONT handle = CreateFontIndirectA(&font);
  LOGFONTW wide{};
  ASSERT_EQ(GetObjectW(handle, sizeof wide, &wide), static_cast<int>(sizeof wide));
  EXPECT_EQ(std::wstring(wide.lfFaceName), L"Тест");
  EXPECT_EQ(wide.lfHeight, -13);
  LOGFONTA back{};
  ASSERT_EQ(GetObjectA(handle, sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_EQ(back.lfFaceName, face);
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  DeleteObject(handle);
}

// Drawn through either side, a text gives the same pixels. The font
// leaves the character set to the system, as the framework's do, so the
// system would read 8-bit text in its own code page.
TEST(Cp1251BridgeText, DrawsAsTheSystemsOwnUtf16Calls) {
  const HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, 120, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HFONT font = CreateFontW(-11, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  SelectObject(dc, bitmap);
  SelectObject(dc, font);
  const auto picture = [&](const std::function<void()>& draw) {
    PatBlt(dc, 0, 0, 120, 20, WHITENESS);
    draw();
    GdiFlush();
    return std::vector<DWORD>(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + 120 * 20);
  };
  const std::string text(Cp("Привет, мир"_cp1251));
  const std::wstring wide = L"Привет, мир";
  const int count = static_cast<int>(text.size());
  RECT rect{0, 0, 120, 20};
  const auto by_system = picture([&] { TextOutW(dc, 0, 0, wide.c_str(), count); });
  EXPECT_NE(by_system, picture([] {}));
  EXPECT_EQ(picture([&] { ExtTextOutA(dc, 0, 0, 0, nullptr, text.c_str(), count, nullptr); }),
            by_system);
  EXPECT_EQ(picture([&] { DrawTextA(dc, text.c_str(), -1, &rect, DT_NOPREFIX); }), by_system);
  DeleteDC(dc);
  DeleteObject(bitmap);
  DeleteObject(font);
}

TEST(Cp1251BridgeSystem, NamesFilesAndLoadsStringsIn1251) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  ASSERT_TRUE(SetCurrentDirectoryW(folder));
  const std::string name(Cp("проба №1.wav"_cp1251));
  const HANDLE file =
      CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  EXPECT_NE(GetFileAttributesW(L"проба №1.wav"), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(L"проба №1.wav");

  char text[16] = {};
  EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 1, text, sizeof text), 11);
  EXPECT_EQ(text, "Частота, Гц"_cp1251);
  EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 1, text, 5), 4);
  EXPECT_EQ(text, "Част"_cp1251);
}

}  // namespace
