// Hand-made registries that other programs or people could leave behind,
// each met by the real program: the unattended start with "A" must end
// with 0, show nothing and write only the index, the date and the desktop
// wallpaper; the dialog must open with what could be loaded, and a Save
// must leave a registry that the next start loads back unchanged.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>
#include "res/resource.h"
#include "settings/settings_state.h"
#include "tests/e2e/dialog_driver.h"

using namespace testreg;

namespace {

const char* kBackup = "Software\\OrvanDaleTest\\DesktopCopy";
const std::string kDesk = "C:\\windows\\orig.bmp";

std::string W(int i) { return "C:\\walls\\w" + std::to_string(i) + ".bmp"; }
std::string Entry(int i) {
  char name[ENTRY_NAME_SIZE];
  FormatEntryName(name, i);
  return name;
}

// A tidy store of n entries with the given mode and index, on which each
// case then makes its mess.
void Store(const char* mode, int n, DWORD selected) {
  SetText(PROGRAM_KEY, "ChangeMode", mode);
  SetNumber(PROGRAM_KEY, "BmpCount", (DWORD)n);
  SetNumber(PROGRAM_KEY, "SelectedBmp", selected);
  SetNumber(PROGRAM_KEY, "LastChange", 0);
  SetText(PROGRAM_KEY, "WindowsWallpaper", kDesk);
  for (int i = 0; i < n; ++i) SetText(PROGRAM_KEY, Entry(i).c_str(), W(i));
}

std::vector<std::string> Ws(int n) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) out.push_back(W(i));
  return out;
}

// The tree functions come from advapi32 by name: older headers lack them.
typedef LONG(WINAPI* CopyTreeFn)(HKEY, LPCSTR, HKEY);
typedef LONG(WINAPI* DeleteTreeFn)(HKEY, LPCSTR);
LONG CopyTree(const char* from, const char* to) {
  HMODULE advapi = GetModuleHandleA("advapi32.dll");
  CopyTreeFn copy = (CopyTreeFn)GetProcAddress(advapi, "RegCopyTreeA");
  HKEY src, dst;
  if (!copy || RegOpenKeyExA(HKEY_CURRENT_USER, from, 0, KEY_READ, &src)) return -1;
  LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &dst,
                            nullptr);
  if (rc == 0) {
    rc = copy(src, nullptr, dst);
    RegCloseKey(dst);
  }
  RegCloseKey(src);
  return rc;
}
LONG DeleteTree(const char* key) {
  DeleteTreeFn del =
      (DeleteTreeFn)GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteTreeA");
  return del ? del(HKEY_CURRENT_USER, key) : -1;
}

struct Case {
  const char* what;
  std::function<void()> make;
  std::vector<std::string> list;  // what the dialog lists, in order
  int radio;                      // the mode radio it marks
  std::string runApplies;         // the wallpaper the "A" start applies; "" for none
  // Values the first Save may not write yet (a capture that needs a
  // wallpaper stored first); the second Save writes them.
  std::set<std::string> settleLater;
};

std::vector<Case> Cases() {
  // Name order, as the store enumerates: Bitmap10, Bitmap100 .. Bitmap109, Bitmap11, ...
  std::vector<std::pair<std::string, std::string>> named;
  for (int i = 0; i < 200; ++i) named.push_back({Entry(i), W(i)});
  std::sort(named.begin(), named.end());
  std::vector<std::string> first200;
  for (int i = 0; i < 32; ++i) first200.push_back(named[i].second);
  const std::string x = "C:\\walls\\x.bmp", lng = "C:\\walls\\long.bmp";
  return {
      {"wrong types",
       [] {
         Store("D", 3, 1);
         SetRaw(PROGRAM_KEY, "ChangeMode", REG_DWORD, std::string("B\0\0\0", 4));
         SetText(PROGRAM_KEY, "SelectedBmp", "1");
         SetText(PROGRAM_KEY, "LastChange", "x");
         SetRaw(PROGRAM_KEY, "BmpCount", REG_BINARY, "\3");
         SetRaw(PROGRAM_KEY, "Bitmap01", REG_BINARY, W(1));  // no terminator
       },
       Ws(3), IDC_MODE_BOOT, "", {}},
      {"oversized values",
       [] {
         Store("D", 3, 0);
         SetText(PROGRAM_KEY, "Path", std::string(300, 'p'));
         SetText(PROGRAM_KEY, "WindowsWallpaper", std::string(400, 'v'));
         SetText(PROGRAM_KEY, "Bitmap01", std::string(300, 'b'));
       },
       {W(0), W(2)}, IDC_MODE_DAILY, "", {}},
      {"names of 31 characters",
       [] {
         Store("M", 2, 0);
         SetText(PROGRAM_KEY, ("BitmapLong" + std::string(21, 'q')).c_str(), "C:\\walls\\long.bmp");
         SetText(PROGRAM_KEY, ("Zz" + std::string(29, 'z')).c_str(), "junk");
       },
       {W(0), W(1), lng}, IDC_MODE_MANUAL, "", {}},
      {"names of 32 characters",
       [] {
         Store("W", 3, 2);
         SetText(PROGRAM_KEY, ("Bitmap00" + std::string(24, 'z')).c_str(), "hid");
         SetText(PROGRAM_KEY, ("A" + std::string(31, 'a')).c_str(), "first");
       },
       Ws(3), IDC_MODE_WEEKLY, W(0), {}},
      {"40 Bitmap values", [] { Store("B", 40, 35); }, Ws(32), IDC_MODE_BOOT, W(0), {}},
      {"200 Bitmap values", [] { Store("D", 200, 150); }, first200, IDC_MODE_DAILY, W(0), {}},
      {"BitmapX", [] { Store("D", 3, 1); SetText(PROGRAM_KEY, "BitmapX", "C:\\walls\\x.bmp"); },
       {W(0), W(1), W(2), x}, IDC_MODE_DAILY, W(2), {}},
      {"an entry name in capitals",
       [] {
         Store("M", 3, 0);
         DeleteValue(PROGRAM_KEY, "Bitmap01");
         SetText(PROGRAM_KEY, "BITMAP01", W(1));
       },
       {W(0), W(2)}, IDC_MODE_MANUAL, "", {}},
      {"SelectedBmp -5", [] { Store("B", 3, (DWORD)-5); }, Ws(3), IDC_MODE_BOOT, W(0), {}},
      {"SelectedBmp 1000", [] { Store("D", 3, 1000); }, Ws(3), IDC_MODE_DAILY, W(0), {}},
      {"ChangeMode empty", [] { Store("B", 2, 0); SetText(PROGRAM_KEY, "ChangeMode", ""); }, Ws(2),
       IDC_MODE_DEFAULT, "", {}},
      {"ChangeMode dd", [] { Store("B", 2, 0); SetText(PROGRAM_KEY, "ChangeMode", "dd"); }, Ws(2),
       IDC_MODE_DEFAULT, "", {}},
      {"ChangeMode of 300 bytes",
       [] { Store("B", 2, 0); SetText(PROGRAM_KEY, "ChangeMode", std::string(299, 'B')); }, Ws(2),
       IDC_MODE_DEFAULT, "", {}},
      {"WinTileWallpaper of 20 characters",
       [] { Store("M", 2, 1); SetText(PROGRAM_KEY, "WinTileWallpaper", "12345678901234567890"); },
       Ws(2), IDC_MODE_MANUAL, "", {}},
      {"desktop Wallpaper of 259 characters, no program key",
       [] { SetText(DESKTOP_KEY, "Wallpaper", "C:\\" + std::string(252, 'w') + ".bmp"); }, {},
       IDC_MODE_DEFAULT, "", {}},
      {"program key missing", [] {}, {}, IDC_MODE_DEFAULT, "", {}},
      {"desktop key missing",
       [] {
         Store("B", 3, 1);
         DeleteValue(PROGRAM_KEY, "WindowsWallpaper");
         DeleteTree(DESKTOP_KEY);
       },
       Ws(3), IDC_MODE_BOOT, W(2), {"WindowsWallpaper", "WinTileWallpaper"}},
  };
}

// What one start of the dialog shows: the list, the current entry, the mode radio.
typedef std::tuple<std::vector<std::string>, std::string, int> View;

View Read(const e2e::Program& app) {
  View v;
  for (int i = 0; i < app.Count(IDC_LIST); ++i) std::get<0>(v).push_back(app.Entry(IDC_LIST, i));
  std::get<1>(v) = app.Text(IDC_CURRENT);
  for (int id = IDC_MODE_BOOT; id <= IDC_MODE_NONE; id += 10)
    if (app.Checked(id)) std::get<2>(v) = id;
  return v;
}

// The values of m but those named.
ValueMap Without(ValueMap m, const std::set<std::string>& names) {
  for (const std::string& n : names) m.erase(n);
  return m;
}

class HostileRegistry : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() {
    DeleteTree(kBackup);
    ASSERT_EQ(CopyTree(DESKTOP_KEY, kBackup), 0);
  }
  static void TearDownTestSuite() {
    Reset();
    DeleteTree("Software\\OrvanDaleTest");
  }
  // No program key, no Run value, the desktop as it was with a known wallpaper.
  static void Reset() {
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY);
    DeleteValue(RUN_KEY, RUN_VALUE_NAME);
    if (!KeyExists(DESKTOP_KEY)) CopyTree(kBackup, DESKTOP_KEY);
    SetText(DESKTOP_KEY, "Wallpaper", kDesk);
    SetText(DESKTOP_KEY, "TileWallpaper", "0");
  }
  void TearDown() override { Reset(); }
};

TEST_P(HostileRegistry, UnattendedStartWritesOnlyWhatItMay) {
  const Case c = Cases()[GetParam()];
  SCOPED_TRACE(c.what);
  Reset();
  c.make();
  ValueMap program = Values(PROGRAM_KEY);
  ValueMap desktop = Values(DESKTOP_KEY);
  ValueMap run = Values(RUN_KEY);

  e2e::Started s = e2e::Start(e2e::ProgramFile() + " A");
  int windows = -1;
  EXPECT_EQ(e2e::WaitWatching(s, 20000, &windows), 0);
  EXPECT_EQ(windows, 0);

  bool programAfter = false;
  ValueMap programNow = Values(PROGRAM_KEY, &programAfter);
  EXPECT_TRUE(programAfter);  // opening creates it
  EXPECT_EQ(Values(RUN_KEY), run);
  ValueMap desktopNow = Values(DESKTOP_KEY);
  if (c.runApplies.empty()) {
    EXPECT_EQ(programNow, program);
    EXPECT_EQ(desktopNow, desktop);
    return;
  }
  EXPECT_EQ(Without(programNow, {"SelectedBmp", "LastChange"}),
            Without(program, {"SelectedBmp", "LastChange"}));
  EXPECT_EQ(TextOf(desktopNow["Wallpaper"]), c.runApplies);
  EXPECT_EQ(Without(desktopNow, {"Wallpaper"}), Without(desktop, {"Wallpaper"}));
}

TEST_P(HostileRegistry, DialogShowsWhatLoadsAndASaveSettles) {
  const Case c = Cases()[GetParam()];
  SCOPED_TRACE(c.what);
  Reset();
  c.make();

  View first;
  ValueMap saved;
  for (int start = 0; start < 3; ++start) {
    e2e::Program app;
    ASSERT_TRUE(app.Start()) << "start " << start;
    View v = Read(app);
    const std::vector<std::string>& list = std::get<0>(v);
    const std::string& current = std::get<1>(v);
    if (start == 0) {
      first = v;
      EXPECT_EQ(list, c.list);
      EXPECT_EQ(std::get<2>(v), c.radio);
      // The current entry is one of the list, or empty with an empty list.
      EXPECT_TRUE(list.empty() ? current.empty()
                               : std::find(list.begin(), list.end(), current) != list.end())
          << current;
    } else {
      EXPECT_TRUE(v == first) << "start " << start << ": " << list.size() << " entries, current "
                              << current;
    }
    if (start == 2) {
      app.Click(IDCANCEL);
      EXPECT_EQ(app.Wait(), 0);
      break;
    }
    app.Click(IDOK);
    EXPECT_EQ(app.Wait(), 1);
    ValueMap now = Values(PROGRAM_KEY);
    // Exactly BmpCount entries from Bitmap00 onward, and no other Bitmap value.
    std::vector<std::string> entries, want;
    for (auto& kv : now)
      if (_strnicmp(kv.first.c_str(), "bitmap", 6) == 0) entries.push_back(kv.first);
    for (size_t i = 0; i < c.list.size(); ++i) want.push_back(Entry((int)i));
    std::sort(want.begin(), want.end());
    EXPECT_EQ(entries, want);
    EXPECT_EQ(NumberOf(now["BmpCount"]), c.list.size());
    std::set<std::string> unsettled = c.settleLater;
    unsettled.insert("LastChange");  // the date of the save
    if (start == 1) EXPECT_EQ(Without(now, unsettled), Without(saved, unsettled));
    saved = now;
  }
}

std::string CaseName(const ::testing::TestParamInfo<int>& info) {
  std::string n;
  for (char ch : std::string(Cases()[info.param].what))
    if (isalnum((unsigned char)ch)) n += ch;
  return n;
}

INSTANTIATE_TEST_SUITE_P(States, HostileRegistry, ::testing::Range(0, (int)Cases().size()),
                         CaseName);

}  // namespace
