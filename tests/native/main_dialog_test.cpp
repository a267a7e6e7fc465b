#include "dialog/main_dialog.h"

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/fakes/fake_dialog.h"

// Each radio sets its letter and switches Add, the list and the current
// field; opening with the letter stored marks the same radio and disables
// Remove and Select (and, in Default and None, the other three).
TEST(MainDialog, Modes) {
  struct {
    int radio;
    char letter;
    int on;
  } cases[] = {{1410, 'B', 1}, {1420, 'D', 1}, {1430, 'W', 1},
               {1440, 'M', 1}, {1450, 'O', 0}, {1460, 'N', 0}};
  for (auto& c : cases) {
    ResetFakes();
    EXPECT_TRUE(DispatchCommand(c.radio, 0) == 1 && SettingsState.Mode == c.letter) << c.radio;
    EXPECT_EQ(View.enabled,
              (std::map<int, int>{{IDC_CURRENT, c.on}, {IDC_LIST, c.on}, {IDC_ADD, c.on}}));
    ResetFakes(), Fake.Set(PROGRAM_KEY, "ChangeMode", std::string(1, c.letter)), OpenMainDialog();
    std::map<int, int> want = {{IDC_REMOVE, 0}, {IDC_SELECT, 0}};
    if (!c.on) want.insert({{IDC_ADD, 0}, {IDC_LIST, 0}, {IDC_CURRENT, 0}});
    EXPECT_TRUE(View.checked == c.radio && View.enabled == want) << c.radio;
  }
}

// Yes schedules the self-removal before the clear; Cancel leaves all; a
// label opens its target on a click or a double click only.
TEST(MainDialog, ClearAndLinks) {
  struct {
    int answer, removals, ended;
    size_t kept;
  } cases[] = {{6, 1, 0, 0}, {7, 0, 0, 0}, {2, 0, -1, 1}};
  for (auto& c : cases) {
    ResetFakes(), Fake.Set(PROGRAM_KEY, "ChangeMode", "D"), View.answer = c.answer;
    EXPECT_TRUE(DispatchCommand(IDC_CLEAR, 0) == 1 && (int)View.removals.size() == c.removals &&
                View.ended == c.ended && Fake.keys.count(PROGRAM_KEY) == c.kept)
        << c.answer;
  }
  for (int code : {0, 1, 5}) EXPECT_EQ(DispatchCommand(IDC_MAIL_LINK, code), 1);
  EXPECT_EQ(View.opened, (std::vector<int>{IDC_MAIL_LINK, IDC_MAIL_LINK}));
}
