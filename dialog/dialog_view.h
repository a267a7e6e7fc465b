// The seams between the dialog logic and the window system: view
// operations on the main dialog's controls, and the list box that holds the
// WallpaperList while the dialog is open. The Windows build fills them in
// dialog_view_win32.cpp, the native tests with in-memory fakes.
#pragma once

enum {
  ANSWER_YES = 6,     // IDYES
  ANSWER_NO = 7,      // IDNO
  LIST_ERR = -1,      // LB_ERR
  LIST_SELCHANGE = 1  // LBN_SELCHANGE
};

struct DialogViewApi {
  void (*CheckRadio)(int id);
  void (*EnableControl)(int id, int enable);
  void (*SetControlText)(int id, const char* text);
  // A question in a message box owned by the dialog; returns the button id.
  int (*Ask)(const char* text, const char* caption, unsigned flags);
  // Ends the modal dialog with the result.
  void (*End)(int result);
  // The logo bitmap: loaded at opening, deleted at closing.
  void (*LoadLogo)();
  void (*FreeLogo)();
  // Shows the bitmap file scaled in the preview; null shows the logo.
  void (*ShowPreview)(const char* path);
  // The open-file dialog, starting in folder. Returns 1 with the chosen
  // path in file (size bytes) and the offset of its name part, else 0.
  int (*ChooseFile)(char* file, unsigned size, const char* folder, unsigned* nameOffset);
  // The link labels' procedures, given at opening and back at the end, and
  // the tooltips made at opening.
  void (*AttachLinkLabels)();
  void (*DetachLinkLabels)();
  void (*CreateTooltips)();
};

struct ListBoxApi {
  int (*Count)();  // or LIST_ERR
  // Text of entry index into a 260-byte buffer: its length, or LIST_ERR
  // when there is no such entry (or it would not fit).
  int (*GetText)(int index, char* text);
  void (*Add)(const char* text);
  void (*Delete)(int index);
  void (*Reset)();
  // Selected indices in ascending order, at most max; the number written.
  int (*GetSelItems)(int* items, int max);
  int (*GetSelCount)();  // or LIST_ERR
  int (*GetCaret)();     // the entry with the focus rectangle, or LIST_ERR
};

extern DialogViewApi DialogView;
extern ListBoxApi ListBox;

inline void ShowPreview(const char* path) { DialogView.ShowPreview(path); }
