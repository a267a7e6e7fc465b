#include "dialog/wallpaper_list.h"
#include <string.h>
#include "dialog/dialog_view.h"
#include "res/resource.h"
#include "settings/settings_state.h"

char ChosenFile[260];

// BmpCount follows the list box; an unusable list box is emptied.
static void RefreshCount() {
  SettingsState.BmpCount = ListBox.Count();
  if (SettingsState.BmpCount == LIST_ERR) {
    ListBox.Reset();
    SettingsState.BmpCount = 0;
  }
}

static int SelectedItems(int (&items)[MAX_BITMAPS]) {
  int n = ListBox.GetSelItems(items, MAX_BITMAPS);
  if (n < 0) return 0;
  return n > MAX_BITMAPS ? MAX_BITMAPS : n;
}

int ChooseBitmapFile() {
  ChosenFile[0] = 0;  // propose no file name
  unsigned nameOffset = 0;
  if (!DialogView.ChooseFile(ChosenFile, sizeof ChosenFile, SettingsState.Path, &nameOffset))
    return 0;
  ChosenFile[sizeof ChosenFile - 1] = 0;
  size_t length = strlen(ChosenFile);
  if (nameOffset > length) nameOffset = (unsigned)length;
  // The folder with its trailing backslash: where the next browse starts.
  memcpy(SettingsState.Path, ChosenFile, nameOffset);
  SettingsState.Path[nameOffset] = 0;
  return 1;
}

int AddChosenFile() {
  if (SettingsState.BmpCount >= MAX_BITMAPS) return 0;
  char text[TEXT_SIZE];
  // Case-sensitive on purpose: paths that differ in case are two entries.
  for (int i = 0; i < SettingsState.BmpCount; ++i)
    if (ListBox.GetText(i, text) != LIST_ERR && strcmp(text, ChosenFile) == 0) return 0;
  ListBox.Add(ChosenFile);
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
    ListBox.Delete(items[i]);
    if (items[i] == current) {
      DialogView.SetControlText(IDC_CURRENT, "");
      SettingsState.SelectedBmp = -1;
    } else if (items[i] < current) {
      ++removedBefore;
    }
  }
  // The current entry moved up with the list: keep pointing at it, so Save
  // applies the path that the current field shows.
  if (SettingsState.SelectedBmp >= 0) SettingsState.SelectedBmp -= removedBefore;
  RefreshCount();
  DialogView.EnableControl(IDC_REMOVE, 0);
  DialogView.EnableControl(IDC_SELECT, 0);
  ShowPreview(nullptr);
  return 1;
}

int SelectCurrentEntry() {
  int items[MAX_BITMAPS];
  int n = SelectedItems(items);
  // The caret counts even when it is not on a selected entry.
  int index = ListBox.GetCaret();
  if (index == LIST_ERR) {
    if (n == 0) return 0;
    index = items[n - 1];
  }
  char text[TEXT_SIZE];
  if (ListBox.GetText(index, text) == LIST_ERR) return 0;
  DialogView.SetControlText(IDC_CURRENT, text);
  SettingsState.SelectedBmp = index;
  ShowPreview(text);
  return 1;
}

void OnListSelectionChange() {
  char text[TEXT_SIZE];
  int caret = ListBox.GetCaret();
  if (caret != LIST_ERR && ListBox.GetText(caret, text) != LIST_ERR) ShowPreview(text);
  int selected = ListBox.GetSelCount();
  int enable = selected != LIST_ERR && selected != 0;
  DialogView.EnableControl(IDC_REMOVE, enable);
  DialogView.EnableControl(IDC_SELECT, enable);
  if (!enable) ShowPreview(nullptr);
}
