#include <gtest/gtest.h>
#include "dialog/main_dialog.h"
#include "dialog/wallpaper_list.h"
#include "res/resource.h"
#include "tests/fakes/fake_leaks.h"

namespace {

class WallpaperList : public LeakCheckedTest {
 protected:
  // A list as loaded: entries, the current one, and BmpCount.
  void Load(const std::vector<std::string>& entries, int current) {
    FakeView.entries = entries;
    SettingsState.BmpCount = (int32_t)entries.size();
    SettingsState.SelectedBmp = current;
    if (current >= 0) FakeView.texts[IDC_CURRENT] = entries[current];
  }
  void Choose(const std::string& path, unsigned offset) {
    FakeView.chooseOk = true, FakeView.chooseFile = path, FakeView.chooseOffset = offset;
  }
};

const std::vector<std::string> kFour = {"C:\\w\\one.bmp", "C:\\w\\two.bmp", "C:\\w\\three.bmp",
                                        "C:\\w\\four.bmp"};

TEST_F(WallpaperList, ChooseKeepsTheFolderForTheNextBrowse) {
  strcpy(SettingsState.Path, "C:\\old\\");
  EXPECT_EQ(ChooseBitmapFile(), 0);  // cancelled
  EXPECT_STREQ(SettingsState.Path, "C:\\old\\");
  EXPECT_EQ(FakeView.chooseFolder, "C:\\old\\");
  struct Case {
    std::string file;
    unsigned offset;
    const char* path;
  } cases[] = {{"C:\\pics\\sea.bmp", 8, "C:\\pics\\"},
               {"C:\\x.bmp", 4000, "C:\\x.bmp"}};  // an offset past the end is cut to the text
  for (const Case& c : cases) {
    Choose(c.file, c.offset);
    strcpy(ChosenFile, "stale");
    EXPECT_EQ(ChooseBitmapFile(), 1);
    EXPECT_STREQ(SettingsState.Path, c.path);
    EXPECT_EQ(FakeView.calls.back(), "choose empty");  // no file name proposed
  }
}

TEST_F(WallpaperList, AddRefusesDuplicatesAndAFullList) {
  Load({"C:\\a.bmp", "C:\\b.bmp"}, 1);
  FakeView.textFails = {0};
  struct Case {
    const char* file;
    int added;
  } cases[] = {{"C:\\b.bmp", 0}, {"C:\\B.BMP", 1}, {"C:\\a.bmp", 1}, {"C:\\B.BMP", 0}};
  for (const Case& c : cases) {
    strcpy(ChosenFile, c.file);
    EXPECT_EQ(AddChosenFile(), c.added) << c.file;
  }
  EXPECT_EQ(SettingsState.BmpCount, 4);  // an unreadable entry is passed over
  EXPECT_EQ(SettingsState.SelectedBmp, 1);
  EXPECT_TRUE(FakeView.calls.empty());  // neither the preview nor the buttons change

  std::vector<std::string> full;
  for (int i = 0; i < 32; ++i) full.push_back("C:\\" + std::to_string(i) + ".bmp");
  Load(full, 0);
  Choose("D:\\new\\n.bmp", 7);
  EXPECT_EQ(DispatchCommand(IDC_ADD, 0), 1);
  EXPECT_STREQ(SettingsState.Path, "D:\\new\\");  // the browse still counts
  EXPECT_EQ(FakeView.entries.size(), 32u);
  EXPECT_TRUE(Fake.messages.empty());
}

TEST_F(WallpaperList, AnUnusableListIsEmptied) {
  Load({"C:\\a.bmp"}, 0);
  FakeView.countFails = true;
  strcpy(ChosenFile, "C:\\b.bmp");
  AddChosenFile();
  EXPECT_EQ(SettingsState.BmpCount, 0);
  EXPECT_TRUE(FakeView.entries.empty());
}

TEST_F(WallpaperList, RemovalKeepsTheCurrentEntryCurrent) {
  struct Case {
    std::set<int> selected;
    int current;
    int wantSelected;
    std::string wantCurrentText;
    std::vector<std::string> left;
  } cases[] = {
      // one removed ahead of three: SelectedBmp follows three.bmp
      {{0}, 2, 1, kFour[2], {kFour[1], kFour[2], kFour[3]}},
      {{0, 1}, 3, 1, kFour[3], {kFour[2], kFour[3]}},
      {{3}, 1, 1, kFour[1], {kFour[0], kFour[1], kFour[2]}},  // behind it: unchanged
      {{2}, 2, -1, "", {kFour[0], kFour[1], kFour[3]}},        // the current one itself
      {{}, 2, 2, kFour[2], kFour},                             // nothing selected
  };
  for (const Case& c : cases) {
    SetUp();
    Load(kFour, c.current);
    FakeView.selected = c.selected;
    EXPECT_EQ(DispatchCommand(IDC_REMOVE, 0), 1);
    EXPECT_EQ(FakeView.entries, c.left);
    EXPECT_EQ(SettingsState.SelectedBmp, c.wantSelected);
    EXPECT_EQ(FakeView.texts[IDC_CURRENT], c.wantCurrentText);
    EXPECT_EQ(SettingsState.BmpCount, (int32_t)c.left.size());
    EXPECT_EQ(FakeView.CallsStarting("disable"),
              (std::vector<std::string>{"disable 1320", "disable 1330"}));
    EXPECT_EQ(FakeView.preview, "<logo>");
    // What Save applies is what the current field shows.
    if (c.wantSelected >= 0) {
      EXPECT_EQ(c.left[c.wantSelected], c.wantCurrentText);
    }
  }
}

TEST_F(WallpaperList, SelectTakesTheCaretThenTheLastSelected) {
  struct Case {
    std::set<int> selected;
    int caret;
    bool failText;
    int result, wantIndex;
  } cases[] = {
      {{0, 1}, 3, false, 1, 3},  // the caret, even when it is not selected
      {{}, LIST_ERR, false, 0, 0},
      {{1}, 1, true, 0, 0},
  };
  for (const Case& c : cases) {
    SetUp();
    Load(kFour, 0);
    FakeView.selected = c.selected;
    FakeView.caret = c.caret;
    if (c.failText) FakeView.textFails = {c.caret};
    FakeView.calls.clear();
    EXPECT_EQ(SelectCurrentEntry(), c.result);
    EXPECT_EQ(SettingsState.SelectedBmp, c.wantIndex);
    if (c.result) {
      EXPECT_EQ(FakeView.texts[IDC_CURRENT], kFour[c.wantIndex]);
      EXPECT_EQ(FakeView.preview, kFour[c.wantIndex]);
    } else {
      EXPECT_TRUE(FakeView.calls.empty());
    }
  }
}

TEST_F(WallpaperList, SelectionChangeFollowsTheCaret) {
  Load(kFour, 0);
  FakeView.selected = {1, 2};
  FakeView.caret = 2;
  EXPECT_EQ(DispatchCommand(IDC_LIST, LIST_SELCHANGE), 0);
  EXPECT_EQ(FakeView.calls, (std::vector<std::string>{"preview " + kFour[2], "enable 1320",
                                                      "enable 1330"}));
  // Nothing left selected: the caret's preview gives way to the logo.
  FakeView.selected.clear();
  FakeView.calls.clear();
  OnListSelectionChange();
  EXPECT_EQ(FakeView.calls, (std::vector<std::string>{"preview " + kFour[2], "disable 1320",
                                                      "disable 1330", "preview <logo>"}));
  FakeView.caret = LIST_ERR;
  FakeView.countFails = true;
  FakeView.calls.clear();
  OnListSelectionChange();
  EXPECT_EQ(FakeView.calls,
            (std::vector<std::string>{"disable 1320", "disable 1330", "preview <logo>"}));
  EXPECT_EQ(SettingsState.SelectedBmp, 0);  // the preview follows the click, not the current entry
}

}  // namespace
