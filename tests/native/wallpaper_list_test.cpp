#include "dialog/wallpaper_list.h"

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/fakes/fake_dialog.h"

namespace {

typedef std::vector<std::string> List;
const List kFour = {"C:\\one.bmp", "C:\\two.bmp", "C:\\three.bmp", "C:\\four.bmp"};
const std::string &One = kFour[0], &Two = kFour[1], &Three = kFour[2], &Four = kFour[3];

void Load(const List& entries, int current, std::set<int> selected = {}, int caret = LIST_ERR) {
  ResetFakes();
  View.entries = entries, View.selected = selected, View.caret = caret;
  SettingsState.BmpCount = (int32_t)entries.size(), SettingsState.SelectedBmp = current;
  View.current = current >= 0 && current < (int)entries.size() ? entries[current] : "";
}
std::map<int, int> Buttons(int on) { return {{IDC_REMOVE, on}, {IDC_SELECT, on}}; }

TEST(WallpaperList, ChooseAndAdd) {
  struct {
    std::string chosen;
    unsigned offset;
    int result;
    const char* path;
  } chosen[] = {{"", 0, 0, "C:\\old\\"},
                {"C:\\pics\\sea.bmp", 8, 1, "C:\\pics\\"},
                {"C:\\x.bmp", 3, 1, "C:\\"},
                {"C:\\x.bmp", 4000, 1, "C:\\x.bmp"}};
  for (auto& c : chosen) {
    Load({}, -1), strcpy(SettingsState.Path, "C:\\old\\"), View.chosen = c.chosen,
                                                           View.chosenOffset = c.offset;
    EXPECT_TRUE(ChooseBitmapFile() == c.result && !strcmp(SettingsState.Path, c.path))
        << c.chosen << c.offset;
  }
  // The same file in any letter case is refused, and so is a 33rd entry.
  struct {
    List list;
    const char* file;
    int added;
  } added[] = {{kFour, "C:\\two.bmp", 0},      {kFour, "c:\\TWO.BMP", 0},
               {kFour, "C:\\Four.bmp", 0},     {kFour, "C:\\five.bmp", 1},
               {kFour, "C:\\two.bmp.bmp", 1},  {{"C:\\Zed.bmp"}, "c:\\zED.BMP", 0},
               {{"C:\\a@"}, "C:\\A`", 1},      {List(31, "C:\\x"), "C:\\y", 1},
               {List(32, "C:\\x"), "C:\\y", 0}};
  for (auto& c : added) {
    Load(c.list, 1), strcpy(ChosenFile, c.file);
    EXPECT_EQ(AddChosenFile(), c.added) << c.file;
    EXPECT_TRUE(SettingsState.BmpCount == (int32_t)c.list.size() + c.added &&
                View.entries.back() == (c.added ? c.file : c.list.back()) &&
                SettingsState.SelectedBmp == 1 && View.enabled.empty() && View.preview == "<none>")
        << c.file;
  }
  Load(kFour, 1), View.countFails = true, AddChosenFile();  // an unusable list box is emptied
  EXPECT_EQ(SettingsState.BmpCount + View.entries.size(), 0u);
}

// The current entry stays current: its index follows it up the list.
TEST(WallpaperList, RemoveSelectedEntries) {
  struct {
    std::set<int> selected;
    int current, want;
    std::string field;
    List left;
  } cases[] = {{{0}, 2, 1, Three, {Two, Three, Four}},
               {{0, 1}, 3, 1, Four, {Three, Four}},
               {{3}, 1, 1, Two, {One, Two, Three}},
               {{1, 2}, 2, -1, "", {One, Four}},
               {{}, 2, 2, Three, kFour}};
  for (auto& c : cases) {
    Load(kFour, c.current, c.selected);
    EXPECT_TRUE(RemoveSelectedEntries() == 1 && View.entries == c.left) << c.current;
    EXPECT_TRUE(SettingsState.SelectedBmp == c.want &&
                SettingsState.BmpCount == (int32_t)c.left.size() && View.current == c.field &&
                View.enabled == Buttons(0) && View.preview == "<logo>")
        << c.current;
  }
}

// Select takes the caret, else the last selected entry; a selection change
// previews the caret (not the current entry) and switches Remove and Select.
TEST(WallpaperList, SelectAndSelectionChange) {
  struct {
    std::set<int> selected;
    int caret, result, want;
  } select[] = {{{0, 1}, 3, 1, 3}, {{0, 2}, LIST_ERR, 1, 2}, {{}, LIST_ERR, 0, 0}, {{}, 7, 0, 0}};
  for (auto& c : select) {
    Load(kFour, 0, c.selected, c.caret);
    EXPECT_TRUE(SelectCurrentEntry() == c.result && SettingsState.SelectedBmp == c.want);
    EXPECT_EQ(View.current + View.preview, kFour[c.want] + (c.result ? kFour[c.want] : "<none>"));
  }
  struct {
    std::set<int> selected;
    int caret;
    bool countFails;
    std::string preview;
    int on;
  } change[] = {{{1, 2}, 2, false, Three, 1},
                {{}, 2, false, "<logo>", 0},
                {{1}, LIST_ERR, false, "<none>", 1},
                {{1}, 1, true, "<logo>", 0}};
  for (auto& c : change) {
    Load(kFour, 0, c.selected, c.caret), View.countFails = c.countFails;
    OnListSelectionChange();
    EXPECT_EQ(View.preview, c.preview);
    EXPECT_TRUE(View.enabled == Buttons(c.on) && SettingsState.SelectedBmp == 0);
  }
}

}  // namespace
