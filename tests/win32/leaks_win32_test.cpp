// The real dialog, in this process: a thousand previews and a thousand
// opening and closing runs (load, then save) must leave the process's
// handle and GDI object counts where they were.
#include <gtest/gtest.h>
#include <windows.h>
#include <winternl.h>
#include <stdio.h>
#include <functional>
#include <string>
#include "dialog/dialog_view.h"
#include "dialog/main_dialog_win32.h"
#include "res/resource.h"
#include "settings/registry.h"
#include "settings/settings_state.h"
#include "tests/win32/test_bitmap_win32.h"
#include "tests/win32/test_registry_win32.h"

namespace {

bool OnWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != 0; }

// GetProcessHandleCount where the system counts; Wine's answers 0, so
// there the live handle values are counted instead (they are multiples of
// four from 4 up).
DWORD HandleCount() {
  typedef BOOL(WINAPI * CountFn)(HANDLE, PDWORD);
  CountFn count = (CountFn)GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessHandleCount");
  DWORD n = 0;
  if (count && count(GetCurrentProcess(), &n) && n) return n;
  DWORD flags;
  for (ULONG_PTR h = 4; h < 0x10000; h += 4)
    if (GetHandleInformation((HANDLE)h, &flags)) ++n;
  return n;
}

// GetGuiResources where the system counts; Wine's answers 0, so there the
// used entries of its GDI handle table (reached from the process block)
// are counted instead.
DWORD GdiCount() {
  DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (n || !OnWine()) return n;
#pragma pack(push, 1)
  struct Entry {
    unsigned long long object;
    unsigned long owner;
    unsigned short unique;
    unsigned char type, flags;
    unsigned long long user;
  };
#pragma pack(pop)
  static_assert(sizeof(Entry) == 24, "Wine's GDI handle entry");
  const char* peb = (const char*)NtCurrentTeb()->ProcessEnvironmentBlock;
  const Entry* table = *(const Entry* const*)(peb + 0x94);  // GdiSharedHandleTable
  if (!table) return 0;
  for (int i = 0; i < 0x10000; ++i)
    if (table[i].type) ++n;
  return n;
}

void Pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

class Leaks : public ::testing::Test {
 protected:
  std::string bitmap;
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    bitmap = std::string(temp) + "sw_leak.bmp";
    WriteTestBitmap(bitmap.c_str(), 320, 240);
    ProgramInstance = GetModuleHandleA(nullptr);
    SettingsState = InitialSettingsState();
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    testreg::SetText(PROGRAM_KEY, "ChangeMode", "M");
    testreg::SetText(PROGRAM_KEY, "Bitmap00", bitmap);
    testreg::SetText(PROGRAM_KEY, "Bitmap01", "C:\\missing.bmp");
    testreg::SetText(DESKTOP_KEY, "Wallpaper", "C:\\windows\\before.bmp");
  }
  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    testreg::DeleteValue(RUN_KEY, RUN_VALUE_NAME);
    DeleteFileA(bitmap.c_str());
  }
  // The real dialog from the program's own template and procedure, kept
  // off the screen: under Xvfb without a window manager, Wine waits two
  // seconds for every visible window that is hidden again.
  HWND Open() {
    HRSRC found = FindResourceA(ProgramInstance, MAKEINTRESOURCEA(IDD_MAIN), (LPCSTR)RT_DIALOG);
    DWORD size = SizeofResource(ProgramInstance, found);
    const void* bytes = LockResource(LoadResource(ProgramInstance, found));
    if (!found || !bytes) return nullptr;
    std::string copy((const char*)bytes, size);
    // The extended form starts with version 1 and 0xFFFF; its style follows
    // the help id and the extended style.
    WORD* words = (WORD*)&copy[0];
    DWORD* style = (DWORD*)(words[1] == 0xFFFF ? &copy[12] : &copy[0]);
    *style &= ~WS_VISIBLE;
    HWND d = CreateDialogIndirectParamA(ProgramInstance, (DLGTEMPLATE*)&copy[0], nullptr,
                                        MainDialogProc, 0);
    Pump();
    return d;
  }
  // The command runs the whole closing sequence; without a modal loop the
  // window is then destroyed here.
  void Close(HWND d, int command) {
    SendMessageA(d, WM_COMMAND, command, 0);
    DestroyWindow(d);
    Pump();
  }
};

// Runs step five times (the first ones may fill the system's caches), then
// a thousand times, and expects the handle and GDI object counts unchanged.
void ExpectCountsKept(const char* what, const std::function<void()>& step) {
  for (int i = 0; i < 5; ++i) step();
  DWORD handles = HandleCount(), gdi = GdiCount();
  for (int i = 0; i < 1000 && !::testing::Test::HasFatalFailure(); ++i) step();
  Pump();
  DWORD handlesAfter = HandleCount(), gdiAfter = GdiCount();
  printf("[ figures  ] 1000 %s: handles %lu -> %lu, GDI objects %lu -> %lu\n", what, handles,
         handlesAfter, gdi, gdiAfter);
  EXPECT_EQ(handlesAfter, handles);
  EXPECT_EQ(gdiAfter, gdi);
  EXPECT_GT(gdi, 0u);  // the count sees something: at least the logo
}

TEST_F(Leaks, AThousandPreviewsKeepTheCounts) {
  HWND d = Open();
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(SendDlgItemMessageA(d, IDC_LIST, LB_GETCOUNT, 0, 0), 2);  // loaded
  ExpectCountsKept("previews", [&] {
    ShowPreview(bitmap.c_str());
    ASSERT_NE((HBITMAP)SendDlgItemMessageA(d, IDC_PREVIEW, STM_GETIMAGE, IMAGE_BITMAP, 0),
              LogoBitmap);
    ShowPreview(nullptr);
  });
  Close(d, IDCANCEL);
}

TEST_F(Leaks, AThousandOpeningsWithLoadAndSaveKeepTheCounts) {
  ExpectCountsKept("dialog runs", [&] {
    HWND d = Open();
    ASSERT_NE(d, nullptr);
    Close(d, IDOK);
  });
  // The saves went through: the list is stored as it was loaded.
  EXPECT_EQ(testreg::Text(PROGRAM_KEY, "Bitmap00"), bitmap);
  EXPECT_EQ(testreg::Number(PROGRAM_KEY, "BmpCount"), 2u);
}

}  // namespace
