// The real program on the Windows version that this test runs as (CTest
// starts it once for each version in range, through Wine's Version value):
// the dialog, a list built through the real open-file dialog (the ANSI one
// on 95, 98 and Me, the wide one on NT), Save in Every Boot, the logon run,
// and Clear Registry and Exit answered Yes.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "tests/e2e/dialog_driver.h"
#include "tests/win32/test_bitmap_win32.h"

using testreg::Text;

TEST(Journeys, OnTheVersionItRunsAs) {
  OSVERSIONINFOA version = {sizeof version};
  ASSERT_TRUE(GetVersionExA(&version));
  ASSERT_LT(version.dwMajorVersion, 6u) << "not run as a version in range";
  const bool nt = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
  char temp[MAX_PATH];
  const std::string dir(temp, GetTempPathA(MAX_PATH, temp));
  const std::string home = dir + "sw journey\\", pics = dir + "sw pics\\", own = dir + "own.bmp";
  const std::string exe = home + "scenewheel.exe", first = pics + "1.bmp", second = pics + "2.bmp";
  for (const std::string& folder : {home, pics}) CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(WriteTestBitmap(first.c_str(), 32, 24) && WriteTestBitmap(second.c_str(), 32, 24));
  ASSERT_TRUE(CopyFileA(e2e::Beside("scenewheel.exe").c_str(), exe.c_str(), FALSE));
  // One entry stored; the second comes from the open-file dialog.
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
  testreg::SetText(PROGRAM_KEY, "Bitmap00", first);
  testreg::SetText(DESKTOP_KEY, "Wallpaper", own);

  e2e::App app;
  ASSERT_TRUE(app.Open(e2e::Wide(exe)));
  app.Click(IDC_MODE_BOOT);
  EXPECT_TRUE(app.Answer(IDC_ADD, "Open a bitmap file", IDOK, e2e::Wide(second)));
  app.Click(IDOK);
  EXPECT_EQ(1, app.Wait());
  const std::string command = Text(RUN_KEY, RUN_VALUE_NAME);
  EXPECT_EQ(first + "|" + second + "|" + pics + "|\"" + exe + "\" A",
            Text(PROGRAM_KEY, "Bitmap00") + "|" + Text(PROGRAM_KEY, "Bitmap01") + "|" +
                Text(PROGRAM_KEY, "Path") + "|" + command);
  EXPECT_TRUE(e2e::ShowsWallpaper(first));

  // The logon run, traced: its first call turns the system's error boxes
  // off, and its key gets the security record from NT 4.0 on, none before.
  const char* debug = "Software\\Wine\\Debug";
  testreg::SetText(debug, "RelayInclude",
                   "SetErrorMode;GetVersionExA;CreateMutexA;GetModuleFileNameA;"
                   "GetModuleFileNameW;GetFileAttributesA;RegCreateKeyExA");
  // A started program takes its debug channels from the environment that it gets.
  SetEnvironmentVariableA("WINEDEBUG", "+relay");
  e2e::App run;
  ASSERT_TRUE(run.Run(e2e::Wide(command)));
  SetEnvironmentVariableA("WINEDEBUG", "-all");
  EXPECT_EQ(0, run.Wait());
  testreg::DeleteValue(debug, "RelayInclude");
  EXPECT_TRUE(e2e::ShowsWallpaper(second));
  // The calls from the program's own image: the first, and the first key's
  // security record (the seventh argument).
  std::stringstream trace;
  trace << std::ifstream(getenv("SW_TRACE")).rdbuf();
  const std::string calls = trace.str();
  std::smatch call, created;
  ASSERT_TRUE(std::regex_search(calls, call, std::regex(":Call ([^\\n]*) ret=004")));
  EXPECT_EQ("KERNEL32.SetErrorMode(00008001)", call[1]);
  const std::regex create("RegCreateKeyExA\\((?:[^,]*,){6}([0-9a-f]{8})[^\\n]* ret=004");
  ASSERT_TRUE(std::regex_search(calls, created, create));
  EXPECT_EQ(nt && version.dwMajorVersion >= 4, created[1] != "00000000") << created[1];

  // Yes to the removal: the file is marked for deletion at the next start.
  const char* session = "System\\CurrentControlSet\\Control\\Session Manager";
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, session, "PendingFileRenameOperations");
  ASSERT_TRUE(app.Open(e2e::Wide(exe)));
  ASSERT_TRUE(app.Answer(IDC_CLEAR, "Question", IDYES));
  EXPECT_EQ(0, app.Wait());
  HKEY key;
  EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, PROGRAM_KEY, 0, KEY_READ, &key));
  EXPECT_EQ("<missing>|" + own,
            Text(RUN_KEY, RUN_VALUE_NAME) + "|" + Text(DESKTOP_KEY, "Wallpaper"));
  std::string pending(4096, 0);
  DWORD size = (DWORD)pending.size();
  RegGetValueA(HKEY_LOCAL_MACHINE, session, "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ,
               nullptr, &pending[0], &size);
  EXPECT_NE(pending.npos, pending.find(exe));
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, session, "PendingFileRenameOperations");
}
