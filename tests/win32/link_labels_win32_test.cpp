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
  HWND labels[2] = {GetDlgItem(dialog, IDC_SITE_LINK), GetDlgItem(dialog, IDC_MAIL_LINK)};
  ASSERT_EQ(SendMessageA(TooltipWindow, TTM_GETTOOLCOUNT, 0, 0), 14);
  for (int i = 0; i < TOOL_COUNT; ++i) {
    char text[256] = "";
    TOOLINFOA tool = {TTTOOLINFOA_V1_SIZE};
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageA(TooltipWindow, TTM_ENUMTOOLSA, i, (LPARAM)&tool));
    EXPECT_TRUE((HWND)tool.uId == GetDlgItem(dialog, ToolTable[i].control) && !strcmp(text, ToolTable[i].text)) << i;
  }
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  for (HWND label : labels) EXPECT_EQ(GetWindowLongPtrA(label, GWLP_WNDPROC), GetClassLongPtrA(label, GCLP_WNDPROC));
  DestroyWindow(dialog);
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);  // the dialog's load made it
}
