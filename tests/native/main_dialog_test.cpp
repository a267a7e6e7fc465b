// The dialog's opening by the stored mode, Cancel, and Clear Registry and
// Exit.
#include "dialog/main_dialog.h"

#include <gtest/gtest.h>

#include <tuple>

#include "dialog/link_labels.h"
#include "res/resource.h"
#include "tests/fakes/fake_dialog.h"

// Each mode's radio, and whether Add, the list and the current field serve it.
static const std::tuple<int, char, int> kModes[] = {
    {IDC_MODE_BOOT, MODE_BOOT, 1},       {IDC_MODE_DAILY, MODE_DAILY, 1},
    {IDC_MODE_WEEKLY, MODE_WEEKLY, 1},   {IDC_MODE_MANUAL, MODE_MANUAL, 1},
    {IDC_MODE_DEFAULT, MODE_DEFAULT, 0}, {IDC_MODE_NONE, MODE_NONE, 0}};

// Opening with a stored mode marks its radio and disables Remove and Select,
// and in Default and None also Add, the list and the current field.
TEST(MainDialog, OpeningMarksTheStoredModeAndDisablesWhatItDoesNotUse) {
  for (const auto& [radio, letter, listControls] : kModes) {
    ResetFakes();
    Fake.Set(PROGRAM_KEY, "ChangeMode", std::string(1, letter));
    OpenMainDialog();
    std::map<int, int> want = {{IDC_REMOVE, 0}, {IDC_SELECT, 0}};
    if (!listControls) want.insert({{IDC_ADD, 0}, {IDC_LIST, 0}, {IDC_CURRENT, 0}});
    EXPECT_EQ(radio, View.checked);
    EXPECT_EQ(want, View.enabled) << letter;
  }
}

// Yes schedules the self-removal while the program key is still there, then
// clears; No clears only; Cancel goes back to the dialog with all kept.
TEST(MainDialog, ClearAsksAboutTheProgramFileFirst) {
  const std::tuple<int, size_t, int, size_t> cases[] = {
      {ANSWER_YES, 1, 0, 0}, {ANSWER_NO, 0, 0, 0}, {IDCANCEL, 0, -1, 1}};
  for (const auto& [answer, removals, ended, keys] : cases) {
    ResetFakes();
    Fake.Set(PROGRAM_KEY, "ChangeMode", "D");
    View.answer = answer;
    EXPECT_EQ(1, DispatchCommand(IDC_CLEAR, 0));
    EXPECT_EQ(removals, View.removals.size()) << answer;
    EXPECT_FALSE(View.keyGoneAtRemoval) << answer;
    EXPECT_EQ(ended, View.ended) << answer;
    EXPECT_EQ(keys, Fake.keys.count(PROGRAM_KEY)) << answer;
  }
}

// Cancel ends the dialog with 0 and writes nothing, whatever changed in it.
TEST(MainDialog, CancelWritesNothing) {
  ResetFakes();
  Fake.Set(PROGRAM_KEY, "ChangeMode", "D");
  OpenMainDialog();
  DispatchCommand(IDC_MODE_NONE, 0);
  const auto before = Fake.keys;
  EXPECT_EQ(1, DispatchCommand(IDCANCEL, 0));
  EXPECT_EQ(0, View.ended);
  EXPECT_EQ(before, Fake.keys);
}

// A click (0) or a double click (1) on a link label opens that label's own
// target; another notification opens nothing.
TEST(MainDialog, ALinkLabelOpensItsOwnTarget) {
  const std::tuple<int, int, std::vector<std::string>> cases[] = {
      {IDC_SITE_LINK, 0, {SITE_URL}}, {IDC_MAIL_LINK, 1, {MAIL_URL}}, {IDC_MAIL_LINK, 2, {}}};
  for (const auto& [control, code, opened] : cases) {
    ResetFakes();
    EXPECT_EQ(1, DispatchCommand(control, code));
    EXPECT_EQ(opened, View.opened) << control;
  }
}
