#include "dialog/wallpaper_list.h"

#include "dialog/dialog_view.h"
#include "res/resource.h"
#include "settings/files.h"
#include "settings/settings_state.h"
#include "settings/text.h"

char ChosenFile[260];

// BmpCount follows the list box; an unusable list box is emptied.
static void RefreshCount() {
  SettingsState.BmpCount = ListCount();
  if (SettingsState.BmpCount == LIST_ERR) {
    ListReset();
    SettingsState.BmpCount = 0;
  }
}

static int SelectedItems(int (&items)[MAX_BITMAPS]) {
  int n = ListSelection(items, MAX_BITMAPS);
  if (n < 0) return 0;
  return n > MAX_BITMAPS ? MAX_BITMAPS : n;
}

int ChooseBitmapFile() {
  ChosenFile[0] = 0;  // propose no file name
  unsigned nameOffset = 0;
  if (!RunOpenFileDialog(ChosenFile, sizeof ChosenFile, SettingsState.Path, &nameOffset)) return 0;
  ChosenFile[sizeof ChosenFile - 1] = 0;
  // The folder with its trailing backslash: where the next browse starts.
  CopyText(SettingsState.Path, TEXT_SIZE, ChosenFile, nameOffset);
  return 1;
}

int AddChosenFile() {
  if (SettingsState.BmpCount >= MAX_BITMAPS) return 0;
  char text[TEXT_SIZE];
  // Windows file names know no letter case: C:\A.BMP is c:\a.bmp.
  for (int i = 0; i < SettingsState.BmpCount; ++i)
    if (ListText(i, text) != LIST_ERR && SameFileName(text, ChosenFile)) return 0;
  ListAppend(ChosenFile);
  RefreshCount();
  return 1;
}

int RemoveSelectedEntries() {
  int items[MAX_BITMAPS];
  int n = SelectedItems(items);
  int32_t current = SettingsState.SelectedBmp;
  int removedBefore = 0;
  // From the highest index down, so the indices still to go stay valid.
  for (int i = n - 1; i >= 0; --i) {
    ListDelete(items[i]);
    if (items[i] == current) {
      SetCurrentText("");
      SettingsState.SelectedBmp = -1;
    } else if (items[i] < current) {
      ++removedBefore;
    }
  }
  // The current entry moved up with the list: keep pointing at it, so Save
  // applies the path that the current field shows.
  if (SettingsState.SelectedBmp >= 0) SettingsState.SelectedBmp -= removedBefore;
  RefreshCount();
  EnableControl(IDC_REMOVE, 0);
  EnableControl(IDC_SELECT, 0);
  ShowPreview(nullptr);
  return 1;
}

int SelectCurrentEntry() {
  int items[MAX_BITMAPS];
  int n = SelectedItems(items);
  // The caret counts even when it is not on a selected entry.
  int index = ListCaret();
  if (index == LIST_ERR) {
    if (n == 0) return 0;
    index = items[n - 1];
  }
  char text[TEXT_SIZE];
  if (ListText(index, text) == LIST_ERR) return 0;
  SetCurrentText(text);
  SettingsState.SelectedBmp = index;
  ShowPreview(text);
  return 1;
}

void OnListSelectionChange() {
  char text[TEXT_SIZE];
  int caret = ListCaret();
  if (caret != LIST_ERR && ListText(caret, text) != LIST_ERR) ShowPreview(text);
  int selected = ListSelectedCount();
  int enable = selected != LIST_ERR && selected != 0;
  EnableControl(IDC_REMOVE, enable);
  EnableControl(IDC_SELECT, enable);
  if (!enable) ShowPreview(nullptr);
}
