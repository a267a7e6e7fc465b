// Relays on a real edit control in a real window.
#include "support/control_relay.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

static HWND edit;
static std::vector<WPARAM> relayed;  // mouse messages, and key codes + 0x10000

static LRESULT CALLBACK ParentProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if ((m == WM_RELAY_MOUSE || m == WM_RELAY_KEY) && lp == LPARAM(edit))
    relayed.push_back(wp + (m == WM_RELAY_KEY ? 0x10000 : 0));
  return DefWindowProcA(w, m, wp, lp);
}

TEST(ControlRelay, KindsRelayTheirMessagesAndTheControlStillHandlesThem) {
  WNDCLASSA wc = {0, ParentProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "RelayParent"};
  RegisterClassA(&wc);
  HWND parent = CreateWindowA("RelayParent", "", WS_POPUP, 0, 0, 200, 100, 0, 0, 0, 0);
  edit = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 100, 20, parent, 0, 0, 0);
  LONG own = GetWindowLongA(edit, GWL_WNDPROC);
  std::vector<WPARAM> rows[] = {
      {}, {0x200, 0x201, 0x202}, {0x10041}, {0x200, 0x201, 0x202, 0x10041}};  // by kind
  for (int kind : {RELAY_MOUSE, RELAY_KEYS, RELAY_MOUSE_KEYS, RELAY_REMOVE}) {
    relayed.clear();
    ASSERT_EQ(RC_OK, SetControlRelay(edit, kind));
    for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEWHEEL, WM_KEYDOWN, WM_CHAR})
      SendMessageA(edit, m, m == WM_KEYDOWN ? 0x41 : m == WM_CHAR ? 'a' : 0, 0);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
    EXPECT_EQ(rows[kind], relayed) << kind;
    if (kind != RELAY_REMOVE) SetControlRelay(edit, RELAY_REMOVE);
  }
  EXPECT_TRUE(GetWindowTextLengthA(edit) == 4 &&
              GetWindowLongA(edit, GWL_WNDPROC) == own);  // the edit handled every 'a'
  // A control that never had a relay keeps its procedure, whatever its slot holds.
  SetWindowLongA(edit, GWL_USERDATA, 0x1234);
  EXPECT_TRUE(SetControlRelay(edit, RELAY_REMOVE) == RC_OK &&
              GetWindowLongA(edit, GWL_WNDPROC) == own);
  DestroyWindow(parent);
  EXPECT_EQ(RC_BAD_ARG, SetControlRelay(edit, RELAY_MOUSE));
}
