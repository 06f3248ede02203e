// A window class for platform tests: its procedure answers with a handler a
// test set for the message, or with DefWindowProcA.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include <gtest/gtest.h>
#include <platform/windows.h>

using MessageHandler = std::function<LRESULT(HWND, WPARAM, LPARAM)>;

// Handlers by message, for every window of the class; cleared by ResetTestWindows.
std::map<UINT, MessageHandler>& TestHandlers();

// Registers the class "TestWindow" (CS_DBLCLKS when asked, as "TestWindowDbl").
const char* TestWindowClass(bool double_clicks = false);

HWND MakeWindow(DWORD style, int x, int y, int width, int height, HWND parent = nullptr,
                DWORD ex_style = 0, bool double_clicks = false);

// Takes and dispatches every message waiting; returns the messages taken.
std::vector<UINT> DrainMessages();

// Takes, translates and dispatches every message waiting, as a program's
// own loop does (keys become characters).
void Pump();

// Destroys every window of this thread and clears the handlers.
void ResetTestWindows();

// A test on a headless host put back to its start; afterwards every window
// of the thread is destroyed and what that left in the queue is taken.
class WindowTest : public testing::Test {
 protected:
  WindowTest();
  ~WindowTest() override;
};
