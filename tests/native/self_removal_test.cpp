// Deleting the program file at the next start of Windows: the Wininit.ini
// edit, and where it is the fallback.
#include "dialog/self_removal.h"

#include <gtest/gtest.h>

#include <string>

#include "app/platform_probe.h"
#include "app/startup.h"
#include "tests/fakes/fake_dialog.h"

// The entry goes first into the [rename] section, after the empty lines
// under its header; a section in other letter case or without CR LF is not
// that section, and the search stops at a zero byte.
TEST(InsertRenameEntry, PutsTheEntryFirstInTheSectionOrAddsTheSection) {
  const std::string e = "NUL=C:\\APPS\\PROG.EXE\r\n", h = "[rename]\r\n", z("a\0", 2);  // L = 22
  struct {
    std::string text, want;
  } cases[] = {
      {"", h + e},
      {h + "\r\nC:\\OLD.TXT=C:\\NEW.TXT\r\n", h + "\r\n" + e + "C:\\OLD.TXT=C:\\NEW.TXT\r\n"},
      {"[boot]\r\nx=1", "[boot]\r\nx=1" + h + e},
      {"[Rename]\r\n", "[Rename]\r\n" + h + e},
      {"[rename]\n", "[rename]\n" + h + e},
      {"x" + h + "\n\r\ny", "x" + h + "\n\r\n" + e + "y"},
      {h, h + e},
      {z + h, z + h + h + e}};  // the search ends at a zero byte
  for (const auto& c : cases) {
    std::string buffer = c.text + std::string(e.size() + 10, '\0');
    uint32_t n = InsertRenameEntry((unsigned char*)&buffer[0], (uint32_t)c.text.size(), e.data(),
                                   (uint32_t)e.size());
    EXPECT_EQ(c.want, buffer.substr(0, n));
  }
}

// Wininit.ini is the fallback only where the system refused the delayed
// deletion and Windows reads that file at its start: the 95, 98 and Me
// family, or a version that was not recognised.
TEST(ScheduleSelfRemoval, WininitOnlyWhereTheSystemRefusesOffTheNtFamily) {
  struct Case {
    uint32_t platform;
    bool restartAgrees;
    int result;
    std::vector<std::string> steps;
  };
  const std::string restart = "restart C:\\Apps\\sw.exe", wininit = "wininit C:\\Apps\\sw.exe";
  const Case cases[] = {
      {PC_NT51, true, 1, {restart}},
      {PC_NT4, false, 0, {restart}},
      {PC_WIN98, false, 1, {restart, wininit}},
      {PC_UNKNOWN, false, 1, {restart, wininit}},
  };
  for (const Case& c : cases) {
    ResetFakes();
    strcpy(SettingsState.ProgramPath, "C:\\Apps\\sw.exe");
    PlatformClass = c.platform;
    View.restartAgrees = c.restartAgrees;
    EXPECT_EQ(c.result, ScheduleSelfRemoval()) << c.platform;
    EXPECT_EQ(c.steps, View.removals) << c.platform;
  }
  PlatformClass = PC_UNKNOWN;
}
