#include <gtest/gtest.h>
#include <string>
#include "dialog/self_removal.h"
#include "tests/fakes/fake_leaks.h"

namespace {

const std::string kEntry = "NUL=C:\\APPS\\PROG.EXE\r\n";  // L = 22

std::string Insert(const std::string& text) {
  std::string buffer = text + std::string(kEntry.size() + 10, '\0');
  uint32_t n = InsertRenameEntry((unsigned char*)&buffer[0], (uint32_t)text.size(),
                                 kEntry.data(), (uint32_t)kEntry.size());
  EXPECT_LE(n, buffer.size());
  return buffer.substr(0, n);
}

TEST(InsertRenameEntry, WorkedExamplesAndOddFiles) {
  struct Case {
    std::string text, want;
  } cases[] = {
      {"", "[rename]\r\n" + kEntry},
      {"[rename]\r\n\r\nC:\\OLD.TXT=C:\\NEW.TXT\r\n",
       "[rename]\r\n\r\n" + kEntry + "C:\\OLD.TXT=C:\\NEW.TXT\r\n"},
      {"[boot]\r\nx=1", "[boot]\r\nx=1[rename]\r\n" + kEntry},
      {"[Rename]\r\n", "[Rename]\r\n[rename]\r\n" + kEntry},
      {"[rename]\n", "[rename]\n[rename]\r\n" + kEntry},  // LF alone is no header
      {"[rename]\r\n\n\r\n\r\na=b", "[rename]\r\n\n\r\n\r\n" + kEntry + "a=b"},
      {"x[rename]\r\ny", "x[rename]\r\n" + kEntry + "y"},  // anywhere, not only at a line start
      // The search stops at a zero byte: a header behind one is not seen.
      {std::string("a\0[rename]\r\n", 12), std::string("a\0[rename]\r\n[rename]\r\n", 22) + kEntry},
      {"no line breaks at all", "no line breaks at all[rename]\r\n" + kEntry},
      {"[rename]\r\nNUL=A\r\n[rename]\r\n", "[rename]\r\n" + kEntry + "NUL=A\r\n[rename]\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Insert(c.text), c.want) << c.text;
}

class SelfRemovalTest : public LeakCheckedTest {
 protected:
  void SetUp() override {
    LeakCheckedTest::SetUp();
    strcpy(SettingsState.ProgramPath, "C:\\Program Files\\Scenewheel\\scenewheel.exe");
  }
};

TEST_F(SelfRemovalTest, TheSystemFirstThenTheFileEdit) {
  FakeFile.deleteAtRestart = true;
  EXPECT_EQ(ScheduleSelfRemoval(), 1);
  EXPECT_EQ(FakeFile.calls, (std::vector<std::string>{
                                "delete C:\\Program Files\\Scenewheel\\scenewheel.exe"}));

  SetUp();
  FakeFile.content = "[boot]\r\n[rename]\r\nC:\\A=C:\\B\r\n";
  EXPECT_EQ(ScheduleSelfRemoval(), 1);
  EXPECT_EQ(FakeFile.calls[1], "open C:\\WINDOWS\\Wininit.ini");
  EXPECT_EQ(FakeFile.calls[2], "map 61");  // N + L + 10
  EXPECT_EQ(FakeFile.content, "[boot]\r\n[rename]\r\n" + kEntry + "C:\\A=C:\\B\r\n");

}

TEST_F(SelfRemovalTest, FailuresLeaveTheFileAsItWas) {
  const std::string before = "[boot]\r\nshell=x\r\n";
  struct Case {
    const char* what;
    void (*arrange)();
    bool opened;
  } cases[] = {
      {"no short path", [] { FakeFile.shortLength = 0; FakeFile.shortPath = ""; }, false},
      {"short path too long", [] { FakeFile.shortLength = 249; }, false},
      {"short path needs more room", [] { FakeFile.shortLength = 400; }, false},
      {"windows folder too long", [] { FakeFile.windowsFolder = std::string(250, 'W'); }, false},
      {"open fails", [] { FakeFile.openFails = true; }, true},
      {"mapping fails", [] { FakeFile.mappingFails = true; }, true},
      {"view fails after the file grew", [] { FakeFile.viewFails = true; }, true},
  };
  for (const Case& c : cases) {
    SetUp();
    FakeFile.content = before;
    c.arrange();
    EXPECT_EQ(ScheduleSelfRemoval(), 0) << c.what;
    EXPECT_EQ(FakeFile.content, before) << c.what;
    bool opened = false;
    for (const std::string& call : FakeFile.calls) opened |= call.rfind("open", 0) == 0;
    EXPECT_EQ(opened, c.opened) << c.what;
  }
}

TEST_F(SelfRemovalTest, LongestShortPathFits) {
  FakeFile.shortPath = "C:\\" + std::string(245, 'S');  // 248 characters
  FakeFile.content = "";
  EXPECT_EQ(ScheduleSelfRemoval(), 1);
  EXPECT_EQ(FakeFile.content, "[rename]\r\nNUL=" + FakeFile.shortPath + "\r\n");
}

}  // namespace
