// The link labels and tooltips on the real dialog template, in this process.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include "dialog/link_labels.h"
#include "dialog/link_labels_win32.h"
#include "dialog/main_dialog_win32.h"
#include "res/resource.h"
#include "settings/settings_state.h"

namespace {

TEST(LinkLabelsWin32, FourteenToolsAndTheLabelProceduresComeAndGo) {
  // The real dialog procedure on the real template, modeless in this process.
  ProgramInstance = GetModuleHandleA(nullptr);
  HWND dialog = CreateDialogParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                   MainDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  HWND site = GetDlgItem(dialog, IDC_SITE_LINK);
  // The tooltips subclass the labels on top of LinkLabelProc, so only the
  // kept procedures can be checked here.
  EXPECT_NE(LinkLabels[0].savedProc, nullptr);
  EXPECT_NE(LinkLabels[1].savedProc, nullptr);

  ASSERT_NE(TooltipWindow, nullptr);
  char cls[64];
  GetClassNameA(TooltipWindow, cls, sizeof cls);
  EXPECT_STREQ(cls, "tooltips_class32");
  ASSERT_EQ(SendMessageA(TooltipWindow, TTM_GETTOOLCOUNT, 0, 0), TOOL_COUNT);
  for (int i = 0; i < TOOL_COUNT; ++i) {
    char text[256] = "";
    TOOLINFOA ti;
    ZeroMemory(&ti, sizeof ti);
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.lpszText = text;
    ASSERT_TRUE(SendMessageA(TooltipWindow, TTM_ENUMTOOLSA, i, (LPARAM)&ti));
    EXPECT_EQ((HWND)ti.uId, GetDlgItem(dialog, ToolTable[i].control)) << i;
    EXPECT_STREQ(text, ToolTable[i].text) << i;
  }

  // Cancel gives the labels their procedures back.
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(GetWindowLongPtrA(site, GWLP_WNDPROC), (LONG_PTR)LinkLabels[0].savedProc);
  EXPECT_EQ(GetWindowLongPtrA(GetDlgItem(dialog, IDC_MAIL_LINK), GWLP_WNDPROC),
            (LONG_PTR)LinkLabels[1].savedProc);
  DestroyWindow(dialog);
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);  // the dialog's load made it
}

}  // namespace
