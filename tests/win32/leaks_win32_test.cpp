// The real dialog, in this process: a hundred runs of it (load, previews,
// save) must leave the process's handle and GDI object counts where they were.
#include <gtest/gtest.h>
#include <windows.h>
#include <winternl.h>
#include "dialog/main_dialog_win32.h"
#include "res/resource.h"
#include "settings/settings_state.h"
#include "settings/wallpaper_holder.h"
#include "tests/win32/handle_probe.h"
#include "tests/win32/test_bitmap_win32.h"
#include "tests/win32/test_registry_win32.h"

// GetGuiResources where the system counts; Wine answers 0, so there the used
// entries of its GDI handle table (24 bytes each, reached from the process
// block) are counted.
static DWORD GdiCount() {
  DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const char* table = *(const char* const*)((const char*)NtCurrentTeb()->ProcessEnvironmentBlock + 0x94);
  for (int i = 0; i < 0x10000 && table && !GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); ++i)
    n += table[i * 24 + 14] != 0;  // the entry's type
  return n;
}

// The program's own template and procedure, kept off the screen (under Xvfb
// without a window manager Wine waits two seconds for every visible window
// hidden again), closed with Save.
static void RunDialog(const char* bitmap) {
  HRSRC found = FindResourceA(ProgramInstance, MAKEINTRESOURCEA(IDD_MAIN), (LPCSTR)RT_DIALOG);
  std::string copy((const char*)LockResource(LoadResource(ProgramInstance, found)), SizeofResource(ProgramInstance, found));
  *(DWORD*)&copy[12] &= ~WS_VISIBLE;  // the extended template's style, after version, help id and extended style
  HWND d = CreateDialogIndirectParamA(ProgramInstance, (DLGTEMPLATE*)&copy[0], nullptr, MainDialogProc, 0);
  ASSERT_EQ(SendDlgItemMessageA(d, IDC_LIST, LB_GETCOUNT, 0, 0), 2);
  for (int i = 0; i < 3; ++i) ShowPreview(bitmap), ShowPreview("C:\\missing.bmp");
  SendMessageA(d, WM_COMMAND, IDOK, 0);
  DestroyWindow(d);
  for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&m);
}

TEST(Leaks, AHundredDialogRunsKeepTheCounts) {
  char bitmap[MAX_PATH];
  GetTempPathA(MAX_PATH, bitmap);
  ASSERT_TRUE(WriteTestBitmap(lstrcatA(bitmap, "sw_leak.bmp"), 320, 240));
  ProgramInstance = GetModuleHandleA(nullptr);
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
  testreg::SetText(PROGRAM_KEY, "ChangeMode", "M");
  testreg::SetText(PROGRAM_KEY, "Bitmap00", bitmap);
  testreg::SetText(PROGRAM_KEY, "Bitmap01", "C:\\missing.bmp");
  for (int i = 0; i < 5; ++i) RunDialog(bitmap);  // the first runs may fill the system's caches
  std::string handles = HandleFootprint();
  DWORD gdi = GdiCount();
  for (int i = 0; i < 100 && !HasFatalFailure(); ++i) RunDialog(bitmap);
  EXPECT_EQ(HandleFootprint(), handles);
  EXPECT_EQ(GdiCount(), gdi);
  EXPECT_GT(gdi, 0u);  // the count sees something
  EXPECT_EQ(testreg::Text(PROGRAM_KEY, "Bitmap00"), bitmap);  // the saves went through
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY), DeleteFileA(bitmap);
}
