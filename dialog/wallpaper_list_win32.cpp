// The list box, the preview and the open-file dialog over Win32.
#include <windows.h>
// The SDK's other headers build on <windows.h>.
#include <commdlg.h>
#include <stddef.h>

#include "dialog/dialog_view.h"
#include "dialog/main_dialog_win32.h"
#include "dialog/wallpaper_list.h"
#include "res/resource.h"
#include "settings/settings_state.h"
#include "settings/text.h"
#include "support/ansi_path.h"

static_assert(LB_GETCOUNT == 0x018B && LB_GETTEXT == 0x0189 && LB_ADDSTRING == 0x0180 &&
                  LB_DELETESTRING == 0x0182 && LB_RESETCONTENT == 0x0184 &&
                  LB_GETSELITEMS == 0x0191 && LB_GETSELCOUNT == 0x0190 && LB_GETCURSEL == 0x0188,
              "list-box messages");
static_assert(LIST_ERR == LB_ERR && STM_SETIMAGE == 0x0172, "list error, preview message");
static_assert(OPEN_FILE_FLAGS ==
                  (OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY),
              "0x00081804");
// The record without the fields added for Windows 2000 (up to and with
// lpTemplateName), so that every version of the common dialogs takes it.
enum { OPEN_FILE_RECORD_SIZE = 76 };
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == OPEN_FILE_RECORD_SIZE,
              "the open-file record of 76 bytes");

static LRESULT ToList(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(GetDlgItem(DialogWindow, IDC_LIST), message, wParam, lParam);
}

int ListCount() { return (int)ToList(LB_GETCOUNT, 0, 0); }

// LB_GETTEXT knows no buffer size, so the length is asked first; but for
// double-byte text it may be overstated (up to twice the bytes, as the
// system documents), so it only sizes the read, and the length that the
// read gives decides. Every entry has at most 259 characters.
int ListText(int index, char* text) {
  char whole[2 * TEXT_SIZE];
  LRESULT length = ToList(LB_GETTEXTLEN, (WPARAM)index, 0);
  if (length == LB_ERR || length < 0 || length >= (LRESULT)sizeof whole) return LIST_ERR;
  length = ToList(LB_GETTEXT, (WPARAM)index, (LPARAM)whole);
  if (length == LB_ERR || length < 0 || length >= TEXT_SIZE) return LIST_ERR;
  return (int)CopyText(text, TEXT_SIZE, whole, (unsigned long)length);
}

void ListAppend(const char* text) { ToList(LB_ADDSTRING, 0, (LPARAM)text); }
void ListDelete(int index) { ToList(LB_DELETESTRING, (WPARAM)index, 0); }
void ListReset() { ToList(LB_RESETCONTENT, 0, 0); }
int ListSelection(int* items, int max) {
  return (int)ToList(LB_GETSELITEMS, (WPARAM)max, (LPARAM)items);
}
int ListSelectedCount() { return (int)ToList(LB_GETSELCOUNT, 0, 0); }
int ListCaret() { return (int)ToList(LB_GETCURSEL, 0, 0); }

void ShowPreview(const char* path) {
  HWND preview = GetDlgItem(DialogWindow, IDC_PREVIEW);
  RECT client;
  if (!GetClientRect(preview, &client)) SetRectEmpty(&client);
  HBITMAP image = nullptr;
  if (path && client.right > 0 && client.bottom > 0) {
    HBITMAP loaded = (HBITMAP)LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (loaded) {
      // Stretched to the whole client area; the proportions are not kept.
      image =
          (HBITMAP)CopyImage(loaded, IMAGE_BITMAP, client.right, client.bottom, LR_COPYDELETEORG);
      if (!image) DeleteObject(loaded);
    }
  }
  if (!image) image = LogoBitmap;
  HBITMAP previous = (HBITMAP)SendMessageA(preview, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)image);
  if (previous && previous != LogoBitmap && previous != image) DeleteObject(previous);
}

typedef BOOL(WINAPI* OpenFileEntry)(OPENFILENAMEA*);
typedef BOOL(WINAPI* WideOpenFileEntry)(OPENFILENAMEW*);
typedef int(WINAPI* ToWideEntry)(UINT, DWORD, LPCSTR, int, LPWSTR, int);
static_assert(offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR) == OPEN_FILE_RECORD_SIZE,
              "the wide record has the same 76 bytes");

// True when text does not end inside a double-byte character.
static bool EndsWhole(const char* text) {
  for (const char* p = text; *p; ++p)
    if (IsDBCSLeadByte((BYTE)*p) && !*++p) return false;
  return true;
}

// Where the name begins: just past the last backslash, stepping over
// double-byte characters whole, as their second byte may be a backslash.
static unsigned NameOffset(const char* path) {
  unsigned offset = 0;
  for (unsigned i = 0; path[i]; ++i) {
    if (IsDBCSLeadByte((BYTE)path[i]) && path[i + 1])
      ++i;
    else if (path[i] == '\\')
      offset = i + 1;
  }
  return offset;
}

// The common dialogs are loaded when first asked for, not imported, so that
// the logon run never loads them.
static void* OpenFileDialogEntry(const char* name) {
  HMODULE dialogs = LoadLibraryA("comdlg32.dll");
  return dialogs ? (void*)GetProcAddress(dialogs, name) : nullptr;
}

// On the NT family the dialog is asked for the wide name, the true one: an
// ANSI dialog answers a name that the code page lacks with '?' or a
// look-alike, which names no file or another one. The choice is taken as
// a path that names the same file (by its short path where need be), or
// not at all.
static int RunWideOpenFileDialog(char* file, unsigned size, const char* folder,
                                 unsigned* nameOffset) {
  static WideOpenFileEntry choose = nullptr;
  if (!choose) choose = (WideOpenFileEntry)OpenFileDialogEntry("GetOpenFileNameW");
  ToWideEntry toWide = (ToWideEntry)SystemEntry("kernel32.dll", "MultiByteToWideChar");
  wchar_t start[TEXT_SIZE];
  if (!choose || !toWide || !toWide(CP_ACP, 0, folder, -1, start, TEXT_SIZE)) return 0;
  // Twice the room that a path may take, so that one too long is seen whole
  // and refused, not cut (as Wine cuts it).
  wchar_t chosen[2 * TEXT_SIZE] = L"";
  OPENFILENAMEW open = {};
  open.lStructSize = OPEN_FILE_RECORD_SIZE;
  open.hwndOwner = DialogWindow;
  open.hInstance = ProgramInstance;
  open.lpstrFilter = L"" OPEN_FILE_FILTER;
  open.lpstrFile = chosen;
  open.nMaxFile = 2 * TEXT_SIZE;
  open.lpstrInitialDir = start;
  open.lpstrTitle = L"" OPEN_FILE_TITLE;
  open.Flags = OPEN_FILE_FLAGS;
  if (!choose(&open) || chosen[2 * TEXT_SIZE - 2] || AnsiPathOf(file, size, chosen) != RC_OK)
    return 0;
  *nameOffset = NameOffset(file);
  return 1;
}

int RunOpenFileDialog(char* file, unsigned size, const char* folder, unsigned* nameOffset) {
  if (IsNtFamily()) return RunWideOpenFileDialog(file, size, folder, nameOffset);
  // Twice the room that a path may take: a path that needs more than size
  // bytes is then seen whole and refused, not cut.
  char chosen[2 * TEXT_SIZE];
  CopyText(chosen, sizeof chosen, file);
  OPENFILENAMEA open = {};
  open.lStructSize = OPEN_FILE_RECORD_SIZE;
  open.hwndOwner = DialogWindow;
  open.hInstance = ProgramInstance;
  open.lpstrFilter = OPEN_FILE_FILTER;
  open.lpstrFile = chosen;
  open.nMaxFile = sizeof chosen;
  open.lpstrInitialDir = folder;
  open.lpstrTitle = OPEN_FILE_TITLE;
  open.Flags = OPEN_FILE_FLAGS;
  static OpenFileEntry choose = nullptr;
  if (!choose) choose = (OpenFileEntry)OpenFileDialogEntry("GetOpenFileNameA");
  if (!choose || !choose(&open)) return 0;
  unsigned long length = TextLength(chosen, sizeof chosen);
  if (length >= size || length >= sizeof chosen - 1 || !EndsWhole(chosen)) return 0;
  CopyText(file, size, chosen);
  *nameOffset = open.nFileOffset;
  return 1;
}
