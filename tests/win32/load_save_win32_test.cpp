// Load, save and clear against the real registry, with a real list box,
// edit and preview control standing in for the dialog's.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <iterator>
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
#include "tests/win32/test_registry_win32.h"

namespace {

std::vector<std::string> Messages;
void RecordMessage(const char* text) { Messages.push_back(text); }

using namespace testreg;

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
  EXPECT_EQ(Text(PROGRAM_KEY, "ChangeMode"), "D");
  EXPECT_EQ(Text(PROGRAM_KEY, "Bitmap00"), a);
  EXPECT_EQ(Text(PROGRAM_KEY, "Bitmap01"), b);
  EXPECT_EQ(Number(PROGRAM_KEY, "BmpCount"), 2u);
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 1u);
  EXPECT_EQ(Text(PROGRAM_KEY, "WindowsWallpaper"), "C:\\windows\\before.bmp");
  EXPECT_EQ(Text(RUN_KEY, RUN_VALUE_NAME),
            "\"C:\\Program Files\\Scenewheel\\scenewheel.exe\" A");
  EXPECT_EQ(Text(DESKTOP_KEY, "Wallpaper"), b);

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
  EXPECT_EQ(Text(RUN_KEY, RUN_VALUE_NAME), "<missing>");
  SetText(RUN_KEY, RUN_VALUE_NAME, "x A");
  EXPECT_EQ(ClearSettings(), 1);
  EXPECT_FALSE(KeyExists(PROGRAM_KEY));
  EXPECT_TRUE(KeyExists("Software\\OrvanDale"));
  EXPECT_EQ(Text(RUN_KEY, RUN_VALUE_NAME), "<missing>");
  EXPECT_EQ(Text(DESKTOP_KEY, "Wallpaper"), "C:\\windows\\before.bmp");
  EXPECT_TRUE(Messages.empty());
  DeleteFileA(a.c_str());
  DeleteFileA(b.c_str());
}

TEST_F(Win32Settings, FilesThatAreNoBitmapsPreviewTheLogo) {
  std::string good = std::string(folder) + "sw_good.bmp", bad = std::string(folder) + "sw_bad.bmp";
  WriteTestBitmap(good.c_str(), 16, 16);
  std::ifstream in(good, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Empty, not a bitmap, only the file header: the logo. Cut short in the
  // header or the pixels: the system may show what is there (Wine does);
  // the preview must show something and not crash.
  struct Case {
    std::string content;
    bool logo;
  } cases[] = {{"", true}, {"this is not a bitmap", true}, {bytes.substr(0, 14), true},
               {bytes.substr(0, 30), false}, {bytes.substr(0, 60), false}};
  for (const Case& c : cases) {
    std::ofstream(bad, std::ios::binary) << c.content;
    ShowPreview(good.c_str());
    EXPECT_NE(Shown(), LogoBitmap);
    ShowPreview(bad.c_str());
    if (c.logo) EXPECT_EQ(Shown(), LogoBitmap) << c.content.size();
    EXPECT_NE(Shown(), nullptr);
  }
  DeleteFileA(bad.c_str());
  ShowPreview((std::string(folder) + "sw_nowhere.bmp").c_str());
  EXPECT_EQ(Shown(), LogoBitmap);
  DeleteFileA(good.c_str());
}

}  // namespace
