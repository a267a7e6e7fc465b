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

std::vector<std::string> Opened;
void RecordOpen(const char* target) { Opened.push_back(target); }

TEST(LinkLabelsWin32, FourteenToolsAndTheLabelProceduresComeAndGo) {
  // The real dialog procedure on the real template, modeless in this process.
  ProgramInstance = GetModuleHandleA(nullptr);
  HWND dialog = CreateDialogParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                   MainDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(LinkLabels[0].hover, 0);
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

  // Hover through the label's own procedure: a move turns it red at once.
  SendMessageA(site, WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(LinkLabels[0].hover, 1);
  HDC dc = GetDC(site);
  EXPECT_EQ(OnLinkColor(dc, site), (INT_PTR)GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(GetTextColor(dc), (COLORREF)LINK_COLOR_HOVERED);
  EXPECT_EQ(OnLinkColor(dc, GetDlgItem(dialog, IDC_PREVIEW)), FALSE);
  ReleaseDC(site, dc);
  // The pointer is not over the label, so the next tick leaves.
  SetCursorPos(0, 0);
  SendMessageA(site, WM_TIMER, ID_HOVER_TIMER, 0);
  EXPECT_EQ(LinkLabels[0].hover, 0);

  LinkApi saved = LinkPlatform;
  LinkPlatform.Open = RecordOpen;
  OpenLinkTarget(IDC_SITE_LINK);
  OpenLinkTarget(IDC_MAIL_LINK);
  OpenLinkTarget(IDC_PREVIEW);
  LinkPlatform = saved;
  EXPECT_EQ(Opened, (std::vector<std::string>{SITE_URL, MAIL_URL}));

  // Cancel gives the labels their procedures back.
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(GetWindowLongPtrA(site, GWLP_WNDPROC), (LONG_PTR)LinkLabels[0].savedProc);
  EXPECT_EQ(GetWindowLongPtrA(GetDlgItem(dialog, IDC_MAIL_LINK), GWLP_WNDPROC),
            (LONG_PTR)LinkLabels[1].savedProc);
  DestroyWindow(dialog);
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);  // the dialog's load made it
}

}  // namespace
