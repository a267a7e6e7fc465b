#include <gtest/gtest.h>
#include "dialog/main_dialog.h"
#include "res/resource.h"
#include "settings/registry.h"
#include "app/security_attributes.h"
#include "dialog/link_labels.h"
#include "tests/fakes/fake_link_api.h"
#include "tests/fakes/fake_leaks.h"

namespace {

class MainDialog : public LeakCheckedTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    FakeLinkCalls.Reset();
    strcpy(SettingsState.ProgramPath, "C:\\Apps\\scenewheel.exe");
  }
  void TearDown() override {
    RegistrySecurity = nullptr;
    LeakCheckedTest::TearDown();
  }
};

const std::vector<std::string> kListOff = {"disable 1310", "disable 1120", "disable 1110"};
const std::vector<std::string> kListOn = {"enable 1310", "enable 1120", "enable 1110"};

TEST_F(MainDialog, ModeTableSetsTheLetterAndSwitchesTheListControlsInOrder) {
  struct Case {
    int radio;
    char letter;
    bool on;
  } cases[] = {{IDC_MODE_BOOT, 'B', true},     {IDC_MODE_DAILY, 'D', true},
               {IDC_MODE_WEEKLY, 'W', true},   {IDC_MODE_MANUAL, 'M', true},
               {IDC_MODE_DEFAULT, 'O', false}, {IDC_MODE_NONE, 'N', false}};
  for (const Case& c : cases) {
    FakeView.calls.clear();
    // Dispatched as the radio's click; the same radio twice does the same.
    for (int twice = 0; twice < 2; ++twice) EXPECT_TRUE(DispatchCommand(c.radio, 0));
    EXPECT_EQ(SettingsState.Mode, c.letter);
    std::vector<std::string> want = c.on ? kListOn : kListOff;
    const std::vector<std::string> once = want;
    want.insert(want.end(), once.begin(), once.end());
    EXPECT_EQ(FakeView.calls, want) << c.radio;
    EXPECT_EQ(ModeRowForLetter(c.letter)->radio, c.radio);
  }
  EXPECT_TRUE(Fake.writes.empty());  // a mode change touches nothing outside the dialog
}

TEST_F(MainDialog, OpeningMarksTheStoredModeAndDisablesRemoveAndSelect) {
  struct Case {
    const char* stored;  // nullptr: no stored mode
    int radio;
    bool listOff;
  } cases[] = {{nullptr, IDC_MODE_DEFAULT, true}, {"N", IDC_MODE_NONE, true},
               {"W", IDC_MODE_WEEKLY, false},     {"d", IDC_MODE_DEFAULT, true}};
  for (const Case& c : cases) {
    SetUp();
    if (c.stored) Fake.SetText(PROGRAM_KEY, "ChangeMode", c.stored);
    Fake.SetText(PROGRAM_KEY, "Bitmap00", "C:\\a.bmp");
    EXPECT_TRUE(OpenMainDialog());
    std::vector<std::string> want = {"attach links", "text 1110 C:\\a.bmp",
                                     "preview C:\\a.bmp", "loadlogo",
                                     "check " + std::to_string(c.radio)};
    if (c.listOff) want.insert(want.end(), kListOff.begin(), kListOff.end());
    want.push_back("disable 1320");
    want.push_back("disable 1330");
    want.push_back("tooltips");
    EXPECT_EQ(FakeView.calls, want) << (c.stored ? c.stored : "none");
    EXPECT_EQ(FakeView.entries.size(), 1u);  // the list keeps its entries in every mode
  }
}

TEST_F(MainDialog, CommandTableResults) {
  struct Case {
    int id, code, handled;
  } cases[] = {{IDC_LIST, 2, 0},      {IDC_SITE_LINK, 0, 1}, {IDC_SITE_LINK, 5, 1},
               {IDC_MAIL_LINK, 1, 1}, {IDC_REMOVE, 0, 1},    {IDC_SELECT, 0, 1},
               {IDC_ADD, 0, 1},       {999, 0, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(DispatchCommand(c.id, c.code), c.handled) << c.id << "/" << c.code;
  EXPECT_EQ(FakeView.endResult, -100);  // none of these ends the dialog
  // Links open on a click or a double click only.
  EXPECT_EQ(FakeLinkCalls.opened, (std::vector<std::string>{SITE_URL, MAIL_URL}));
  // Add asks for a file but adds nothing when the user cancels.
  EXPECT_EQ(FakeView.CallsStarting("choose").size(), 1u);
  EXPECT_TRUE(FakeView.entries.empty());
}

TEST_F(MainDialog, SaveCancelAndCloseEndTheDialog) {
  struct Case {
    int id;
    int result;
    bool saved, failing;
  } cases[] = {{IDOK, 1, true, false}, {IDCANCEL, 0, false, false}, {IDOK, 1, false, true}};
  for (const Case& c : cases) {
    SetUp();
    if (c.failing) Fake.failOpen.insert(PROGRAM_KEY);  // still ends with one, after the message
    EXPECT_TRUE(DispatchCommand(c.id, 0));
    EXPECT_EQ(Fake.messages.size(), c.failing ? 1u : 0u);
    EXPECT_EQ(FakeView.endResult, c.result);
    EXPECT_EQ(Fake.Has(PROGRAM_KEY, "ChangeMode"), c.saved);
    // The logo is shown (freeing the last preview) before it is deleted, then the end.
    std::vector<std::string> tail(FakeView.calls.end() - 4, FakeView.calls.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"detach links", "preview <logo>", "freelogo",
                                              "end " + std::to_string(c.result)}));
  }
}

// Whole runs of the dialog: every key, the logo and the last scaled
// preview are given back by the end (checked in TearDown), however it ends.
TEST_F(MainDialog, EveryRunGivesBackItsKeysAndBitmaps) {
  for (int id : {IDOK, IDCANCEL, IDC_CLEAR}) {
    SetUp();
    Fake.SetText(PROGRAM_KEY, "ChangeMode", "D");
    Fake.SetText(PROGRAM_KEY, "Bitmap00", "C:\\a.bmp");
    Fake.SetText(PROGRAM_KEY, "Bitmap01", "C:\\b.bmp");
    FakeView.answer = ANSWER_NO;
    OpenMainDialog();
    FakeView.caret = 1;
    FakeView.selected = {1};
    DispatchCommand(IDC_LIST, LIST_SELCHANGE);
    DispatchCommand(IDC_SELECT, 0);
    EXPECT_EQ(FakeView.shown, "scaled");
    DispatchCommand(id, 0);
    EXPECT_NE(FakeView.endResult, -100) << id;
  }
}

TEST_F(MainDialog, LeavingDropsTheRegistrySecurity) {
  static _SECURITY_ATTRIBUTES record;  // never built: nothing to free but the pointer
  RegistrySecurity = &record;
  EXPECT_EQ(CloseMainDialog(LEAVE_NEITHER, 0), 1);
  EXPECT_EQ(RegistrySecurity, nullptr);
}

TEST_F(MainDialog, ClearFlowFollowsTheAnswer) {
  struct Case {
    int answer;
    bool removal, cleared;
  } cases[] = {{ANSWER_YES, true, true}, {ANSWER_NO, false, true}, {2, false, false}};
  for (const Case& c : cases) {
    SetUp();
    Fake.SetText(PROGRAM_KEY, "ChangeMode", "D");
    FakeView.answer = c.answer;
    FakeFile.deleteAtRestart = true;
    EXPECT_TRUE(DispatchCommand(IDC_CLEAR, 0));
    ASSERT_FALSE(FakeView.calls.empty());
    EXPECT_EQ(FakeView.calls[0],
              "ask Question 291 Do you also want to remove the program file from your system?");
    EXPECT_EQ(!FakeFile.calls.empty(), c.removal) << c.answer;
    EXPECT_EQ(!Fake.Has(PROGRAM_KEY, "ChangeMode"), c.cleared) << c.answer;
    EXPECT_EQ(FakeView.endResult, c.cleared ? 0 : -100) << c.answer;
  }
}

}  // namespace
