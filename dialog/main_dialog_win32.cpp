#include "dialog/main_dialog_win32.h"
#include "dialog/dialog_view.h"
#include "dialog/link_labels.h"
#include "dialog/link_labels_win32.h"
#include "dialog/main_dialog.h"
#include "res/resource.h"

HINSTANCE ProgramInstance = nullptr;
HWND DialogWindow = nullptr;
HBITMAP LogoBitmap = nullptr;

static void CheckRadioWin32(int id) { CheckDlgButton(DialogWindow, id, BST_CHECKED); }

static void EnableControlWin32(int id, int enable) {
  EnableWindow(GetDlgItem(DialogWindow, id), enable ? TRUE : FALSE);
}

static void SetControlTextWin32(int id, const char* text) {
  SetDlgItemTextA(DialogWindow, id, text);
}

static int AskWin32(const char* text, const char* caption, unsigned flags) {
  return MessageBoxA(DialogWindow, text, caption, flags);
}

static void EndWin32(int result) { EndDialog(DialogWindow, result); }

static void LoadLogoWin32() {
  LogoBitmap = (HBITMAP)LoadImageA(ProgramInstance, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0,
                                   0, LR_DEFAULTCOLOR);
}

static void FreeLogoWin32() {
  if (LogoBitmap) DeleteObject(LogoBitmap);
  LogoBitmap = nullptr;
}

static void AttachLinkLabelsWin32() { AttachLinkLabels(DialogWindow); }
static void CreateTooltipsWin32() { CreateTooltips(DialogWindow, ProgramInstance); }

DialogViewApi DialogView = {CheckRadioWin32,       EnableControlWin32,  SetControlTextWin32,
                            AskWin32,              EndWin32,            LoadLogoWin32,
                            FreeLogoWin32,         ShowPreviewWin32,    ChooseFileWin32,
                            AttachLinkLabelsWin32, DetachLinkLabels,    CreateTooltipsWin32};

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      DialogWindow = dialog;
      OpenMainDialog();
      return TRUE;  // the focus goes to the first tab stop, Save
    case WM_COMMAND:
      return DispatchCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_CLOSE:
      CloseMainDialog(LEAVE_NEITHER, 0);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return OnLinkColor((HDC)wParam, (HWND)lParam);
    case WM_LINK_HOVER:
      return OnLinkHover(wParam, (void*)lParam);
  }
  return FALSE;
}
