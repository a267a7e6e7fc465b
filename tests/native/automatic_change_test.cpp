// The logon run: the stored layout it reads, the change decision, the index
// rule, and what a run stores and applies (passing over files that are gone).
#include "settings/automatic_change.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/fakes/fake_dialog.h"

static uint32_t D(unsigned y, unsigned m, unsigned d) { return y << 16 | m << 8 | d; }

TEST(SettingsLayout, PackedDateHoldsDayMonthAndYear) {
  EXPECT_EQ(0x07D30C11u, PackDate(2003, 12, 17));
}

TEST(SettingsLayout, AStoredModeOtherThanBDMNWLoadsAsDefault) {
  const std::string stored = "BDMNWOdxb", loaded = "BDMNWOOOO";
  for (size_t i = 0; i < stored.size(); ++i)
    EXPECT_EQ(loaded[i], ModeFromStoredByte(stored[i])) << stored[i];
}

TEST(LogonRun, IsChangeDueByModeAndDates) {
  const ChangeDecision y = CHANGE_DUE, n = CHANGE_NOT_DUE, e = CHANGE_END;
  const std::tuple<char, uint32_t, uint32_t, ChangeDecision> cases[] = {
      {'B', D(2003, 12, 17), D(2003, 12, 17), y},
      {'D', D(2003, 12, 17), D(2003, 12, 17), n},
      {'D', D(2003, 12, 17), D(2003, 12, 18), y},
      {'D', D(2003, 12, 18), D(2003, 12, 17), y},
      {'W', D(2003, 3, 10), D(2003, 3, 16), n},
      {'W', D(2003, 3, 10), D(2003, 3, 17), y},
      {'W', D(2003, 3, 20), D(2003, 3, 15), y},
      {'W', D(2003, 1, 28), D(2003, 2, 3), n},
      {'W', D(2003, 1, 28), D(2003, 2, 4), y},
      {'W', D(2004, 2, 25), D(2004, 3, 3), n},
      {'W', D(2003, 1, 30), D(2003, 3, 1), y},
      {'W', D(2003, 4, 5), D(2003, 3, 30), y},
      {'W', D(2003, 12, 30), D(2004, 1, 2), y},
      {'M', 0, 1, e},
      {'d', 0, 1, e}};
  for (const auto& [mode, last, today, want] : cases)
    EXPECT_EQ(want, IsChangeDue(mode, today, last)) << mode << std::hex << last;
}

TEST(LogonRun, NextIndexWrapsAfterTheLastEntryAndThe32nd) {
  const ChangeDecision y = CHANGE_DUE, n = CHANGE_NOT_DUE;
  const std::tuple<int32_t, int32_t, ChangeDecision, int32_t> cases[] = {
      {3, 5, y, 4},  {4, 5, y, 0},   {30, 32, y, 31}, {31, 32, y, 0}, {7, 3, y, 0},
      {-1, 5, y, 0}, {2, 0, y, 3},   {31, 40, y, 0},  {-2, 0, y, 0},  {4, 5, n, 4},
      {40, 5, n, 0}, {-1, 5, n, -1}, {32, 40, n, 0},  {31, 40, n, 31}};
  for (const auto& [index, count, due, want] : cases)
    EXPECT_EQ(want, NextIndex(index, count, due)) << index << "/" << count;
}

// Five entries, the third current, in the given mode and with the given last
// change; the files of the entries named by the digits in gone deleted.
static void Store(const char* mode, uint32_t last, const char* gone = "") {
  ResetFakes();
  Fake.Set(PROGRAM_KEY, "ChangeMode", mode);
  for (const char* n : {"Bitmap00", "Bitmap01", "Bitmap02", "Bitmap03", "Bitmap04"})
    Fake.Set(PROGRAM_KEY, n, n);
  for (const char* d = gone; *d; ++d) Fake.missingFiles.insert(std::string("Bitmap0") + *d);
  Fake.Set(PROGRAM_KEY, "SelectedBmp", Dword(2), VALUE_NUMBER);
  Fake.Set(PROGRAM_KEY, "BmpCount", Dword(5), VALUE_NUMBER);
  Fake.Set(PROGRAM_KEY, "LastChange", Dword(last), VALUE_NUMBER);
}

// What the runs left: the stored index and date, the desktop's value, the
// wallpapers applied and the keys left open.
static std::string RunResult() {
  char date[16];
  snprintf(date, sizeof date, "%08x", *(const uint32_t*)Fake.Raw(PROGRAM_KEY, "LastChange").data());
  std::string out = "index " + std::to_string(Fake.Raw(PROGRAM_KEY, "SelectedBmp")[0]) + ", date " +
                    date + ", desktop " + Fake.Text(DESKTOP_KEY, "Wallpaper") + ", applied";
  for (const std::string& a : Fake.applied) out += " " + a;
  return out + ", open keys " + std::to_string(Fake.openKeys);
}

// Today is 2003-12-17. The date is stored only by a run that changed: seven
// days count from the last change, so a Weekly user who logs on every day
// still sees a new wallpaper every week.
TEST(LogonRun, StoresTheIndexAndAppliesTheEntryWhoseFileIsThere) {
  const std::tuple<const char*, uint32_t, const char*, std::string> cases[] = {
      {"D", D(2003, 12, 16), "", "index 3, date 07d30c11, desktop Bitmap03, applied Bitmap03"},
      {"W", D(2003, 12, 11), "", "index 2, date 07d30c0b, desktop Bitmap02, applied Bitmap02"},
      {"D", D(2003, 12, 16), "34", "index 0, date 07d30c11, desktop Bitmap00, applied Bitmap00"},
      {"W", D(2003, 12, 11), "2", "index 3, date 07d30c0b, desktop Bitmap03, applied Bitmap03"},
  };
  for (const auto& [mode, last, gone, want] : cases) {
    Store(mode, last, gone);
    EXPECT_EQ(1, RunAutomaticChange());
    EXPECT_EQ(want + ", open keys 0", RunResult()) << mode << gone;
  }
}

// An input missing, of another type or too long, or every file gone: the run
// writes and applies nothing.
TEST(LogonRun, WritesNothingWhenAnInputIsSpoiltOrEveryFileIsGone) {
  const std::tuple<const char*, std::string, unsigned long, const char*> cases[] = {
      {"ChangeMode", "d", VALUE_TEXT, ""},
      {"SelectedBmp", Dword(2), VALUE_BINARY, ""},  // four bytes, not a REG_DWORD
      {"LastChange", "\1\2", VALUE_NUMBER, ""},
      {"Bitmap03", std::string(300, 'x'), VALUE_TEXT, ""},
      {"BmpCount", "", VALUE_NUMBER, ""},
      {"ChangeMode", "B", VALUE_TEXT, "01234"}};
  for (const auto& [name, data, type, gone] : cases) {
    Store("D", 0, gone);
    Fake.Set(PROGRAM_KEY, name, data, type);
    const FakeKey before = Fake.keys[PROGRAM_KEY];
    EXPECT_EQ(0, RunAutomaticChange()) << name;
    EXPECT_EQ(before, Fake.keys[PROGRAM_KEY]) << name;
    EXPECT_EQ("<missing>", Fake.Text(DESKTOP_KEY, "Wallpaper")) << name;
    EXPECT_EQ(0u, Fake.applied.size()) << name;
  }
}

// 32 entries: 30 on a drive or share, spelled two ways that differ in letter
// case, then a file gone from drive C (not found, at once) and one there; the
// run starts at the fourth. An entry without an answer has its root asked: a
// root that gives none itself (late, or a drive without its disk) is not
// asked again and its other entries are passed over; one that answers in
// time, a refusal included, is there, and its entries are asked one by one.
TEST(LogonRun, AsksADriveOrShareThatIsAwayNoMoreThanTwice) {
  // A server whose name's second byte is a backslash in code page 932.
  const std::string floppy[] = {"A:\\", "a:\\"};
  const std::string share[] = {"\\\\\x95\\\\pics\\", "\\\\\x95\\\\PICS\\"};
  const PathReply file = {0x20, 0, 0}, refused = {NO_ATTRIBUTES, 5, 0};
  const PathReply notReady = {NO_ATTRIBUTES, 21, 0}, down = {NO_ATTRIBUTES, 53, 20000};
  // Not found just at the time-out (no answer), no network path just within it (an answer).
  const PathReply slowGone = {NO_ATTRIBUTES, 2, 3000}, noPath = {NO_ATTRIBUTES, 53, 2999};
  // The root, what its entries, the first of them and the root itself answer,
  // and the questions asked.
  const std::tuple<const std::string*, PathReply, PathReply, PathReply, std::vector<std::string>>
      cases[] = {// The logon's first connection to the server is slow; its root
                 // answers with ERROR_BAD_NETPATH.
                 {share, file, slowGone, noPath, {share[1] + "3", share[1], share[0] + "4"}},
                 {share, file, refused, noPath, {share[1] + "3", share[0] + "4"}},
                 // A floppy drive without its disk, a server that is down.
                 {floppy, notReady, notReady, notReady, {"a:\\3", "a:\\", "C:\\30", "C:\\31"}},
                 {share, down, down, down, {share[1] + "3", share[1], "C:\\30", "C:\\31"}}};
  for (const auto& [root, others, first, itself, want] : cases) {
    Store("B", 0);
    for (int i = 0; i < 32; ++i)
      Fake.Set(PROGRAM_KEY, (i < 10 ? "Bitmap0" : "Bitmap") + std::to_string(i),
               (i < 30 ? root[i % 2] : "C:\\") + std::to_string(i));
    Fake.Set(PROGRAM_KEY, "BmpCount", Dword(32), VALUE_NUMBER);
    Fake.missingFiles.insert("C:\\30");
    Fake.root = root[0];
    Fake.rootReply = others;
    Fake.replies = {{root[1] + "3", first}, {root[1], itself}};
    RunAutomaticChange();
    EXPECT_EQ(want, Fake.asked) << want[0];
    EXPECT_EQ(std::vector<std::string>({want.back()}), Fake.applied) << want[0];
  }
}
