#include <gtest/gtest.h>
#include "settings/automatic_change.h"
#include "tests/fakes/fake_leaks.h"

static uint32_t D(unsigned y, unsigned m, unsigned d) { return PackDate(y, m, d); }

TEST(IsChangeDue, DecisionTable) {
  const ChangeDecision due = CHANGE_DUE, no = CHANGE_NOT_DUE, end = CHANGE_END;
  struct Case {
    char mode;
    uint32_t last, today;
    ChangeDecision want;
  } cases[] = {
      {'B', D(2003, 12, 17), D(2003, 12, 17), due},
      {'D', D(2003, 12, 17), D(2003, 12, 17), no},
      {'D', D(2003, 12, 17), D(2003, 12, 18), due},
      {'D', D(2003, 12, 18), D(2003, 12, 17), due},
      {'W', D(2003, 3, 10), D(2003, 3, 16), no},
      {'W', D(2003, 3, 10), D(2003, 3, 17), due},
      {'W', D(2003, 3, 20), D(2003, 3, 15), due},
      {'W', D(2003, 1, 28), D(2003, 2, 3), no},
      {'W', D(2003, 1, 28), D(2003, 2, 4), due},
      {'W', D(2004, 2, 25), D(2004, 3, 3), no},
      {'W', D(2003, 12, 30), D(2004, 1, 2), due},
      // a month byte beyond the table must not be read past its end
      {'W', D(2003, 13, 1), D(2003, 14, 2), due},
      {'M', 0, 0, end}, {'O', 0, 0, end}, {'d', 0, 1, end}, {'\0', 0, 0, end},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsChangeDue(c.mode, c.today, c.last), c.want)
        << c.mode << " last " << std::hex << c.last << " today " << c.today;
  }
}

TEST(NextIndex, IndexTable) {
  struct Case {
    int32_t index, count;
    ChangeDecision due;
    int32_t want;
  } cases[] = {
      {3, 5, CHANGE_DUE, 4},  {4, 5, CHANGE_DUE, 0},   {31, 32, CHANGE_DUE, 0},
      {7, 3, CHANGE_DUE, 0},  {-1, 5, CHANGE_DUE, 0},  {2, 0, CHANGE_DUE, 3},
      {4, 5, CHANGE_NOT_DUE, 4}, {40, 5, CHANGE_NOT_DUE, 0}, {-1, 5, CHANGE_NOT_DUE, -1},
      {2147483647, 5, CHANGE_DUE, 0}, {-2, -1, CHANGE_DUE, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextIndex(c.index, c.count, c.due), c.want) << c.index << "/" << c.count;
  }
}

class AutomaticChange : public LeakCheckedTest {
 protected:
  // A stored list of n entries C:\w\0.bmp ... and the given state.
  void Store(char mode, int32_t selected, int32_t count, uint32_t last, int entries) {
    Fake.SetText(PROGRAM_KEY, "ChangeMode", std::string(1, mode));
    Fake.SetNumber(PROGRAM_KEY, "SelectedBmp", (uint32_t)selected);
    Fake.SetNumber(PROGRAM_KEY, "BmpCount", (uint32_t)count);
    Fake.SetNumber(PROGRAM_KEY, "LastChange", last);
    for (int i = 0; i < entries; ++i) {
      char name[ENTRY_NAME_SIZE];
      FormatEntryName(name, i);
      Fake.SetText(PROGRAM_KEY, name, "C:\\w\\" + std::to_string(i) + ".bmp");
    }
  }
};

TEST_F(AutomaticChange, DailyRotatesOncePerDay) {
  Store('D', 2, 5, D(2003, 12, 16), 5);
  Fake.today = D(2003, 12, 17);
  EXPECT_EQ(RunAutomaticChange(), 1);
  EXPECT_EQ(Fake.Number(PROGRAM_KEY, "SelectedBmp"), 3u);
  EXPECT_EQ(Fake.Number(PROGRAM_KEY, "LastChange"), D(2003, 12, 17));
  EXPECT_EQ(Fake.Text(DESKTOP_KEY, "Wallpaper"), "C:\\w\\3.bmp");
  ASSERT_EQ(Fake.applied.size(), 1u);
  EXPECT_EQ(Fake.applied[0], "C:\\w\\3.bmp");
  // The wallpaper value is written before the system is told.
  EXPECT_EQ(Fake.writes.back().op, "apply");
  EXPECT_EQ(Fake.openKeys, 0);

}

TEST_F(AutomaticChange, WeeklyCountsFromTheLastRealChange) {
  Store('W', 0, 3, D(2003, 3, 10), 3);
  Fake.today = D(2003, 3, 14);
  EXPECT_EQ(RunAutomaticChange(), 1);  // not due: applies entry 0 again
  EXPECT_EQ(Fake.Number(PROGRAM_KEY, "SelectedBmp"), 0u);
  EXPECT_EQ(Fake.Number(PROGRAM_KEY, "LastChange"), D(2003, 3, 10));
  EXPECT_EQ(Fake.applied.back(), "C:\\w\\0.bmp");

  Fake.today = D(2003, 3, 20);
  EXPECT_EQ(RunAutomaticChange(), 1);  // ten days since the change: due
  EXPECT_EQ(Fake.Number(PROGRAM_KEY, "SelectedBmp"), 1u);
  EXPECT_EQ(Fake.Number(PROGRAM_KEY, "LastChange"), D(2003, 3, 20));
  EXPECT_EQ(Fake.applied.back(), "C:\\w\\1.bmp");
}

TEST_F(AutomaticChange, PassesTheRegistrySecurityToEveryKey) {
  Store('B', 0, 3, 0, 3);
  _SECURITY_ATTRIBUTES* marker = reinterpret_cast<_SECURITY_ATTRIBUTES*>(0x1234);
  RegistrySecurity = marker;
  RunAutomaticChange();
  RegistrySecurity = nullptr;
  ASSERT_EQ(Fake.securityPassed.size(), 2u);
  EXPECT_EQ(Fake.securityPassed[0], marker);
  EXPECT_EQ(Fake.securityPassed[1], marker);
}

TEST_F(AutomaticChange, AMissingOrBadInputEndsTheRunWithoutWriting) {
  struct Case {
    const char* what;
    void (*spoil)();
  } cases[] = {
      {"mode M", [] { Fake.SetText(PROGRAM_KEY, "ChangeMode", "M"); }},
      {"mode w", [] { Fake.SetText(PROGRAM_KEY, "ChangeMode", "w"); }},
      {"no program key", [] { Fake.failOpen.insert(PROGRAM_KEY); }},
      {"no LastChange", [] { Fake.failQuery.insert("LastChange"); }},
      {"no ChangeMode", [] { Fake.failQuery.insert("ChangeMode"); }},
      {"no SelectedBmp", [] { Fake.failQuery.insert("SelectedBmp"); }},
      {"no BmpCount", [] { Fake.failQuery.insert("BmpCount"); }},
      {"no entry", [] { Fake.failQuery.insert("Bitmap01"); }},
      {"SelectedBmp as text", [] { Fake.SetText(PROGRAM_KEY, "SelectedBmp", "1"); }},
      {"LastChange of 2 bytes", [] { Fake.SetRaw(PROGRAM_KEY, "LastChange", 4, "\x01\x02"); }},
      {"entry of 300 bytes", [] { Fake.SetText(PROGRAM_KEY, "Bitmap01", std::string(299, 'x')); }},
      {"entry of 260 bytes without terminator",
       [] { Fake.SetRaw(PROGRAM_KEY, "Bitmap01", 1, std::string(260, 'x')); }},
      {"empty ChangeMode", [] { Fake.SetRaw(PROGRAM_KEY, "ChangeMode", 1, ""); }},
      {"negative BmpCount", [] { Fake.SetNumber(PROGRAM_KEY, "BmpCount", (uint32_t)-3); }},
      {"SelectedBmp -1 not due", [] {
         Fake.SetText(PROGRAM_KEY, "ChangeMode", "D");
         Fake.SetNumber(PROGRAM_KEY, "SelectedBmp", (uint32_t)-1);
         Fake.SetNumber(PROGRAM_KEY, "LastChange", Fake.today);
       }},
      {"empty list", [] {
         Fake.keys.clear();
         Fake.SetText(PROGRAM_KEY, "ChangeMode", "B");
         Fake.SetNumber(PROGRAM_KEY, "SelectedBmp", 0);
         Fake.SetNumber(PROGRAM_KEY, "BmpCount", 0);
         Fake.SetNumber(PROGRAM_KEY, "LastChange", 0);
       }},
  };
  for (const Case& c : cases) {
    SetUp();
    Store('B', 0, 3, 0, 3);
    c.spoil();
    EXPECT_EQ(RunAutomaticChange(), 0) << c.what;
    EXPECT_TRUE(Fake.writes.empty()) << c.what;
    EXPECT_TRUE(Fake.applied.empty()) << c.what;
    EXPECT_EQ(Fake.openKeys, 0) << c.what;
  }
}

TEST_F(AutomaticChange, AnUnterminatedEntryThatFitsIsTerminated) {
  Store('B', 0, 3, 0, 3);
  Fake.SetRaw(PROGRAM_KEY, "Bitmap01", 1, "C:\\x.bmp");  // no terminator stored
  EXPECT_EQ(RunAutomaticChange(), 1);
  EXPECT_EQ(Fake.applied.back(), "C:\\x.bmp");
}

TEST_F(AutomaticChange, NoDesktopKeyKeepsTheIndexButAppliesNothing) {
  Store('B', 0, 3, 0, 3);
  Fake.failOpen.insert(DESKTOP_KEY);
  EXPECT_EQ(RunAutomaticChange(), 0);
  EXPECT_EQ(Fake.Number(PROGRAM_KEY, "SelectedBmp"), 1u);
  EXPECT_EQ(Fake.Number(PROGRAM_KEY, "LastChange"), Fake.today);
  EXPECT_TRUE(Fake.applied.empty());
  EXPECT_EQ(Fake.openKeys, 0);
}
