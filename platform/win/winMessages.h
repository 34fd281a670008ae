// Window message numbers, their parameter values and the virtual-key codes
// the engine and its host use. The numbers are the system's own, so message
// tables written against them read the same here as on Windows.
//
// Two messages carry more than on Windows: WM_CHAR's wParam is a whole
// Unicode code point (never a UTF-16 half or a code-page byte), and mouse
// positions are in device pixels of the window the message belongs to.
#pragma once

#include "platform/win/winTypes.h"

namespace win {

// Messages.
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_DISPLAYCHANGE = 0x007E;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_DEVICECHANGE = 0x0219;
inline constexpr UINT WM_EXITSIZEMOVE = 0x0232;

// WM_SIZE wParam.
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

// WM_ACTIVATE low word of wParam.
inline constexpr WORD WA_INACTIVE = 0;

// WM_COMMAND identifier of the Cancel command (Esc, the close box).
inline constexpr WORD IDCANCEL = 2;

// WM_SYSCOMMAND low word of wParam.
inline constexpr WORD SC_SCREENSAVE = 0xF140;
inline constexpr WORD SC_MONITORPOWER = 0xF170;

// One notch of the wheel in WM_MOUSEWHEEL's delta (the high word of wParam);
// positive turns away from the user.
inline constexpr int WHEEL_DELTA = 120;

// Virtual-key codes. Letters and top-row digits are their upper-case ASCII
// codes ('A'..'Z' 65..90, '0'..'9' 48..57).
inline constexpr UINT VK_BACK = 8;
inline constexpr UINT VK_TAB = 9;
inline constexpr UINT VK_RETURN = 13;
inline constexpr UINT VK_SHIFT = 16;
inline constexpr UINT VK_CONTROL = 17;
inline constexpr UINT VK_MENU = 18;  // Alt
inline constexpr UINT VK_PAUSE = 19;
inline constexpr UINT VK_CAPITAL = 20;
inline constexpr UINT VK_ESCAPE = 27;
inline constexpr UINT VK_SPACE = 32;
inline constexpr UINT VK_PRIOR = 33;  // Page Up
inline constexpr UINT VK_NEXT = 34;   // Page Down
inline constexpr UINT VK_END = 35;
inline constexpr UINT VK_HOME = 36;
inline constexpr UINT VK_LEFT = 37;
inline constexpr UINT VK_UP = 38;
inline constexpr UINT VK_RIGHT = 39;
inline constexpr UINT VK_DOWN = 40;
inline constexpr UINT VK_INSERT = 45;
inline constexpr UINT VK_DELETE = 46;
inline constexpr UINT VK_LWIN = 91;
inline constexpr UINT VK_RWIN = 92;
inline constexpr UINT VK_NUMPAD0 = 96;  // VK_NUMPAD0 + n for keypad digit n
inline constexpr UINT VK_MULTIPLY = 106;
inline constexpr UINT VK_ADD = 107;
inline constexpr UINT VK_SUBTRACT = 109;
inline constexpr UINT VK_DECIMAL = 110;
inline constexpr UINT VK_DIVIDE = 111;
inline constexpr UINT VK_F1 = 112;  // VK_F1 + n - 1 for F1..F24
inline constexpr UINT VK_NUMLOCK = 144;
inline constexpr UINT VK_SCROLL = 145;

}  // namespace win
