// The list box, the preview and the open-file dialog over Win32.
#include <windows.h>
#include <commdlg.h>
#include "dialog/dialog_view.h"
#include "dialog/main_dialog_win32.h"
#include "dialog/wallpaper_list.h"
#include "res/resource.h"

static LRESULT ToList(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(GetDlgItem(DialogWindow, IDC_LIST), message, wParam, lParam);
}

static int CountWin32() { return (int)ToList(LB_GETCOUNT, 0, 0); }

// LB_GETTEXT knows no buffer size: measure first, so a long entry fails
// instead of overrunning the 260 bytes.
static int GetTextWin32(int index, char* text) {
  LRESULT length = ToList(LB_GETTEXTLEN, (WPARAM)index, 0);
  if (length == LB_ERR || length < 0 || length >= 260) return LIST_ERR;
  return (int)ToList(LB_GETTEXT, (WPARAM)index, (LPARAM)text);
}

static void AddWin32(const char* text) { ToList(LB_ADDSTRING, 0, (LPARAM)text); }
static void DeleteWin32(int index) { ToList(LB_DELETESTRING, (WPARAM)index, 0); }
static void ResetWin32() { ToList(LB_RESETCONTENT, 0, 0); }

static int GetSelItemsWin32(int* items, int max) {
  return (int)ToList(LB_GETSELITEMS, (WPARAM)max, (LPARAM)items);
}

static int GetSelCountWin32() { return (int)ToList(LB_GETSELCOUNT, 0, 0); }
static int GetCaretWin32() { return (int)ToList(LB_GETCURSEL, 0, 0); }

ListBoxApi ListBox = {CountWin32,  GetTextWin32,     AddWin32,
                      DeleteWin32, ResetWin32,       GetSelItemsWin32,
                      GetSelCountWin32, GetCaretWin32};

void ShowPreviewWin32(const char* path) {
  HWND preview = GetDlgItem(DialogWindow, IDC_PREVIEW);
  RECT client;
  if (!GetClientRect(preview, &client)) SetRectEmpty(&client);
  HBITMAP image = nullptr;
  if (path && client.right > 0 && client.bottom > 0) {
    HBITMAP loaded = (HBITMAP)LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (loaded) {
      // Stretched to the whole client area; the proportions are not kept.
      image = (HBITMAP)CopyImage(loaded, IMAGE_BITMAP, client.right, client.bottom,
                                 LR_COPYDELETEORG);
      if (!image) DeleteObject(loaded);
    }
  }
  if (!image) image = LogoBitmap;
  HBITMAP previous =
      (HBITMAP)SendMessageA(preview, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)image);
  if (previous && previous != LogoBitmap && previous != image) DeleteObject(previous);
}

typedef BOOL(WINAPI* OpenFileEntry)(OPENFILENAMEA*);

int ChooseFileWin32(char* file, unsigned size, const char* folder, unsigned* nameOffset) {
  OPENFILENAMEA open;
  ZeroMemory(&open, sizeof open);
  // The record as it was before the Windows 2000 fields, so that every
  // version of the common dialogs takes it.
  open.lStructSize = 76;
  open.hwndOwner = DialogWindow;
  open.hInstance = ProgramInstance;
  open.lpstrFilter = OPEN_FILE_FILTER;
  open.lpstrFile = file;
  open.nMaxFile = size;
  open.lpstrInitialDir = folder;
  open.lpstrTitle = OPEN_FILE_TITLE;
  open.Flags = OPEN_FILE_FLAGS;
  // The common dialogs are loaded when first asked for, not imported, so
  // that the logon run never loads them.
  static OpenFileEntry choose = nullptr;
  if (!choose) {
    HMODULE dialogs = LoadLibraryA("comdlg32.dll");
    if (dialogs) choose = (OpenFileEntry)(void*)GetProcAddress(dialogs, "GetOpenFileNameA");
    if (!choose) return 0;
  }
  if (!choose(&open)) return 0;
  *nameOffset = open.nFileOffset;
  return 1;
}
