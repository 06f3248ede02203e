// The framework's own message numbers (CM_) and the numbers under which a
// parent hands a child's notification back to the child (CN_).
#pragma once

#include <cstdint>

#include "platform/windows.h"

inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_ACTIVATE = CM_BASE + 0x00;
inline constexpr UINT CM_DEACTIVATE = CM_BASE + 0x01;
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 0x05;
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 0x06;
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 0x07;
inline constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 0x08;
inline constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 0x09;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 0x0B;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x0C;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 0x0D;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 0x0E;
inline constexpr UINT CM_CTL3DCHANGED = CM_BASE + 0x10;
inline constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 0x11;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 0x12;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;
inline constexpr UINT CM_APPKEYDOWN = CM_BASE + 0x16;
inline constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 0x17;
inline constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 0x19;
inline constexpr UINT CM_ENTER = CM_BASE + 0x1A;
inline constexpr UINT CM_EXIT = CM_BASE + 0x1B;
inline constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 0x1E;
inline constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 0x23;
inline constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 0x28;
inline constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 0x2C;
inline constexpr UINT CM_CHILDKEY = CM_BASE + 0x2E;
inline constexpr UINT CM_HINTSHOW = CM_BASE + 0x30;
inline constexpr UINT CM_RECREATEWND = CM_BASE + 0x33;
inline constexpr UINT CM_INVALIDATE = CM_BASE + 0x34;
inline constexpr UINT CM_CONTROLCHANGE = CM_BASE + 0x36;
inline constexpr UINT CM_CHANGED = CM_BASE + 0x37;
inline constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 0x3D;
inline constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 0x41;

inline constexpr UINT CN_BASE = 0xBC00;

inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;

inline constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
inline constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
inline constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
inline constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
inline constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
inline constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
inline constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

inline constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;

inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
inline constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
inline constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
inline constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
inline constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
inline constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
inline constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
