#include "settings/automatic_change.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_dialog.h"

static uint32_t D(unsigned y, unsigned m, unsigned d) { return y << 16 | m << 8 | d; }

TEST(Settings, PackedDateEntryNamesAndStoredModes) {
  EXPECT_EQ(PackDate(2003, 12, 17), 0x07D30C11u);
  struct {
    int index;
    const char* name;
  } names[] = {
      {0, "Bitmap00"}, {7, "Bitmap07"}, {31, "Bitmap31"}, {100, "Bitmap100"}, {-1, "Bitmap-1"}};
  char name[ENTRY_NAME_SIZE];
  for (auto& c : names) EXPECT_STREQ((FormatEntryName(name, c.index), name), c.name);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(ModeFromStoredByte("BDMNWOdxb"[i]), "BDMNWOOOOO"[i]) << i;
}

TEST(Settings, IsChangeDue) {
  const ChangeDecision y = CHANGE_DUE, n = CHANGE_NOT_DUE, e = CHANGE_END;
  struct {
    char mode;
    uint32_t last, today;
    ChangeDecision want;
  } cases[] = {{'B', D(2003, 12, 17), D(2003, 12, 17), y},
               {'D', D(2003, 12, 17), D(2003, 12, 17), n},
               {'D', D(2003, 12, 17), D(2003, 12, 18), y},
               {'D', D(2003, 12, 18), D(2003, 12, 17), y},
               {'W', D(2003, 3, 10), D(2003, 3, 16), n},
               {'W', D(2003, 3, 10), D(2003, 3, 17), y},
               {'W', D(2003, 3, 10), D(2003, 3, 10), n},
               {'W', D(2003, 3, 20), D(2003, 3, 15), y},
               {'W', D(2003, 1, 28), D(2003, 2, 3), n},
               {'W', D(2003, 1, 28), D(2003, 2, 4), y},
               {'W', D(2004, 2, 25), D(2004, 3, 3), n},
               {'W', D(2003, 1, 30), D(2003, 3, 1), y},
               {'W', D(2003, 4, 5), D(2003, 3, 30), y},
               {'W', D(2003, 12, 30), D(2004, 1, 2), y},
               {'W', 0, D(2003, 1, 1), y},
               {'M', 0, 1, e},
               {'N', 0, 1, e},
               {'O', 0, 1, e},
               {'d', 0, 1, e}};
  for (auto& c : cases)
    EXPECT_EQ(IsChangeDue(c.mode, c.today, c.last), c.want) << c.mode << std::hex << c.last;
}

TEST(Settings, NextIndex) {
  const ChangeDecision y = CHANGE_DUE, n = CHANGE_NOT_DUE;
  struct {
    int32_t index, count;
    ChangeDecision due;
    int32_t want;
  } cases[] = {{0, 5, y, 1}, {3, 5, y, 4},  {4, 5, y, 0},   {30, 32, y, 31}, {31, 32, y, 0},
               {7, 3, y, 0}, {-1, 5, y, 0}, {2, 0, y, 3},   {31, 40, y, 0},  {-2, 0, y, 0},
               {4, 5, n, 4}, {40, 5, n, 0}, {-1, 5, n, -1}, {32, 40, n, 0},  {31, 40, n, 31}};
  for (auto& c : cases)
    EXPECT_EQ(NextIndex(c.index, c.count, c.due), c.want) << c.index << "/" << c.count;
}

// Per index: 'x' the file is there, '-' gone, anything else an entry the run cannot read.
static int checks;
static EntryState Look(void* files, int32_t i) {
  char at =
      (++checks,
       static_cast<std::string*>(files)->at(i));  // throws for an index that the row leaves out
  return at == 'x' ? ENTRY_EXISTS : at == '-' ? ENTRY_MISSING : ENTRY_UNUSABLE;
}

TEST(Settings, ChooseEntryPassesOverFilesThatAreGone) {
  const ChangeDecision y = CHANGE_DUE, n = CHANGE_NOT_DUE;
  const int32_t none = NO_ENTRY;
  struct {
    int32_t index, count;
    ChangeDecision due;
    std::string files;
    int32_t want;
    int checks;
  } cases[] = {{2, 5, y, "xxx-x", 4, 2},
               {2, 5, n, "xx--x", 4, 3},
               {3, 5, y, "-x---", 1, 3},
               {2, 5, y, "-----", none, 5},
               {0, 0, y, "x-x", none, 1},
               {0, 1, y, "-x", none, 1},
               {5, 2, n, "-x----", none, 2},
               {2, 5, y, "xxx-!", none, 2},
               {31, 40, y, std::string(31, '-') + "x", 31, 32},
               {0, 40, y, std::string(40, '-'), none, 32}};
  for (auto& c : cases) {
    checks = 0;
    EXPECT_EQ(ChooseEntry(c.index, c.count, c.due, Look, &c.files), c.want)
        << c.index << "/" << c.count << c.files;
    EXPECT_EQ(checks, c.checks) << c.files;
  }
}

// Five entries, the third current; B, D or W with the given last change and
// the files of the entries named by the digits in gone deleted.
static void Store(const char* mode, uint32_t last, const char* gone = "") {
  ResetFakes(), Fake.Set(PROGRAM_KEY, "ChangeMode", mode);
  for (const char* d = gone; *d; ++d) Fake.missingFiles.insert(std::string("Bitmap0") + *d);
  for (const char* n : {"Bitmap00", "Bitmap01", "Bitmap02", "Bitmap03", "Bitmap04"})
    Fake.Set(PROGRAM_KEY, n, n);
  for (auto v : {std::make_pair("SelectedBmp", 2u), {"BmpCount", 5u}, {"LastChange", last}})
    Fake.Set(PROGRAM_KEY, v.first, Dword(v.second), VALUE_NUMBER);
}

// Seven days count from the last change, not the last run: a Weekly user
// who logs on every day still gets a new wallpaper every week.
TEST(Settings, LogonRunsStoreTheIndexAndApplyTheEntry) {
  struct {
    const char* mode;
    uint32_t last;
    int runs;
    const char* entry;
    uint32_t stored;
    const char* gone = "";
  } cases[] = {{"D", D(2003, 12, 16), 1, "Bitmap03", D(2003, 12, 17)},
               {"D", D(2003, 12, 16), 2, "Bitmap03", D(2003, 12, 17)},
               {"W", D(2003, 12, 11), 1, "Bitmap02", D(2003, 12, 11)},
               {"B", 0, 3, "Bitmap00", D(2003, 12, 17)},
               {"D", D(2003, 12, 16), 1, "Bitmap00", D(2003, 12, 17), "34"},
               {"W", D(2003, 12, 11), 1, "Bitmap03", D(2003, 12, 11), "2"}};
  for (auto& c : cases) {
    Store(c.mode, c.last, c.gone);
    for (int i = 0; i < c.runs; ++i) EXPECT_EQ(RunAutomaticChange(), 1);
    EXPECT_EQ(Fake.Raw(PROGRAM_KEY, "SelectedBmp") + Fake.Raw(PROGRAM_KEY, "LastChange"),
              Dword(c.entry[7] - '0') + Dword(c.stored));
    EXPECT_EQ(Fake.Text(DESKTOP_KEY, "Wallpaper") + Fake.applied.back(),
              c.entry + std::string(c.entry))
        << c.mode << c.runs;
    EXPECT_TRUE(Fake.applied.size() == (size_t)c.runs && Fake.openKeys == 0);
  }
  // Inputs missing, of another type or too long, or every file gone: nothing written.
  struct {
    const char* name;
    std::string data;
    unsigned long type;
    const char* gone = "";
  } spoilt[] = {{"ChangeMode", "M", VALUE_TEXT},
                {"ChangeMode", "d", VALUE_TEXT},
                {"SelectedBmp", "2", VALUE_TEXT},
                {"LastChange", "\1\2", VALUE_NUMBER},
                {"Bitmap03", std::string(300, 'x'), VALUE_TEXT},
                {"BmpCount", "", 3},
                {"ChangeMode", "B", VALUE_TEXT, "01234"}};
  for (auto& c : spoilt) {
    Store("D", 0, c.gone);
    Fake.Set(PROGRAM_KEY, c.name, c.data, c.type);
    FakeKey before = Fake.keys[PROGRAM_KEY];
    EXPECT_EQ(RunAutomaticChange(), 0) << c.name << c.data.substr(0, 2);
    EXPECT_TRUE(Fake.keys[PROGRAM_KEY] == before && Fake.applied.empty() &&
                !Fake.keys[DESKTOP_KEY].count("Wallpaper"));
  }
  Store("D", 0);
  Fake.failOpen.insert(DESKTOP_KEY);  // the index and date stay stored
  EXPECT_EQ(RunAutomaticChange(), 0);
  EXPECT_TRUE(Fake.Raw(PROGRAM_KEY, "SelectedBmp") == Dword(3) && Fake.applied.empty());
}
