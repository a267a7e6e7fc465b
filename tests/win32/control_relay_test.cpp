// Relays on real controls in a real window: messages are posted or sent to
// the control and dispatched through the thread's queue.
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
};
std::vector<Seen> parentSaw;   // relays, button clicks and forwarded wheels
std::vector<UINT> controlSaw;  // every message that reached the control's own procedure
WNDPROC buttonProc;

LRESULT CALLBACK ParentProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_RELAY_MOUSE || m == WM_RELAY_KEY || m == WM_COMMAND || m == WM_MOUSEWHEEL)
    parentSaw.push_back({m, wp, lp});
  return DefWindowProcA(w, m, wp, lp);
}

// Stands in for the control's own procedure: counts, then lets the button work.
LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  controlSaw.push_back(m);
  return CallWindowProcA(buttonProc, w, m, wp, lp);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The relays the parent saw, without the mouse moves that the pointer
// itself may cause.
std::vector<Seen> Relays() {
  std::vector<Seen> r;
  for (const Seen& s : parentSaw)
    if ((s.message == WM_RELAY_MOUSE && s.wParam != WM_MOUSEMOVE) || s.message == WM_RELAY_KEY)
      r.push_back(s);
  return r;
}

bool Clicked(HWND button) {
  for (const Seen& s : parentSaw)
    if (s.message == WM_COMMAND && HIWORD(s.wParam) == BN_CLICKED && (HWND)s.lParam == button)
      return true;
  return false;
}

class ControlRelay : public ::testing::Test {
 protected:
  HWND parent = nullptr, button = nullptr, edit = nullptr;
  void SetUp() override {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RelayTestParent";
    RegisterClassA(&wc);
    parent = CreateWindowA("RelayTestParent", "relay", WS_OVERLAPPEDWINDOW, 0, 0,
                           300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    button = CreateWindowA("BUTTON", "Push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 100,
                           30, parent, (HMENU)100, wc.hInstance, nullptr);
    edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 60, 100, 24, parent,
                         (HMENU)101, wc.hInstance, nullptr);
    ASSERT_TRUE(parent && button && edit);
    Pump();
    parentSaw.clear();
    controlSaw.clear();
  }
  void TearDown() override { DestroyWindow(parent); Pump(); }

  void Click(HWND w) {
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
  }
};

TEST_F(ControlRelay, MouseRelayReportsClickButNotWheel) {
  LONG own = GetWindowLongA(button, GWL_WNDPROC);
  ASSERT_EQ(RC_OK, SetControlRelay(button, RELAY_MOUSE));
  EXPECT_EQ((LONG)MouseRelayProc, GetWindowLongA(button, GWL_WNDPROC));
  Click(button);
  SendMessageA(button, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(20, 20));
  PostMessageA(button, WM_KEYDOWN, 0x41, 1);
  Pump();

  std::vector<Seen> r = Relays();
  ASSERT_EQ(2u, r.size());
  EXPECT_EQ((UINT)WM_RELAY_MOUSE, r[0].message);
  EXPECT_EQ((WPARAM)WM_LBUTTONDOWN, r[0].wParam);
  EXPECT_EQ((LPARAM)button, r[0].lParam);
  EXPECT_EQ((WPARAM)WM_LBUTTONUP, r[1].wParam);
  EXPECT_EQ((LPARAM)button, r[1].lParam);
  EXPECT_TRUE(Clicked(button));  // the button itself handled the click
  bool wheelPassedOn = false;    // the button's default handling hands it up
  for (const Seen& s : parentSaw) wheelPassedOn |= s.message == WM_MOUSEWHEEL;
  EXPECT_TRUE(wheelPassedOn);

  ASSERT_EQ(RC_OK, SetControlRelay(button, RELAY_REMOVE));
  EXPECT_EQ(own, GetWindowLongA(button, GWL_WNDPROC));
  parentSaw.clear();
  Click(button);
  EXPECT_TRUE(Relays().empty());
  EXPECT_TRUE(Clicked(button));
}

TEST_F(ControlRelay, KeyRelayReportsKeyDownOnly) {
  ASSERT_EQ(RC_OK, SetControlRelay(edit, RELAY_KEYS));
  PostMessageA(edit, WM_KEYDOWN, 0x41, 1);
  PostMessageA(edit, WM_CHAR, 'a', 1);
  PostMessageA(edit, WM_KEYUP, 0x41, 0xC0000001);
  Click(edit);
  std::vector<Seen> r = Relays();
  ASSERT_EQ(1u, r.size());
  EXPECT_EQ((UINT)WM_RELAY_KEY, r[0].message);
  EXPECT_EQ((WPARAM)0x41, r[0].wParam);
  EXPECT_EQ((LPARAM)edit, r[0].lParam);
  char text[8] = "";
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ("a", text);  // the edit still typed the character
}

TEST_F(ControlRelay, BothKindsPassEveryMessageOnceAndRemoveCleanly) {
  buttonProc = (WNDPROC)SetWindowLongA(button, GWL_WNDPROC, (LONG)CountingProc);
  // Switching kinds without removing first must not make the relay its own
  // previous procedure.
  ASSERT_EQ(RC_OK, SetControlRelay(button, RELAY_MOUSE));
  ASSERT_EQ(RC_OK, SetControlRelay(button, RELAY_MOUSE_KEYS));
  EXPECT_EQ((LONG)CountingProc, GetWindowLongA(button, GWL_USERDATA));

  const UINT sent[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEWHEEL, WM_KEYDOWN,
                       WM_KEYUP,       WM_CHAR,      WM_USER + 7};
  for (UINT m : sent) SendMessageA(button, m, m == WM_KEYDOWN ? VK_SPACE : 0, MAKELPARAM(5, 5));
  Pump();
  for (UINT m : sent) {
    int n = 0;
    for (UINT c : controlSaw) n += c == m;
    EXPECT_EQ(1, n) << "message " << std::hex << m;
  }
  std::vector<Seen> r = Relays();
  ASSERT_EQ(3u, r.size());
  EXPECT_EQ((WPARAM)WM_LBUTTONDOWN, r[0].wParam);
  EXPECT_EQ((WPARAM)WM_LBUTTONUP, r[1].wParam);
  EXPECT_EQ((UINT)WM_RELAY_KEY, r[2].message);
  EXPECT_EQ((WPARAM)VK_SPACE, r[2].wParam);

  ASSERT_EQ(RC_OK, SetControlRelay(button, 7));  // any other kind removes
  EXPECT_EQ((LONG)CountingProc, GetWindowLongA(button, GWL_WNDPROC));
  parentSaw.clear();
  controlSaw.clear();
  Click(button);
  EXPECT_TRUE(Relays().empty());
  EXPECT_EQ(1, (int)std::count(controlSaw.begin(), controlSaw.end(), (UINT)WM_LBUTTONDOWN));
  // Removing again, with nothing installed, changes nothing.
  EXPECT_EQ(RC_OK, SetControlRelay(button, RELAY_REMOVE));
  EXPECT_EQ((LONG)CountingProc, GetWindowLongA(button, GWL_WNDPROC));
}

TEST_F(ControlRelay, RefusesWhatIsNotAWindow) {
  HWND gone = CreateWindowA("BUTTON", "x", WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(RC_BAD_ARG, SetControlRelay(gone, RELAY_MOUSE));
  EXPECT_EQ(RC_BAD_ARG, SetControlRelay(nullptr, RELAY_REMOVE));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
