// What the dialog's logic needs of the window system: view operations on
// the main dialog's controls and the list box that holds the WallpaperList.
// Plain functions, resolved at link time: the _win32 files in the program,
// a fake in the native tests.
#pragma once
#include "settings/wallpaper_holder.h"

enum {
  ANSWER_YES = 6,     // IDYES
  ANSWER_NO = 7,      // IDNO
  LIST_SELCHANGE = 1  // LBN_SELCHANGE
};

void CheckRadio(int id);
void EnableControl(int id, int enable);
// A question in a message box owned by the dialog; returns the button id.
int AskQuestion(const char* text, const char* caption, unsigned flags);
// Ends the modal dialog with the result.
void EndMainDialog(int result);
// The logo bitmap: loaded at opening, deleted at closing.
void LoadLogo();
void FreeLogo();
// The open-file dialog, starting in folder. Returns 1 with the chosen path
// in file (size bytes) and the offset of its name part, else 0.
int RunOpenFileDialog(char* file, unsigned size, const char* folder, unsigned* nameOffset);
// The link labels' procedures, given at opening and back at the end; the
// tooltips made at opening; the shell's "open" action on a link's target.
void AttachLinkLabels();
void DetachLinkLabels();
void CreateTooltips();
void ShellOpen(const char* target);
// Frees the RegistrySecurity that the start-up built, if any.
void ReleaseRegistrySecurity();

// The list box beyond what load and save use.
void ListDelete(int index);
// Selected indices in ascending order, at most max; the number written.
int ListSelection(int* items, int max);
int ListSelectedCount();  // or LIST_ERR
int ListCaret();          // the entry with the focus rectangle, or LIST_ERR
