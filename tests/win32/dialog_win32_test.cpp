// The real dialog in this process, from the program's own template kept off
// the screen (under Xvfb without a window manager Wine waits two seconds for
// every visible window hidden again).
#include <windows.h>
// The SDK's other headers build on <windows.h>.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <winternl.h>

#include "dialog/link_labels_win32.h"
#include "dialog/main_dialog_win32.h"
#include "res/resource.h"
#include "settings/automatic_change.h"
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

static HWND OpenDialog() {
  ProgramInstance = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(ProgramInstance, MAKEINTRESOURCEA(IDD_MAIN), (LPCSTR)RT_DIALOG);
  std::string copy((const char*)LockResource(LoadResource(ProgramInstance, found)),
                   SizeofResource(ProgramInstance, found));
  *(DWORD*)&copy[12] &=
      ~WS_VISIBLE;  // the extended template's style, after version, help id and extended style
  return CreateDialogIndirectParamA(ProgramInstance, (DLGTEMPLATE*)&copy[0], nullptr,
                                    MainDialogProc, 0);
}
static void CloseDialog(HWND d) {
  DestroyWindow(d);
  for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&m);
}

// Values no Save writes end a logon run with nothing written; the dialog has
// fourteen tools, and its labels get their procedures back; and a hundred
// runs (load, previews, save) leave the handle and GDI object counts where
// they were.
TEST(DialogWin32, HostileValuesToolsLabelsAndAHundredRunsThatKeepTheCounts) {
  char bitmap[MAX_PATH];
  GetTempPathA(MAX_PATH, bitmap);
  ASSERT_TRUE(WriteTestBitmap(lstrcatA(bitmap, "sw_leak.bmp"), 320, 240));
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
  testreg::SetText(PROGRAM_KEY, "ChangeMode", "D"),
      testreg::SetText(PROGRAM_KEY, "Bitmap00", bitmap);
  testreg::SetText(PROGRAM_KEY, "Bitmap01", "C:\\missing.bmp"),
      testreg::SetRaw(PROGRAM_KEY, "LastChange", REG_BINARY, "\1\2");
  testreg::SetText(PROGRAM_KEY, ("Bitmap00" + std::string(24, 'z')).c_str(),
                   "C:\\long.bmp");  // a name of 32 characters
  testreg::SetText(PROGRAM_KEY, "Path", std::string(300, 'p')),
      testreg::SetNumber(PROGRAM_KEY, "BmpCount", 2);
  testreg::SetNumber(PROGRAM_KEY, "SelectedBmp", 0);  // so that the date alone ends the run
  testreg::ValueMap stored = testreg::Values(PROGRAM_KEY);
  EXPECT_EQ(RunAutomaticChange(), 0);
  EXPECT_EQ(testreg::Values(PROGRAM_KEY), stored);
  std::string handles;
  DWORD gdi = 0;
  for (int i = 0; i < 105 && !HasFatalFailure(); ++i) {
    if (i == 5)
      handles = HandleFootprint(), gdi = GdiCount();  // the first runs may fill the system's caches
    HWND d = OpenDialog(), labels[2] = {GetDlgItem(d, IDC_SITE_LINK), GetDlgItem(d, IDC_MAIL_LINK)};
    ASSERT_TRUE(SendDlgItemMessageA(d, IDC_LIST, LB_GETCOUNT, 0, 0) == 2 &&
                IsDlgButtonChecked(d, IDC_MODE_DAILY));
    for (int j = 0; j < 3; ++j) ShowPreview(bitmap), ShowPreview("C:\\missing.bmp");
    ASSERT_EQ(SendMessageA(TooltipWindow, TTM_GETTOOLCOUNT, 0, 0), 14);
    for (const ToolTip& t : ToolTable)
      ASSERT_TRUE(GetDlgItem(d, t.control)) << t.control;  // each on a control
    SendMessageA(d, WM_COMMAND, IDOK, 0);  // Save, and the labels get their procedures back
    for (HWND label : labels)
      ASSERT_EQ(GetWindowLongPtrA(label, GWLP_WNDPROC), GetClassLongPtrA(label, GCLP_WNDPROC));
    CloseDialog(d);
  }
  EXPECT_EQ(HandleFootprint() + " gdi " + std::to_string(GdiCount()),
            handles + " gdi " + std::to_string(gdi));
  EXPECT_TRUE(gdi > 0 && testreg::Values(PROGRAM_KEY) !=
                             stored);  // the count sees something; the saves went through
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY), testreg::DeleteValue(RUN_KEY, RUN_VALUE_NAME),
      DeleteFileA(bitmap);
}

static WNDPROC listProc;
// A list box as the NT family with a double-byte code page answers: the
// length of a text overstated to twice its bytes.
static LRESULT CALLBACK OverstatingList(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  LRESULT r = CallWindowProcA(listProc, w, m, wp, lp);
  return m == LB_GETTEXTLEN && r != LB_ERR ? 2 * r : r;
}

// An entry is read by the length that the read gives, so one of 200 bytes
// is still read (and found, selected and saved) when the length is overstated.
TEST(DialogWin32, ListTextReadsAnEntryWhoseLengthIsOverstated) {
  const std::string path = "C:\\" + std::string(200, 'x') + ".bmp";
  HWND d = OpenDialog();
  HWND list = GetDlgItem(d, IDC_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)path.c_str());
  listProc = (WNDPROC)SetWindowLongPtrA(list, GWLP_WNDPROC, (LONG_PTR)OverstatingList);
  char text[TEXT_SIZE] = "";
  EXPECT_EQ(ListText(0, text), (int)path.size());
  EXPECT_EQ(text, path);
  SetWindowLongPtrA(list, GWLP_WNDPROC, (LONG_PTR)listProc);
  CloseDialog(d);
}
