// The real scenewheel.exe started with A under an emulated Windows 98 (no
// registry security) and Windows XP (keys created with the access list)
// must do the same for the user: the same exit code, the same registry
// values afterwards and the same wallpaper.
#include <windows.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <string>

namespace {

const char PROGRAM_KEY[] = "Software\\OrvanDale\\Scenewheel";
const char DESKTOP_KEY[] = "Control Panel\\Desktop";
const char APP_DEFAULTS[] = "Software\\Wine\\AppDefaults\\scenewheel.exe";

std::string ProgramPath() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  char* slash = strrchr(path, '\\');
  if (slash) slash[1] = 0;
  return std::string(path) + "scenewheel.exe";
}

void SetValue(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            0);
  RegSetValueExA(key, name, 0, type, (const BYTE*)data, size);
  RegCloseKey(key);
}
void SetText(const char* path, const char* name, const char* text) {
  SetValue(path, name, REG_SZ, text, (DWORD)strlen(text) + 1);
}
void SetNumber(const char* name, DWORD value) {
  SetValue(PROGRAM_KEY, name, REG_DWORD, &value, sizeof value);
}

std::string Text(const char* path, const char* name) {
  char buffer[MAX_PATH] = "<missing>";
  DWORD size = sizeof buffer;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != 0) return "<no key>";
  if (RegQueryValueExA(key, name, nullptr, nullptr, (BYTE*)buffer, &size) != 0)
    strcpy(buffer, "<missing>");
  RegCloseKey(key);
  return buffer;
}

// Every value of the program's key, in enumeration order, as text.
std::string ProgramValues() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, PROGRAM_KEY, 0, KEY_READ, &key) != 0) return "<no key>";
  std::string out;
  for (DWORD i = 0;; ++i) {
    char name[64];
    BYTE data[MAX_PATH];
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != 0) break;
    char line[400];
    if (type == REG_DWORD)
      snprintf(line, sizeof line, "%s=%lX;", name, *(DWORD*)data);
    else
      snprintf(line, sizeof line, "%s=%.*s;", name, (int)dataSize, (const char*)data);
    out += line;
  }
  RegCloseKey(key);
  return out;
}

DWORD RunProgram(const char* tail) {
  std::string path = ProgramPath();
  std::string line = "\"" + path + "\" " + tail;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(path.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return 0xDEAD;
  DWORD code = 0xBAD;
  if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  else TerminateProcess(pi.hProcess, 0xBAD);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

DWORD Today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t.wDay | t.wMonth << 8 | (DWORD)t.wYear << 16;
}

struct Outcome {
  DWORD exitCode;
  std::string values, wallpaper, shown;
};

// A Daily rotation of two bitmaps, last changed long ago, or no key at all.
Outcome RunUnattended(const char* version, bool withSettings) {
  SetText(APP_DEFAULTS, "Version", version);
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
  SetText(DESKTOP_KEY, "Wallpaper", "C:\\before.bmp");
  if (withSettings) {
    SetText(PROGRAM_KEY, "ChangeMode", "D");
    SetNumber("LastChange", 0x07D00101);
    SetNumber("SelectedBmp", 0);
    SetNumber("BmpCount", 2);
    SetText(PROGRAM_KEY, "Bitmap00", "C:\\first.bmp");
    SetText(PROGRAM_KEY, "Bitmap01", "C:\\second.bmp");
  }
  Outcome o;
  o.exitCode = RunProgram("A");
  o.values = ProgramValues();
  o.wallpaper = Text(DESKTOP_KEY, "Wallpaper");
  char shown[MAX_PATH] = "";
  SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof shown, shown, 0);
  o.shown = shown;
  return o;
}

class UnattendedVersions : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = Text(DESKTOP_KEY, "Wallpaper"); }
  void TearDown() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, APP_DEFAULTS);
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    if (saved_[0] != '<') SetText(DESKTOP_KEY, "Wallpaper", saved_.c_str());
  }
  std::string saved_;
};

TEST_F(UnattendedVersions, ADueChangeIsTheSameOnWindows98AndXp) {
  char expected[300];
  snprintf(expected, sizeof expected,
           "Bitmap00=C:\\first.bmp;Bitmap01=C:\\second.bmp;BmpCount=2;ChangeMode=D;"
           "LastChange=%lX;SelectedBmp=1;",
           Today());
  for (const char* version : {"win98", "winxp"}) {
    Outcome o = RunUnattended(version, true);
    EXPECT_EQ(o.exitCode, 0u) << version;
    EXPECT_EQ(o.values, expected) << version;
    EXPECT_EQ(o.wallpaper, "C:\\second.bmp") << version;
    EXPECT_EQ(o.shown, "C:\\second.bmp") << version;
  }
}

TEST_F(UnattendedVersions, AFirstRunCreatesTheKeyOnBoth) {
  // Under XP the key is created with the program's access list; the
  // registry must accept it just as it accepts the default under 98.
  for (const char* version : {"win98", "winxp"}) {
    Outcome o = RunUnattended(version, false);
    EXPECT_EQ(o.exitCode, 0u) << version;
    EXPECT_EQ(o.values, "") << version;
    EXPECT_EQ(o.wallpaper, "C:\\before.bmp") << version;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
