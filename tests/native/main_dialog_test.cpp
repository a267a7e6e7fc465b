#include <gtest/gtest.h>
#include "dialog/main_dialog.h"
#include "res/resource.h"
#include "tests/fakes/fake_dialog.h"

TEST(MainDialog, ModesMarkTheirRadioAndSwitchTheListControls) {
  struct { int radio; char letter; int on; } cases[] = {
      {1410, 'B', 1}, {1420, 'D', 1}, {1430, 'W', 1}, {1440, 'M', 1}, {1450, 'O', 0}, {1460, 'N', 0}};
  for (auto& c : cases) {
    ResetFakes();
    EXPECT_EQ(DispatchCommand(c.radio, 0), 1);
    EXPECT_EQ(SettingsState.Mode, c.letter);
    EXPECT_EQ(View.enabled, (std::map<int, int>{{IDC_CURRENT, c.on}, {IDC_LIST, c.on}, {IDC_ADD, c.on}}));
    // Opening with the mode stored marks the same radio; Remove and Select start disabled.
    ResetFakes();
    Fake.Set(PROGRAM_KEY, "ChangeMode", std::string(1, c.letter));
    OpenMainDialog();
    EXPECT_EQ(View.checked, c.radio);
    std::map<int, int> want = {{IDC_REMOVE, 0}, {IDC_SELECT, 0}};
    if (!c.on) want.insert({{IDC_ADD, 0}, {IDC_LIST, 0}, {IDC_CURRENT, 0}});
    EXPECT_EQ(View.enabled, want) << c.radio;
  }
}

// Self-removal is scheduled before the clear; Cancel leaves everything.
TEST(MainDialog, ClearFollowsTheAnswer) {
  struct { int answer, removals, ended; size_t kept; } cases[] = {{6, 1, 0, 0}, {7, 0, 0, 0}, {2, 0, -1, 1}};
  for (auto& c : cases) {
    ResetFakes();
    Fake.Set(PROGRAM_KEY, "ChangeMode", "D");
    View.answer = c.answer;
    EXPECT_EQ(DispatchCommand(IDC_CLEAR, 0), 1);
    EXPECT_EQ(View.removals, c.removals);
    EXPECT_EQ(View.ended, c.ended);
    EXPECT_EQ(Fake.keys.count(PROGRAM_KEY), c.kept);
  }
}

TEST(MainDialog, SaveEndsWithOneEvenAfterARegistryProblemAndLinksOpenOnClicks) {
  ResetFakes();
  Fake.failOpen.insert(PROGRAM_KEY);
  EXPECT_EQ(DispatchCommand(IDOK, 0), 1);
  EXPECT_EQ(Fake.messages * 10 + View.ended, 11);
  EXPECT_EQ(View.preview, "<logo>");  // the last scaled bitmap is given back
  for (int code : {0, 1, 5}) EXPECT_EQ(DispatchCommand(IDC_MAIL_LINK, code), 1);
  EXPECT_EQ(View.opened, (std::vector<int>{IDC_MAIL_LINK, IDC_MAIL_LINK}));
}
