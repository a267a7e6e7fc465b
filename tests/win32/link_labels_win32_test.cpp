// The link labels and tooltips on the real dialog template, in this process.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include "dialog/link_labels.h"
#include "dialog/link_labels_win32.h"
#include "dialog/main_dialog_win32.h"
#include "res/resource.h"
#include "settings/settings_state.h"

TEST(LinkLabelsWin32, FourteenToolsAndTheLabelsGetTheirProceduresBack) {
  ProgramInstance = GetModuleHandleA(nullptr);
  HWND dialog = CreateDialogParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  HWND labels[2] = {GetDlgItem(dialog, IDC_SITE_LINK), GetDlgItem(dialog, IDC_MAIL_LINK)};
  LONG_PTR staticProc = GetClassLongPtrA(labels[0], GCLP_WNDPROC);
  ASSERT_EQ(SendMessageA(TooltipWindow, TTM_GETTOOLCOUNT, 0, 0), 14);
  for (int i = 0; i < TOOL_COUNT; ++i) {
    char text[256] = "";
    TOOLINFOA ti = {TTTOOLINFOA_V1_SIZE};
    ti.lpszText = text;
    ASSERT_TRUE(SendMessageA(TooltipWindow, TTM_ENUMTOOLSA, i, (LPARAM)&ti));
    EXPECT_EQ((HWND)ti.uId, GetDlgItem(dialog, ToolTable[i].control)) << i;
    EXPECT_STREQ(text, ToolTable[i].text) << i;
  }
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ((LONG_PTR)LinkLabels[i].savedProc, staticProc);
    EXPECT_EQ(GetWindowLongPtrA(labels[i], GWLP_WNDPROC), staticProc);
  }
  DestroyWindow(dialog);
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);  // the dialog's load made it
}
