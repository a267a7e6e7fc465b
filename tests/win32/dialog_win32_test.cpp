// The real dialog in this process, from the program's own template kept off
// the screen (under Xvfb without a window manager Wine waits two seconds for
// every visible window hidden again).
#include <windows.h>
// The SDK's other headers build on <windows.h>.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <winternl.h>

#include "dialog/link_labels.h"
#include "dialog/link_labels_win32.h"
#include "dialog/main_dialog_win32.h"
#include "res/resource.h"
#include "settings/settings_state.h"
#include "settings/wallpaper_holder.h"
#include "tests/win32/handle_probe.h"
#include "tests/win32/test_bitmap_win32.h"
#include "tests/win32/test_registry_win32.h"

// Wine answers 0 to GetGuiResources, so the used entries of its GDI handle
// table (24 bytes each, reached from the process block) are counted.
static DWORD GdiCount() {
  const char* table =
      *(const char* const*)((const char*)NtCurrentTeb()->ProcessEnvironmentBlock + 0x94);
  DWORD n = 0;
  for (int i = 0; i < 0x10000 && table; ++i) n += table[i * 24 + 14] != 0;  // the entry's type
  return n;
}

static const char* const bitmap = "C:\\sw_dialog.bmp";

// The program's key holds one daily entry, a bitmap of 160 x 120 pixels, and
// the dialog is open, made from the program's template without its
// WS_VISIBLE (the extended template's style, after version, help id and
// extended style).
class DialogWin32 : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteTestBitmap(bitmap, 160, 120));
    testreg::SetText(PROGRAM_KEY, "ChangeMode", "D");
    testreg::SetText(PROGRAM_KEY, "Bitmap00", bitmap);
    testreg::SetNumber(PROGRAM_KEY, "BmpCount", 1);
    testreg::SetNumber(PROGRAM_KEY, "SelectedBmp", 0);
    HINSTANCE p = ProgramInstance = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(p, MAKEINTRESOURCEA(IDD_MAIN), (LPCSTR)RT_DIALOG);
    std::string copy((const char*)LockResource(LoadResource(p, found)), SizeofResource(p, found));
    *(DWORD*)&copy[12] &= ~WS_VISIBLE;
    d = CreateDialogIndirectParamA(p, (DLGTEMPLATE*)&copy[0], nullptr, MainDialogProc, 0);
  }
  void TearDown() override {
    DestroyWindow(d);
    for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&m);
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    testreg::DeleteValue(RUN_KEY, RUN_VALUE_NAME);
    DeleteFileA(bitmap);
  }
  HWND d;
};

// Fourteen tools, and each of the table's controls is one of the dialog.
TEST_F(DialogWin32, OpeningGivesFourteenControlsATooltip) {
  EXPECT_EQ(14, SendMessageA(TooltipWindow, TTM_GETTOOLCOUNT, 0, 0));
  for (const ToolTip& t : ToolTable) EXPECT_NE(nullptr, GetDlgItem(d, t.control)) << t.control;
}

// Over a label its text is red; a tick of the hover timer that finds the
// pointer elsewhere (the dialog is hidden, so never over the label) makes it
// blue again and stops the timer.
TEST_F(DialogWin32, ALabelIsRedUntilATickFindsThePointerGone) {
  HWND label = GetDlgItem(d, IDC_MAIL_LINK);
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageA(label, WM_MOUSEMOVE, 0, 0);
  SendMessageA(d, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)label);
  EXPECT_EQ(RGB(255, 0, 0), GetTextColor(dc));
  SendMessageA(label, WM_TIMER, ID_HOVER_TIMER, 0);
  SendMessageA(d, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)label);
  EXPECT_EQ(RGB(0, 0, 255), GetTextColor(dc));
  EXPECT_FALSE(KillTimer(label, ID_HOVER_TIMER));
  DeleteDC(dc);
}

// The opening shows the current entry stretched to the preview's client area.
TEST_F(DialogWin32, PreviewIsScaledToTheControl) {
  RECT client;
  GetClientRect(GetDlgItem(d, IDC_PREVIEW), &client);
  BITMAP shown = {};
  GetObjectA((HGDIOBJ)SendDlgItemMessageA(d, IDC_PREVIEW, STM_GETIMAGE, IMAGE_BITMAP, 0),
             sizeof shown, &shown);
  EXPECT_EQ(client.right, shown.bmWidth);
  EXPECT_EQ(client.bottom, shown.bmHeight);
}

// A hundred runs (opening, a preview, Save, closing) leave the handle and
// GDI object counts where they were; the first runs may fill the system's
// caches.
TEST_F(DialogWin32, AHundredRunsKeepTheHandleAndGdiCounts) {
  std::string before;
  for (int i = 0; i < 105; ++i) {
    if (i == 5) before = HandleFootprint() + " gdi " + std::to_string(GdiCount());
    ShowPreview(bitmap);
    SendMessageA(d, WM_COMMAND, IDOK, 0);
    TearDown();
    SetUp();
  }
  EXPECT_EQ(before, HandleFootprint() + " gdi " + std::to_string(GdiCount()));
  EXPECT_LT(0u, GdiCount());  // the count sees the objects of the open dialog
}

static WNDPROC listProc;
// A list box as the NT family with a double-byte code page answers: the
// length of a text overstated to twice its bytes.
static LRESULT CALLBACK OverstatingList(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  LRESULT r = CallWindowProcA(listProc, w, m, wp, lp);
  return m == LB_GETTEXTLEN && r != LB_ERR ? 2 * r : r;
}

// An entry is read by the length that the read gives, so one of 200 bytes
// is still read whole when the list overstates its length.
TEST_F(DialogWin32, ListTextReadsAnEntryWhoseLengthIsOverstated) {
  const std::string path = "C:\\" + std::string(200, 'x') + ".bmp";
  HWND list = GetDlgItem(d, IDC_LIST);
  SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)path.c_str());  // after the stored entry
  listProc = (WNDPROC)SetWindowLongPtrA(list, GWLP_WNDPROC, (LONG_PTR)OverstatingList);
  char text[TEXT_SIZE] = "";
  EXPECT_EQ((int)path.size(), ListText(1, text));
  EXPECT_EQ(path, text);
}
