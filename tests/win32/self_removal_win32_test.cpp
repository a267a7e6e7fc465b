// The Wininit.ini edit on a real file, in a temporary folder that stands in
// for the Windows folder (the system would accept the delayed deletion
// under Wine, so the seam is pointed away from it).
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <iterator>
#include <string>
#include "dialog/self_removal.h"
#include "settings/settings_state.h"

namespace {

char Folder[MAX_PATH];
unsigned TempWindowsFolder(char* out, unsigned size) {
  lstrcpynA(out, Folder, (int)size);
  return (unsigned)lstrlenA(out);
}
int SystemRefuses(const char*) { return 0; }
void* NoView(void*) { return nullptr; }

std::string Path() { return std::string(Folder) + "\\Wininit.ini"; }

std::string ReadAll() {
  std::ifstream in(Path(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& text) { std::ofstream(Path(), std::ios::binary) << text; }

class Wininit : public ::testing::Test {
 protected:
  SelfRemovalApi saved;
  std::string entry;
  void SetUp() override {
    saved = SelfRemoval;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    wsprintfA(Folder, "%ssw_windows_%lu", temp, GetCurrentProcessId());
    CreateDirectoryA(Folder, nullptr);
    DeleteFileA(Path().c_str());
    SelfRemoval.DeleteAtRestart = SystemRefuses;
    SelfRemoval.WindowsFolder = TempWindowsFolder;
    SettingsState = InitialSettingsState();
    GetModuleFileNameA(nullptr, SettingsState.ProgramPath, TEXT_SIZE);
    char shortPath[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(SettingsState.ProgramPath, shortPath, MAX_PATH), 0u);
    entry = std::string("NUL=") + shortPath + "\r\n";
  }
  void TearDown() override {
    SelfRemoval = saved;
    DeleteFileA(Path().c_str());
    RemoveDirectoryA(Folder);
  }
};

// A missing file is created; otherwise the entry goes under the header and
// the file ends exactly after what was there and what was added.
TEST_F(Wininit, EntryGoesUnderTheHeaderAndTheFileEndsExactly) {
  struct Case {
    bool exists;
    std::string before, after;
  } cases[] = {
      {false, "", "[rename]\r\n" + entry},
      {true, "[boot]\r\n[rename]\r\n\r\nC:\\A=C:\\B\r\n", "[boot]\r\n[rename]\r\n\r\n" + entry + "C:\\A=C:\\B\r\n"},
      {true, "[boot]\r\nshell=x", "[boot]\r\nshell=x[rename]\r\n" + entry},
      {true, "[RENAME]\r\n", "[RENAME]\r\n[rename]\r\n" + entry},
      {true, std::string("a\0b", 3), std::string("a\0b", 3) + "[rename]\r\n" + entry},
  };
  for (const Case& c : cases) {
    if (c.exists) WriteAll(c.before);
    EXPECT_EQ(ScheduleSelfRemoval(), 1);
    EXPECT_EQ(ReadAll(), c.after);
  }
}

TEST_F(Wininit, FailuresLeaveTheFileUntouched) {
  const std::string before = "[boot]\r\nshell=x\r\n";
  WriteAll(before);
  // The view fails after the mapping grew the file: it is cut back.
  SelfRemoval.MapView = NoView;
  EXPECT_EQ(ScheduleSelfRemoval(), 0);
  EXPECT_EQ(ReadAll(), before);
  SelfRemoval.MapView = saved.MapView;
  // Open elsewhere without sharing.
  HANDLE held = CreateFileA(Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ScheduleSelfRemoval(), 0);
  CloseHandle(held);
  EXPECT_EQ(ReadAll(), before);
}

}  // namespace
