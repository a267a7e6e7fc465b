// The list commands of the dialog: choose and add, remove, select, and the
// preview that follows the selection.
#include "dialog/wallpaper_list.h"

#include <gtest/gtest.h>

#include <tuple>

#include "res/resource.h"
#include "tests/fakes/fake_dialog.h"

typedef std::vector<std::string> List;
static List Four() { return {"C:\\one.bmp", "C:\\two.bmp", "C:\\three.bmp", "C:\\four.bmp"}; }

static void Load(const List& entries, int current, std::set<int> selected = {},
                 int caret = LIST_ERR) {
  ResetFakes();
  View.entries = entries;
  View.selected = selected;
  View.caret = caret;
  SettingsState.BmpCount = (int32_t)entries.size();
  SettingsState.SelectedBmp = current;
  if (current >= 0 && current < (int)entries.size()) View.current = entries[current];
}

// What the dialog shows and the settings hold after a command.
static std::string Shown() {
  std::string out = "list";
  for (const std::string& e : View.entries) out += " " + e.substr(3);
  out += "; current " + View.current + "; index " + std::to_string(SettingsState.SelectedBmp);
  out += "; count " + std::to_string(SettingsState.BmpCount) + "; preview " + View.preview;
  if (View.enabled.count(IDC_REMOVE)) out += "; remove " + std::to_string(View.enabled[IDC_REMOVE]);
  if (View.enabled.count(IDC_SELECT)) out += "; select " + std::to_string(View.enabled[IDC_SELECT]);
  return out;
}

// A file is added at the end unless it is listed already (as the system
// compares file names) or the list holds 32; nothing else changes.
TEST(WallpaperList, AddAppendsAFileNotYetListedUpTo32) {
  const std::tuple<List, const char*, int> cases[] = {{Four(), "C:\\two.bmp", 0},
                                                      {Four(), "C:\\five.bmp", 1},
                                                      {Four(), "C:\\two.bmp.bmp", 1},
                                                      {List(31, "C:\\x"), "C:\\y", 1},
                                                      {List(32, "C:\\x"), "C:\\y", 0}};
  for (const auto& [list, file, added] : cases) {
    Load(list, 1);
    strcpy(ChosenFile, file);
    List want = list;
    if (added) want.push_back(file);
    EXPECT_EQ(added, AddChosenFile()) << file;
    EXPECT_EQ(want, View.entries) << file;
    EXPECT_EQ((int32_t)want.size(), SettingsState.BmpCount) << file;
    EXPECT_EQ(1, SettingsState.SelectedBmp) << file;
    EXPECT_EQ("<none>", View.preview) << file;
  }
}

// The current entry stays current: its index follows it up the list; when
// it goes, the field empties. Remove and Select end disabled, the preview
// shows the logo.
TEST(WallpaperList, RemoveKeepsTheCurrentEntryCurrent) {
  const std::string after = "; preview <logo>; remove 0; select 0";
  const std::tuple<std::set<int>, int, std::string> cases[] = {
      {{0}, 2, "list two.bmp three.bmp four.bmp; current C:\\three.bmp; index 1; count 3"},
      {{0, 1}, 3, "list three.bmp four.bmp; current C:\\four.bmp; index 1; count 2"},
      {{3}, 1, "list one.bmp two.bmp three.bmp; current C:\\two.bmp; index 1; count 3"},
      {{1, 2}, 2, "list one.bmp four.bmp; current ; index -1; count 2"},
      {{}, 2, "list one.bmp two.bmp three.bmp four.bmp; current C:\\three.bmp; index 2; count 4"}};
  for (const auto& [selected, current, shown] : cases) {
    Load(Four(), current, selected);
    EXPECT_EQ(1, RemoveSelectedEntries());
    EXPECT_EQ(shown + after, Shown());
  }
}

// Select takes the caret, even when it is not selected, else the last
// selected entry, else nothing.
TEST(WallpaperList, SelectTakesTheCaretElseTheLastSelectedEntry) {
  const std::tuple<std::set<int>, int, int, std::string> cases[] = {
      {{0, 1}, 3, 1, "current C:\\four.bmp; index 3; count 4; preview C:\\four.bmp"},
      {{0, 2}, LIST_ERR, 1, "current C:\\three.bmp; index 2; count 4; preview C:\\three.bmp"},
      {{}, LIST_ERR, 0, "current C:\\one.bmp; index 0; count 4; preview <none>"},
      {{}, 7, 0, "current C:\\one.bmp; index 0; count 4; preview <none>"}};
  for (const auto& [selected, caret, result, shown] : cases) {
    Load(Four(), 0, selected, caret);
    EXPECT_EQ(result, SelectCurrentEntry());
    EXPECT_EQ("list one.bmp two.bmp three.bmp four.bmp; " + shown, Shown());
  }
}

// A selection change previews the caret (not the current entry) and
// switches Remove and Select with the selection; with nothing selected the
// logo comes back.
TEST(WallpaperList, SelectionChangePreviewsTheCaretAndSwitchesTheButtons) {
  const std::tuple<std::set<int>, int, bool, std::string> cases[] = {
      {{1, 2}, 2, false, "preview C:\\three.bmp; remove 1; select 1"},
      {{}, 2, false, "preview <logo>; remove 0; select 0"},
      {{1}, LIST_ERR, false, "preview <none>; remove 1; select 1"},
      {{1}, 1, true, "preview <logo>; remove 0; select 0"}};
  for (const auto& [selected, caret, countFails, shown] : cases) {
    Load(Four(), 0, selected, caret);
    View.countFails = countFails;
    OnListSelectionChange();
    EXPECT_EQ(
        "list one.bmp two.bmp three.bmp four.bmp; current C:\\one.bmp; index 0; count 4; " + shown,
        Shown());
  }
}
