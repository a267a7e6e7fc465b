// The real program as a user takes it, on a Japanese Windows of each
// version in range: CTest runs this test once for each, through Wine's
// Version value, with the Unix locale ja_JP.UTF-8, which gives every Wine
// process of it the ANSI code page 932. Paths are written as that code
// page's bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <vector>

#include "tests/e2e/dialog_driver.h"
#include "tests/win32/test_bitmap_win32.h"

using testreg::Text;

// The dialog through its real controls, started from a folder whose names'
// second bytes are backslashes; on NT its path needs more than 259 bytes
// (fewer than 260 characters), which no path of the 95 family does. Two
// files whose names differ only in a second byte ("autumn" and "inn", 8F 48
// and 8F 68) are added through the open-file dialog (the ANSI one on 95, 98
// and Me, the wide one on NT), and a file beside the program, on NT by its
// short path; the first again in other letter case is not. A logon start
// while the dialog is open is refused. Save in Daily names the program in
// the Run value (on NT by its short path); the logon run from it passes over
// an entry that became a folder. Clear Registry and Exit, answered Yes,
// leaves nothing of the program but the mark on its file.
TEST(Journeys, OnAJapaneseWindows) {
  ASSERT_EQ(932u, GetACP());
  OSVERSIONINFOA version = {sizeof version};
  ASSERT_TRUE(GetVersionExA(&version) && version.dwMajorVersion < 6) << "not a version in range";
  const bool nt = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
  char temp[MAX_PATH];
  const std::string dir(temp, GetTempPathA(MAX_PATH, temp)), own = dir + "own.bmp";
  const std::string pictures = dir + "\x95\xc7\x8e\x86";  // "wallpaper"
  const std::string autumn = pictures + "\\\x8f\x48.bmp", inn = pictures + "\\\x8f\x68.bmp";
  const std::string dusk = pictures + "\\dusk.bmp";
  std::string sheets;  // 70 characters whose second byte is a backslash: 140 bytes
  for (int i = 0; i < 70; ++i) sheets += "\x95\x5c";
  const std::string deep = dir + sheets + (nt ? "\\" + sheets : "");
  const std::string exe = deep + "\\scenewheel.exe", beside = deep + "\\x.bmp";
  for (const std::string& folder : {pictures, dir + sheets, deep})
    CreateDirectoryA(folder.c_str(), nullptr);
  RemoveDirectoryA(dusk.c_str());  // left by an earlier run
  for (const std::string& file : {autumn, inn, dusk, beside})
    ASSERT_TRUE(WriteTestBitmap(file.c_str(), 64, 48)) << file;
  ASSERT_TRUE(CopyFileA(e2e::Beside("scenewheel.exe").c_str(), exe.c_str(), FALSE));
  char shortExe[MAX_PATH], shortBeside[MAX_PATH];
  GetShortPathNameA(exe.c_str(), shortExe, MAX_PATH);
  GetShortPathNameA(beside.c_str(), shortBeside, MAX_PATH);
  const std::string listed = nt ? shortBeside : beside, program = nt ? shortExe : exe;
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
  testreg::SetText(DESKTOP_KEY, "Wallpaper", own);

  e2e::App app;
  ASSERT_TRUE(app.Open(e2e::Wide(exe)));
  app.Click(IDC_MODE_DAILY);
  const std::string upperAutumn = "c:" + autumn.substr(2);
  for (const std::string& file : {autumn, inn, beside, dusk, upperAutumn})
    EXPECT_TRUE(app.Answer(IDC_ADD, "Open a bitmap file", IDOK, e2e::Wide(file))) << file;
  e2e::App logon;
  ASSERT_TRUE(logon.Run(e2e::Wide("\"" + exe + "\" A")));
  HWND box = logon.Window();
  EXPECT_TRUE(
      FindWindowExA(box, nullptr, "Static", "Only one instance of this program can run at a time"));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(0, logon.Wait());
  app.Send(IDC_LIST, LB_SETCARETINDEX, 2);
  app.Click(IDC_SELECT);
  app.Click(IDOK);
  EXPECT_EQ(1, app.Wait());
  std::string saved;
  for (const char* name : {"Bitmap00", "Bitmap01", "Bitmap02", "Bitmap03", "Bitmap04", "Path"})
    saved += Text(PROGRAM_KEY, name) + "|";
  EXPECT_EQ(autumn + "|" + inn + "|" + listed + "|" + dusk + "|<missing>|" +
                "c:" + pictures.substr(2) + "\\|",
            saved);
  EXPECT_TRUE(e2e::ShowsWallpaper(listed));
  const std::string command = Text(RUN_KEY, RUN_VALUE_NAME);
  EXPECT_EQ(program + " A", command);

  // The logon run, traced (a started program takes its debug channels from
  // the environment that it gets).
  DeleteFileA(dusk.c_str());
  CreateDirectoryA(dusk.c_str(), nullptr);                    // the next entry is a folder now
  testreg::SetNumber(PROGRAM_KEY, "LastChange", 0x07D30C11);  // 2003-12-17: a change is due
  testreg::SetText("Software\\Wine\\Debug", "RelayInclude",
                   "SetErrorMode;GetVersionExA;CreateMutexA;GetModuleFileNameA;"
                   "GetModuleFileNameW;GetFileAttributesA;RegCreateKeyExA");
  SetEnvironmentVariableA("WINEDEBUG", "+relay");
  e2e::App run;
  ASSERT_TRUE(run.Run(e2e::Wide(command)));
  SetEnvironmentVariableA("WINEDEBUG", "-all");
  int windows = 0;
  EXPECT_EQ(0, run.Wait(&windows));
  EXPECT_EQ(0, windows);
  testreg::DeleteValue("Software\\Wine\\Debug", "RelayInclude");
  EXPECT_TRUE(e2e::ShowsWallpaper(autumn));  // past the folder, back to the first
  // The calls from the program's own image: the first turns the system's
  // error boxes off; the key gets the security record (the seventh
  // argument) from NT 4.0 on, none before.
  const std::string calls{std::istreambuf_iterator<char>(std::ifstream(getenv("SW_TRACE")).rdbuf()),
                          {}};
  std::smatch call, created;
  ASSERT_TRUE(std::regex_search(calls, call, std::regex(":Call ([^\\n]*) ret=004")));
  EXPECT_EQ("KERNEL32.SetErrorMode(00008001)", call[1]);
  const std::regex create("RegCreateKeyExA\\((?:[^,]*,){6}([0-9a-f]{8})[^\\n]* ret=004");
  ASSERT_TRUE(std::regex_search(calls, created, create));
  EXPECT_EQ(nt && version.dwMajorVersion >= 4, created[1] != "00000000") << created[1];

  // Yes to the removal as well: the program's file is marked for deletion
  // at the next start (a mark that this test takes back).
  const char* session = "System\\CurrentControlSet\\Control\\Session Manager";
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, session, "PendingFileRenameOperations");  // left over
  ASSERT_TRUE(app.Open(e2e::Wide(exe)));
  ASSERT_TRUE(app.Answer(IDC_CLEAR, "Question", IDYES));
  EXPECT_EQ(0, app.Wait());
  EXPECT_EQ(0, RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, session, "PendingFileRenameOperations"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY));  // gone already
  EXPECT_EQ("<missing>|" + own,
            Text(RUN_KEY, RUN_VALUE_NAME) + "|" + Text(DESKTOP_KEY, "Wallpaper"));
}

// What Explorer's file properties show, read from the program file with the
// system's version calls: version 1.0.0.0, the maker, the product, a
// description and the file's own name, in U.S. English with code page 1252.
TEST(ProgramFile, SaysWhatItIs) {
  const std::string exe = e2e::Beside("scenewheel.exe");
  std::string info(GetFileVersionInfoSizeA(exe.c_str(), nullptr), 0), texts;
  ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, DWORD(info.size()), &info[0]));
  auto value = [&info](const std::string& name) {
    void* found = nullptr;
    UINT size = 0;
    return VerQueryValueA(info.data(), name.c_str(), &found, &size) ? (const DWORD*)found : nullptr;
  };
  // The fixed part: file and product version, after its signature and layout.
  EXPECT_EQ(std::vector<DWORD>({0x10000, 0, 0x10000, 0}),
            std::vector<DWORD>(value("\\") + 2, value("\\") + 6));
  EXPECT_EQ(0x04E40409u, *value("\\VarFileInfo\\Translation"));
  for (const char* name :
       {"CompanyName", "ProductName", "FileDescription", "FileVersion", "OriginalFilename"})
    texts +=
        (const char*)value("\\StringFileInfo\\040904E4\\" + std::string(name)) + std::string("|");
  EXPECT_EQ("OrvanDale|OrvanDale Scenewheel|Desktop wallpaper rotation|1.0.0.0|scenewheel.exe|",
            texts);
}
