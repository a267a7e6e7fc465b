#include "dialog/main_dialog_win32.h"
#include "dialog/link_labels.h"
#include "dialog/link_labels_win32.h"
#include "res/resource.h"

HINSTANCE ProgramInstance = nullptr;

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      AttachLinkLabels(dialog);
      ClearLinkHover();
      CreateTooltips(dialog, ProgramInstance);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return OnLinkColor((HDC)wParam, (HWND)lParam);
    case WM_LINK_HOVER:
      return OnLinkHover(wParam, (void*)lParam);
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDCANCEL:
          DetachLinkLabels();
          EndDialog(dialog, 0);
          return TRUE;
        case IDC_SITE_LINK:
        case IDC_MAIL_LINK:
          if (HIWORD(wParam) <= 1) OpenLinkTarget(LOWORD(wParam));
          return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      DetachLinkLabels();
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}
