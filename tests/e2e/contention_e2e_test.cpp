// Many logon runs at once, and a logon run while the dialog is open: the
// single-instance mutex lets each start either run or be refused with its
// message, and every start that ran advanced the index exactly once.
#include <windows.h>
#include <gtest/gtest.h>
#include <vector>
#include "settings/settings_state.h"
#include "tests/e2e/dialog_driver.h"

using namespace testreg;

namespace {

const char* const Refusal = "Only one instance of this program can run at a time";

void StoreEveryBoot() {
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
  SetText(PROGRAM_KEY, "ChangeMode", "B");
  SetNumber(PROGRAM_KEY, "SelectedBmp", 0);
  SetNumber(PROGRAM_KEY, "BmpCount", 32);
  SetNumber(PROGRAM_KEY, "LastChange", 0);
  for (int i = 0; i < 32; ++i) {
    char name[ENTRY_NAME_SIZE];
    FormatEntryName(name, i);
    SetText(PROGRAM_KEY, name, "C:\\walls\\" + std::to_string(i) + ".bmp");
  }
}

// Answers every refusal box of the given starts and waits for them all.
// Returns how many were refused; fails on any other window or exit code.
int SettleStarts(std::vector<e2e::Started>& starts) {
  int refused = 0;
  for (e2e::Started& s : starts) {
    bool answered = false;
    for (int t = 0; t < 1500 && WaitForSingleObject(s.pi.hProcess, 20) == WAIT_TIMEOUT; ++t) {
      for (HWND w : e2e::WindowsOf(s.pi.dwProcessId)) {
        std::string texts = e2e::TextsOf(w);
        EXPECT_NE(texts.find(Refusal), std::string::npos) << texts;
        if (!answered) ++refused;
        answered = true;
        PostMessageA(w, WM_COMMAND, IDOK, 0);
      }
    }
    EXPECT_EQ(e2e::WaitWatching(s, 5000, nullptr), 0);
  }
  return refused;
}

TEST(Contention, TwelveLogonRunsAtOnceEachRunOrAreRefused) {
  StoreEveryBoot();
  std::vector<e2e::Started> starts;
  for (int i = 0; i < 12; ++i) {
    starts.push_back(e2e::Start(e2e::ProgramFile() + " A"));
    ASSERT_TRUE(starts.back().ok);
  }
  int refused = SettleStarts(starts);
  int ran = 12 - refused;
  printf("12 starts: %d ran, %d refused\n", ran, refused);
  EXPECT_GE(ran, 1);
  DWORD selected = Number(PROGRAM_KEY, "SelectedBmp");
  EXPECT_EQ(selected, (DWORD)ran);
  char name[ENTRY_NAME_SIZE];
  FormatEntryName(name, (int)selected);
  EXPECT_EQ(Text(DESKTOP_KEY, "Wallpaper"), Text(PROGRAM_KEY, name));
  EXPECT_EQ(Number(PROGRAM_KEY, "BmpCount"), 32u);
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
}

TEST(Contention, ALogonRunWhileTheDialogIsOpenChangesNothing) {
  StoreEveryBoot();
  SetText(DESKTOP_KEY, "Wallpaper", "C:\\before.bmp");
  e2e::Started dialog = e2e::Start(e2e::ProgramFile());
  ASSERT_TRUE(dialog.ok);
  HWND main = e2e::WaitForWindow(dialog, 20000);
  ASSERT_NE(main, nullptr);

  std::vector<e2e::Started> starts{e2e::Start(e2e::ProgramFile() + " A")};
  EXPECT_EQ(SettleStarts(starts), 1);
  EXPECT_EQ(Number(PROGRAM_KEY, "SelectedBmp"), 0u);
  EXPECT_EQ(Number(PROGRAM_KEY, "LastChange"), 0u);
  EXPECT_EQ(Text(DESKTOP_KEY, "Wallpaper"), "C:\\before.bmp");

  PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(e2e::WaitWatching(dialog, 20000, nullptr), 0);
  RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
}

}  // namespace
