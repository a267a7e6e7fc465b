#include <gtest/gtest.h>
#include "settings/automatic_change.h"
#include "tests/fakes/fake_dialog.h"

static uint32_t D(unsigned y, unsigned m, unsigned d) { return y << 16 | m << 8 | d; }

TEST(AutomaticChange, IsChangeDue) {
  const ChangeDecision y = CHANGE_DUE, n = CHANGE_NOT_DUE, e = CHANGE_END;
  struct { char mode; uint32_t last, today; ChangeDecision want; } cases[] = {
      {'B', D(2003, 12, 17), D(2003, 12, 17), y}, {'D', D(2003, 12, 17), D(2003, 12, 17), n},
      {'D', D(2003, 12, 17), D(2003, 12, 18), y}, {'D', D(2003, 12, 18), D(2003, 12, 17), y},
      {'W', D(2003, 3, 10), D(2003, 3, 16), n}, {'W', D(2003, 3, 10), D(2003, 3, 17), y},
      {'W', D(2003, 3, 10), D(2003, 3, 10), n}, {'W', D(2003, 3, 20), D(2003, 3, 15), y},
      {'W', D(2003, 1, 28), D(2003, 2, 3), n}, {'W', D(2003, 1, 28), D(2003, 2, 4), y},
      {'W', D(2004, 2, 25), D(2004, 3, 3), n}, {'W', D(2003, 1, 30), D(2003, 3, 1), y},
      {'W', D(2003, 4, 5), D(2003, 3, 30), y}, {'W', D(2003, 12, 30), D(2004, 1, 2), y},
      {'W', 0, D(2003, 1, 1), y}, {'M', 0, 1, e}, {'N', 0, 1, e}, {'O', 0, 1, e}, {'d', 0, 1, e}};
  for (auto& c : cases) EXPECT_EQ(IsChangeDue(c.mode, c.today, c.last), c.want) << c.mode << std::hex << c.last;
}

TEST(AutomaticChange, NextIndex) {
  const ChangeDecision y = CHANGE_DUE, n = CHANGE_NOT_DUE;
  struct { int32_t index, count; ChangeDecision due; int32_t want; } cases[] = {
      {0, 5, y, 1}, {3, 5, y, 4}, {4, 5, y, 0}, {30, 32, y, 31}, {31, 32, y, 0}, {7, 3, y, 0}, {-1, 5, y, 0},
      {2, 0, y, 3}, {31, 40, y, 0}, {-2, 0, y, 0}, {4, 5, n, 4}, {40, 5, n, 0}, {-1, 5, n, -1}, {32, 40, n, 0},
      {31, 40, n, 31}};
  for (auto& c : cases) EXPECT_EQ(NextIndex(c.index, c.count, c.due), c.want) << c.index << "/" << c.count;
}

// A Daily rotation of five entries, last changed the day before.
static void Store(const char* mode, uint32_t last) {
  ResetFakes();
  Fake.Set(PROGRAM_KEY, "ChangeMode", mode);
  Fake.SetNumber(PROGRAM_KEY, "SelectedBmp", 2);
  Fake.SetNumber(PROGRAM_KEY, "BmpCount", 5);
  Fake.SetNumber(PROGRAM_KEY, "LastChange", last);
  for (const char* n : {"Bitmap00", "Bitmap01", "Bitmap02", "Bitmap03", "Bitmap04"}) Fake.Set(PROGRAM_KEY, n, n);
}

// Seven days count from the last change, not the last run: a Weekly user
// who logs on every day still gets a new wallpaper every week.
TEST(AutomaticChange, RunStoresTheIndexAndAppliesTheEntry) {
  struct { const char* mode; uint32_t last; int runs; uint32_t selected, stored; } cases[] = {
      {"D", D(2003, 12, 16), 1, 3, D(2003, 12, 17)}, {"D", D(2003, 12, 16), 2, 3, D(2003, 12, 17)},
      {"W", D(2003, 12, 11), 1, 2, D(2003, 12, 11)}, {"B", 0, 3, 0, D(2003, 12, 17)}};
  for (auto& c : cases) {
    Store(c.mode, c.last);
    for (int i = 0; i < c.runs; ++i) EXPECT_EQ(RunAutomaticChange(), 1);
    EXPECT_EQ(Fake.Number(PROGRAM_KEY, "SelectedBmp"), c.selected) << c.mode << c.runs;
    EXPECT_EQ(Fake.Number(PROGRAM_KEY, "LastChange"), c.stored) << c.mode << c.runs;
    std::string entry = "Bitmap0" + std::to_string(c.selected);
    EXPECT_EQ(Fake.Text(DESKTOP_KEY, "Wallpaper"), entry);
    EXPECT_EQ(Fake.applied.size(), (size_t)c.runs);
    EXPECT_EQ(Fake.applied.back(), entry);
    EXPECT_EQ(Fake.openKeys, 0);
  }
}

TEST(AutomaticChange, MissingOrUnfitInputsWriteNothing) {
  struct { const char* name; std::string data; unsigned long type; } cases[] = {
      {"ChangeMode", "M", VALUE_TEXT}, {"ChangeMode", "d", VALUE_TEXT}, {"SelectedBmp", "2", VALUE_TEXT},
      {"LastChange", "\1\2", VALUE_NUMBER}, {"Bitmap03", std::string(300, 'x'), VALUE_TEXT}, {"BmpCount", "", 0}};
  for (auto& c : cases) {
    Store("D", 0);
    c.type ? Fake.Set(PROGRAM_KEY, c.name, c.data, c.type) : (void)Fake.keys[PROGRAM_KEY].erase(c.name);
    FakeKey before = Fake.keys[PROGRAM_KEY];
    EXPECT_EQ(RunAutomaticChange(), 0) << c.name << c.data.substr(0, 2);
    EXPECT_TRUE(Fake.keys[PROGRAM_KEY] == before && Fake.applied.empty()) << c.name;
    EXPECT_EQ(Fake.Raw(DESKTOP_KEY, "Wallpaper"), "<missing>");
  }
  Store("D", 0);
  Fake.failOpen.insert(DESKTOP_KEY);  // the index and date stay stored
  EXPECT_EQ(RunAutomaticChange(), 0);
  EXPECT_EQ(Fake.Number(PROGRAM_KEY, "SelectedBmp"), 3u);
  EXPECT_TRUE(Fake.applied.empty());
}
