// Control message relays: a subclassed child control posts its mouse
// messages, its key-downs or both to its parent and then handles them as
// before. The control's previous window procedure is kept in its user-data
// slot, which therefore belongs to the relay while one is installed.
#pragma once

// The support library's result numbers (shared with its other parts).
#include "support/result_codes.h"

enum {
  RELAY_REMOVE = 0,         // any kind other than the three below removes
  RELAY_MOUSE = 1,          // MouseRelayProc
  RELAY_KEYS = 2,           // KeyRelayProc
  RELAY_MOUSE_KEYS = 3,     // MouseKeyRelayProc
  WM_RELAY_MOUSE = 0x8000,  // wParam: the mouse message; lParam: the control
  WM_RELAY_KEY = 0x8001     // wParam: the virtual-key code; lParam: the control
};

#ifdef _WIN32
#include <windows.h>

// Installs the relay of the given kind on window, or removes it. RC_BAD_ARG
// when window is not a window.
ResultCode SetControlRelay(HWND window, int kind);

LRESULT CALLBACK MouseRelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK KeyRelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseKeyRelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
#endif
