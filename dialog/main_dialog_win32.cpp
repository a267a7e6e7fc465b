#include "dialog/main_dialog_win32.h"

#include "app/registry_security.h"
#include "dialog/dialog_view.h"
#include "dialog/link_labels.h"
#include "dialog/link_labels_win32.h"
#include "dialog/main_dialog.h"
#include "res/resource.h"
#include "settings/registry.h"

static_assert(WM_INITDIALOG == 0x0110 && WM_COMMAND == 0x0111 && WM_CLOSE == 0x0010 &&
                  WM_CTLCOLORSTATIC == 0x0138,
              "messages");
static_assert(CLEAR_QUESTION_FLAGS == (MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) &&
                  ANSWER_YES == IDYES && ANSWER_NO == IDNO,
              "the clear question");
static_assert(LIST_SELCHANGE == LBN_SELCHANGE && STN_CLICKED == 0 && STN_DBLCLK == 1,
              "notifications");
static_assert(IMAGE_BITMAP == 0 && LR_DEFAULTCOLOR == 0 && BST_CHECKED == 1, "logo, radio mark");

HINSTANCE ProgramInstance = nullptr;
HWND DialogWindow = nullptr;
HBITMAP LogoBitmap = nullptr;

void CheckRadio(int id) { CheckDlgButton(DialogWindow, id, BST_CHECKED); }

void EnableControl(int id, int enable) {
  EnableWindow(GetDlgItem(DialogWindow, id), enable ? TRUE : FALSE);
}

void SetCurrentText(const char* text) { SetDlgItemTextA(DialogWindow, IDC_CURRENT, text); }

int AskQuestion(const char* text, const char* caption, unsigned flags) {
  return MessageBoxA(DialogWindow, text, caption, flags);
}

void EndMainDialog(int result) { EndDialog(DialogWindow, result); }

void LoadLogo() {
  LogoBitmap = (HBITMAP)LoadImageA(ProgramInstance, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0,
                                   LR_DEFAULTCOLOR);
}

void FreeLogo() {
  if (LogoBitmap) DeleteObject(LogoBitmap);
  LogoBitmap = nullptr;
}

void ReleaseRegistrySecurity() {
  if (!RegistrySecurity) return;
  FreeRegistrySecurity(RegistrySecurity);
  RegistrySecurity = nullptr;
}

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
      return OnLinkHover(wParam, lParam);
  }
  return FALSE;
}
