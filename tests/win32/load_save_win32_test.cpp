// Load, save and clear against the real registry, with a real list box,
// edit and preview control standing in for the dialog's.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "dialog/dialog_view.h"
#include "dialog/main_dialog_win32.h"
#include "dialog/wallpaper_list.h"
#include "res/resource.h"
#include "settings/load_save.h"
#include "settings/registry.h"
#include "settings/settings_state.h"
#include "tests/win32/test_bitmap_win32.h"

namespace {

std::vector<std::string> Messages;
void RecordMessage(const char* text) { Messages.push_back(text); }

std::string ReadText(const char* key, const char* name, bool* found = nullptr) {
  HKEY h;
  char buffer[600] = "";
  DWORD size = sizeof buffer;
  bool ok = RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) == ERROR_SUCCESS;
  if (ok) {
    ok = RegQueryValueExA(h, name, nullptr, nullptr, (BYTE*)buffer, &size) == ERROR_SUCCESS;
    RegCloseKey(h);
  }
  if (found) *found = ok;
  return ok ? std::string(buffer) : std::string();
}

DWORD ReadNumber(const char* key, const char* name) {
  HKEY h;
  DWORD v = 0xDEADBEEF, size = 4;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) == ERROR_SUCCESS) {
    RegQueryValueExA(h, name, nullptr, nullptr, (BYTE*)&v, &size);
    RegCloseKey(h);
  }
  return v;
}

void SetRaw(const char* key, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY h;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(h, name, 0, type, (const BYTE*)data, size);
  RegCloseKey(h);
}

void SetText(const char* key, const char* name, const std::string& text) {
  SetRaw(key, name, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

bool KeyExists(const char* key) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}


class Win32Settings : public ::testing::Test {
 protected:
  HWND parent = nullptr;
  char folder[MAX_PATH];

  void SetUp() override {
    parent = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr,
                             nullptr, nullptr);
    CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_NOTIFY | LBS_EXTENDEDSEL, 0, 0, 300, 100,
                    parent, (HMENU)IDC_LIST, nullptr, nullptr);
    CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_READONLY, 0, 110, 300, 20, parent,
                    (HMENU)IDC_CURRENT, nullptr, nullptr);
    CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_BITMAP | SS_CENTERIMAGE, 0, 140, 102, 85,
                    parent, (HMENU)IDC_PREVIEW, nullptr, nullptr);
    DialogWindow = parent;
    LogoBitmap = CreateBitmap(8, 8, 1, 1, nullptr);
    Desktop.ShowMessage = RecordMessage;
    Messages.clear();
    SettingsState = InitialSettingsState();
    strcpy(SettingsState.ProgramPath, "C:\\Program Files\\Scenewheel\\scenewheel.exe");
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    SetText(DESKTOP_KEY, "Wallpaper", "C:\\windows\\before.bmp");
    SetText(DESKTOP_KEY, "TileWallpaper", "0");
    GetTempPathA(MAX_PATH, folder);
  }
  void TearDown() override {
    DestroyWindow(parent);
    DeleteObject(LogoBitmap);
    LogoBitmap = nullptr;
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
  }
  HWND List() { return GetDlgItem(parent, IDC_LIST); }
  HBITMAP Shown() {
    return (HBITMAP)SendDlgItemMessageA(parent, IDC_PREVIEW, STM_GETIMAGE, IMAGE_BITMAP, 0);
  }
  std::string Current() {
    char text[300] = "";
    GetDlgItemTextA(parent, IDC_CURRENT, text, sizeof text);
    return text;
  }
};

TEST_F(Win32Settings, SaveThenLoadRoundTripsThroughTheRealRegistry) {
  ASSERT_EQ(LoadSettings(), 1);
  EXPECT_TRUE(KeyExists(PROGRAM_KEY));
  EXPECT_STREQ(SettingsState.WindowsWallpaper, "C:\\windows\\before.bmp");
  std::string a = std::string(folder) + "sw_a.bmp", b = std::string(folder) + "sw_b.bmp";
  WriteTestBitmap(a.c_str(), 40, 30);
  WriteTestBitmap(b.c_str(), 40, 30);
  for (const std::string& p : {a, b}) {
    strcpy(ChosenFile, p.c_str());
    EXPECT_EQ(AddChosenFile(), 1);
  }
  // Select b through the real list box: caret and selection.
  SendMessageA(List(), LB_SETSEL, TRUE, 1);
  SendMessageA(List(), LB_SETCARETINDEX, 1, 0);
  EXPECT_EQ(SelectCurrentEntry(), 1);
  EXPECT_EQ(Current(), b);
  HBITMAP shown = Shown();
  ASSERT_NE(shown, nullptr);
  ASSERT_NE(shown, LogoBitmap);
  BITMAP info;
  GetObjectA(shown, sizeof info, &info);
  RECT client;
  GetClientRect(GetDlgItem(parent, IDC_PREVIEW), &client);
  EXPECT_EQ(info.bmWidth, client.right);  // stretched to the client area
  EXPECT_EQ(info.bmHeight, client.bottom);

  SettingsState.Mode = 'D';
  strcpy(SettingsState.Path, folder);
  ASSERT_EQ(SaveSettings(), 1);
  EXPECT_EQ(ReadText(PROGRAM_KEY, "ChangeMode"), "D");
  EXPECT_EQ(ReadText(PROGRAM_KEY, "Bitmap00"), a);
  EXPECT_EQ(ReadText(PROGRAM_KEY, "Bitmap01"), b);
  EXPECT_EQ(ReadNumber(PROGRAM_KEY, "BmpCount"), 2u);
  EXPECT_EQ(ReadNumber(PROGRAM_KEY, "SelectedBmp"), 1u);
  EXPECT_EQ(ReadText(PROGRAM_KEY, "WindowsWallpaper"), "C:\\windows\\before.bmp");
  EXPECT_EQ(ReadText(RUN_KEY, RUN_VALUE_NAME),
            "\"C:\\Program Files\\Scenewheel\\scenewheel.exe\" A");
  EXPECT_EQ(ReadText(DESKTOP_KEY, "Wallpaper"), b);

  // A fresh dialog loads the same list, mode and current entry.
  SendMessageA(List(), LB_RESETCONTENT, 0, 0);
  SetDlgItemTextA(parent, IDC_CURRENT, "");
  SettingsState = InitialSettingsState();
  ASSERT_EQ(LoadSettings(), 1);
  EXPECT_EQ(SettingsState.Mode, 'D');
  EXPECT_EQ(SettingsState.BmpCount, 2);
  EXPECT_EQ(SettingsState.SelectedBmp, 1);
  EXPECT_EQ(Current(), b);
  EXPECT_STREQ(SettingsState.Path, folder);

  // Manual deletes the Run value; Clear restores the wallpaper and removes the key.
  SettingsState.Mode = 'M';
  SaveSettings();
  bool found = true;
  ReadText(RUN_KEY, RUN_VALUE_NAME, &found);
  EXPECT_FALSE(found);
  SetText(RUN_KEY, RUN_VALUE_NAME, "x A");
  EXPECT_EQ(ClearSettings(), 1);
  EXPECT_FALSE(KeyExists(PROGRAM_KEY));
  EXPECT_TRUE(KeyExists("Software\\OrvanDale"));
  ReadText(RUN_KEY, RUN_VALUE_NAME, &found);
  EXPECT_FALSE(found);
  EXPECT_EQ(ReadText(DESKTOP_KEY, "Wallpaper"), "C:\\windows\\before.bmp");
  EXPECT_TRUE(Messages.empty());
  DeleteFileA(a.c_str());
  DeleteFileA(b.c_str());
}

TEST_F(Win32Settings, OddStoredValuesLoadSafely) {
  SetRaw(PROGRAM_KEY, "ChangeMode", REG_BINARY, "W", 1);
  SetRaw(PROGRAM_KEY, "LastChange", REG_BINARY, "\x05", 1);
  SetText(PROGRAM_KEY, "WinTileWallpaper", "123456789012");
  SetText(PROGRAM_KEY, "WindowsWallpaper", "C:\\kept.bmp");
  for (int i = 0; i < 40; ++i) {
    char name[ENTRY_NAME_SIZE];
    FormatEntryName(name, i);
    SetText(PROGRAM_KEY, name, std::string(folder) + "missing" + std::to_string(i) + ".bmp");
  }
  SetRaw(PROGRAM_KEY, "SelectedBmp", REG_DWORD, "\xff\xff\xff\x7f", 4);
  ASSERT_EQ(LoadSettings(), 1);
  EXPECT_EQ(SettingsState.Mode, 'W');
  EXPECT_EQ(SettingsState.LastChange, 5u);
  EXPECT_STREQ(SettingsState.WinTileWallpaper, "1234567");
  EXPECT_EQ(SendMessageA(List(), LB_GETCOUNT, 0, 0), 32);
  EXPECT_EQ(SettingsState.BitmapValuesSeen, 40u);
  EXPECT_EQ(SettingsState.SelectedBmp, 0);
  EXPECT_EQ(Shown(), LogoBitmap);  // a missing file previews the logo
  SaveSettings();
  bool found = true;
  ReadText(PROGRAM_KEY, "Bitmap39", &found);
  EXPECT_FALSE(found);
  EXPECT_EQ(ReadNumber(PROGRAM_KEY, "BmpCount"), 32u);
}

TEST_F(Win32Settings, FilesThatAreNoBitmapsPreviewTheLogo) {
  std::string good = std::string(folder) + "sw_good.bmp";
  WriteTestBitmap(good.c_str(), 16, 16);
  FILE* f = fopen(good.c_str(), "rb");
  std::string bytes(2000, '\0');
  bytes.resize(fread(&bytes[0], 1, bytes.size(), f));
  fclose(f);
  struct Case {
    const char* name;
    std::string content;
  } cases[] = {{"sw_empty.bmp", ""},
               {"sw_text.bmp", "this is not a bitmap"},
               {"sw_header.bmp", bytes.substr(0, 14)}};
  for (const Case& c : cases) {
    std::string path = std::string(folder) + c.name;
    FILE* out = fopen(path.c_str(), "wb");
    fwrite(c.content.data(), 1, c.content.size(), out);
    fclose(out);
    ShowPreview(good.c_str());
    EXPECT_NE(Shown(), LogoBitmap);
    ShowPreview(path.c_str());
    EXPECT_EQ(Shown(), LogoBitmap) << c.name;
    DeleteFileA(path.c_str());
  }
  // Cut short in the header or the pixels: the system may show what is
  // there (Wine does); the preview must show something and not crash.
  for (size_t length : {30, 60}) {
    std::string cut = std::string(folder) + "sw_cut.bmp";
    FILE* out = fopen(cut.c_str(), "wb");
    fwrite(bytes.data(), 1, length, out);
    fclose(out);
    ShowPreview(cut.c_str());
    EXPECT_NE(Shown(), nullptr);
    DeleteFileA(cut.c_str());
  }
  ShowPreview((std::string(folder) + "sw_nowhere.bmp").c_str());
  EXPECT_EQ(Shown(), LogoBitmap);
  DeleteFileA(good.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
