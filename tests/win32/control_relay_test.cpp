// Relays on real controls in a real window, with messages dispatched
// through the thread's queue.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <vector>
#include "support/control_relay.h"

namespace {

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Seen& o) const {
    return message == o.message && wParam == o.wParam && lParam == o.lParam;
  }
};
std::vector<Seen> parentSaw;   // relays (no mouse moves), clicks, handed-up wheels
std::vector<UINT> controlSaw;  // what reached the button's own procedure
WNDPROC buttonProc;

LRESULT CALLBACK ParentProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if ((m == WM_RELAY_MOUSE && wp != WM_MOUSEMOVE) || m == WM_RELAY_KEY || m == WM_MOUSEWHEEL ||
      (m == WM_COMMAND && HIWORD(wp) == BN_CLICKED))
    parentSaw.push_back({m, wp, lp});
  return DefWindowProcA(w, m, wp, lp);
}

LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  controlSaw.push_back(m);
  return CallWindowProcA(buttonProc, w, m, wp, lp);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void Click(HWND w) {
  PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
}

class ControlRelay : public ::testing::Test {
 protected:
  HWND parent = nullptr, button = nullptr, edit = nullptr;
  void SetUp() override {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = "RelayTestParent";
    RegisterClassA(&wc);
    parent = CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                           nullptr, nullptr, nullptr);
    button = CreateWindowA("BUTTON", "Push", WS_CHILD | WS_VISIBLE, 10, 10, 100, 30, parent,
                           (HMENU)100, nullptr, nullptr);
    edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 10, 60, 100, 24, parent, nullptr,
                         nullptr, nullptr);
    ASSERT_TRUE(parent && button && edit);
    Pump();
    parentSaw.clear();
    controlSaw.clear();
  }
  void TearDown() override { DestroyWindow(parent); }
  void ExpectSeen(const std::vector<Seen>& want) { EXPECT_EQ(want, parentSaw); }
};

TEST_F(ControlRelay, MouseRelayReportsClickButNotWheelAndRemoves) {
  LONG own = GetWindowLongA(button, GWL_WNDPROC);
  ASSERT_EQ(RC_OK, SetControlRelay(button, RELAY_MOUSE));
  Click(button);
  SendMessageA(button, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  PostMessageA(button, WM_KEYDOWN, 0x41, 1);
  Pump();
  // The click is handled (BN_CLICKED, sent) before the posted relays arrive;
  // the wheel is handed up by the button itself, unrelayed.
  LPARAM b = (LPARAM)button;
  ExpectSeen({{WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), b},
              {WM_RELAY_MOUSE, WM_LBUTTONDOWN, b},
              {WM_RELAY_MOUSE, WM_LBUTTONUP, b},
              {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0}});

  ASSERT_EQ(RC_OK, SetControlRelay(button, RELAY_REMOVE));
  EXPECT_EQ(own, GetWindowLongA(button, GWL_WNDPROC));
  parentSaw.clear();
  Click(button);
  ExpectSeen({{WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), b}});
}

TEST_F(ControlRelay, KeyRelayReportsKeyDownOnly) {
  ASSERT_EQ(RC_OK, SetControlRelay(edit, RELAY_KEYS));
  PostMessageA(edit, WM_KEYDOWN, 0x41, 1);
  PostMessageA(edit, WM_CHAR, 'a', 1);
  PostMessageA(edit, WM_KEYUP, 0x41, 0xC0000001);
  Click(edit);
  ExpectSeen({{WM_RELAY_KEY, 0x41, (LPARAM)edit}});
  char text[8] = "";
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ("a", text);  // the edit still handled its keys
}

TEST_F(ControlRelay, BothKindsPassEveryMessageOnce) {
  buttonProc = (WNDPROC)SetWindowLongA(button, GWL_WNDPROC, (LONG)CountingProc);
  // Changing kind without removing must not make a relay its own previous
  // procedure (it would call itself for ever).
  ASSERT_EQ(RC_OK, SetControlRelay(button, RELAY_MOUSE));
  ASSERT_EQ(RC_OK, SetControlRelay(button, RELAY_MOUSE_KEYS));
  const UINT sent[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEWHEEL, WM_KEYDOWN,
                       WM_KEYUP,       WM_CHAR,      WM_USER + 7};
  for (UINT m : sent) SendMessageA(button, m, m == WM_KEYDOWN ? 0x41 : 0, MAKELPARAM(5, 5));
  Pump();
  for (UINT m : sent) EXPECT_EQ(1, std::count(controlSaw.begin(), controlSaw.end(), m)) << m;
  EXPECT_EQ(1, std::count_if(parentSaw.begin(), parentSaw.end(), [](const Seen& s) {
              return s.message == WM_RELAY_KEY && s.wParam == 0x41;
            }));
  EXPECT_EQ(2, std::count_if(parentSaw.begin(), parentSaw.end(),
                             [](const Seen& s) { return s.message == WM_RELAY_MOUSE; }));

  ASSERT_EQ(RC_OK, SetControlRelay(button, 7));  // any other kind removes
  ASSERT_EQ(RC_OK, SetControlRelay(button, RELAY_REMOVE));
  EXPECT_EQ((LONG)CountingProc, GetWindowLongA(button, GWL_WNDPROC));

  HWND gone = CreateWindowA("BUTTON", "", WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(RC_BAD_ARG, SetControlRelay(gone, RELAY_MOUSE));
  EXPECT_EQ(RC_BAD_ARG, SetControlRelay(nullptr, RELAY_REMOVE));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
