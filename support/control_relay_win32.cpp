// Control message relays over window subclassing.
#include "support/control_relay.h"

static_assert(WM_RELAY_MOUSE == WM_APP && WM_RELAY_KEY == WM_APP + 1 && WM_APP == 0x8000 &&
                  WM_MOUSEMOVE == 0x0200 && WM_MBUTTONDBLCLK == 0x0209 && WM_KEYDOWN == 0x0100,
              "relayed and relaying messages");
static_assert(GWL_WNDPROC == -4 && GWL_USERDATA == -21, "window slots");

namespace {

enum { RELAYS_MOUSE = 1, RELAYS_KEYS = 2 };

// Shared body of the three relays: post what the kind asks for to the
// parent, then hand the message unchanged to the control's own procedure.
LRESULT Relay(int what, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = (WNDPROC)GetWindowLongA(window, GWL_USERDATA);
  if (!previous) return 0;
  if ((what & RELAYS_MOUSE) && message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK)
    PostMessageA(GetParent(window), WM_RELAY_MOUSE, message, (LPARAM)window);
  if ((what & RELAYS_KEYS) && message == WM_KEYDOWN)
    PostMessageA(GetParent(window), WM_RELAY_KEY, wParam, (LPARAM)window);
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

bool IsRelay(LONG proc) {
  return proc == (LONG)MouseRelayProc || proc == (LONG)KeyRelayProc ||
         proc == (LONG)MouseKeyRelayProc;
}

}  // namespace

LRESULT CALLBACK MouseRelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Relay(RELAYS_MOUSE, window, message, wParam, lParam);
}

LRESULT CALLBACK KeyRelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Relay(RELAYS_KEYS, window, message, wParam, lParam);
}

LRESULT CALLBACK MouseKeyRelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Relay(RELAYS_MOUSE | RELAYS_KEYS, window, message, wParam, lParam);
}

ResultCode SetControlRelay(HWND window, int kind) {
  if (!IsWindow(window)) return RC_BAD_ARG;
  WNDPROC relay = kind == RELAY_MOUSE        ? MouseRelayProc
                  : kind == RELAY_KEYS       ? KeyRelayProc
                  : kind == RELAY_MOUSE_KEYS ? MouseKeyRelayProc
                                             : nullptr;
  if (relay) {
    // A control that already carries a relay only changes kind: recording
    // a relay as its own previous procedure would make it call itself.
    LONG replaced = SetWindowLongA(window, GWL_WNDPROC, (LONG)relay);
    if (!IsRelay(replaced)) SetWindowLongA(window, GWL_USERDATA, replaced);
  } else if (IsRelay(GetWindowLongA(window, GWL_WNDPROC))) {
    // Only a relay's slot holds a procedure; another control's holds its
    // owner's data, which must never become a window procedure.
    LONG previous = GetWindowLongA(window, GWL_USERDATA);
    if (previous) SetWindowLongA(window, GWL_WNDPROC, previous);
  }
  return RC_OK;
}
