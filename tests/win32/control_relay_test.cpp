// Relays on a real edit control in a real window; what a relay posts is read
// from the thread's queue.
#include "support/control_relay.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

// Each kind posts its messages to the parent (wheel turns and characters
// never: mouse messages, and key codes + 0x10000), and the control still
// handles every message; after the removal nothing is posted.
TEST(ControlRelay, KindsRelayTheirMessagesAndTheControlStillHandlesThem) {
  HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 100, 0, 0, 0, 0);
  HWND edit = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 100, 20, parent, 0, 0, 0);
  const std::vector<WPARAM> rows[] = {{},  // by kind
                                      {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP},
                                      {0x10000 + 'A'},
                                      {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, 0x10000 + 'A'}};
  for (int kind : {RELAY_MOUSE, RELAY_KEYS, RELAY_MOUSE_KEYS, RELAY_REMOVE}) {
    ASSERT_EQ(RC_OK, SetControlRelay(edit, kind));
    for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEWHEEL, WM_KEYDOWN, WM_CHAR})
      SendMessageA(edit, m, m == WM_KEYDOWN ? 'A' : m == WM_CHAR ? 'a' : 0, 0);
    std::vector<WPARAM> relayed;
    for (MSG m; PeekMessageA(&m, parent, WM_RELAY_MOUSE, WM_RELAY_KEY, PM_REMOVE);)
      if (m.lParam == (LPARAM)edit)
        relayed.push_back(m.wParam + (m.message == WM_RELAY_KEY ? 0x10000 : 0));
    EXPECT_EQ(rows[kind], relayed) << kind;
    SetControlRelay(edit, RELAY_REMOVE);
  }
  EXPECT_EQ(4, GetWindowTextLengthA(edit));  // every 'a'
  DestroyWindow(parent);
}

// A control that never had a relay keeps its procedure, whatever its slot holds.
TEST(ControlRelay, RemovalLeavesAControlWithoutARelayAlone) {
  HWND edit = CreateWindowA("EDIT", "", WS_POPUP, 0, 0, 100, 20, 0, 0, 0, 0);
  const LONG own = GetWindowLongA(edit, GWL_WNDPROC);
  SetWindowLongA(edit, GWL_USERDATA, 0x1234);
  SetControlRelay(edit, RELAY_REMOVE);
  EXPECT_EQ(own, GetWindowLongA(edit, GWL_WNDPROC));
  DestroyWindow(edit);
}
