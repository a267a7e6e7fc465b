// Starts the real scenewheel.exe from an end-to-end test, watches the
// windows it shows and drives its dialog through the real controls.
#pragma once
#include <windows.h>
#include <string>
#include "settings/settings_state.h"
#include "tests/win32/test_registry_win32.h"

namespace e2e {

// scenewheel.exe, which the build puts beside the test program.
inline std::string ProgramFile() {
  char path[MAX_PATH];
  std::string s(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  return s.substr(0, s.find_last_of('\\') + 1) + "scenewheel.exe";
}

inline uint32_t Today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return PackDate(t.wYear, t.wMonth, t.wDay);
}

struct Search {
  DWORD pid;
  HWND found;
};
inline BOOL CALLBACK FindShown(HWND w, LPARAM p) {
  Search* s = (Search*)p;
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner == s->pid && IsWindowVisible(w)) s->found = w;
  return !s->found;
}

struct App {
  PROCESS_INFORMATION pi{};
  HWND dialog = nullptr;

  // A visible top-level window of the process, or null.
  HWND Shown() const {
    Search s{pi.dwProcessId, nullptr};
    EnumWindows(FindShown, (LPARAM)&s);
    return s.found;
  }

  // Starts a command line as the Run key or the shell would.
  bool Run(std::string command) {
    STARTUPINFOA si{sizeof si};
    return CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  }
  // Waits up to 20 s for a visible window of the process (titled title, when given).
  HWND Window(const char* title = nullptr) const {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(30)) {
      HWND w = Shown();
      if (w && title) w = FindWindowA("#32770", title);
      if (w && IsWindowVisible(w)) return w;
    }
    return nullptr;
  }
  bool Open() { return Run("\"" + ProgramFile() + "\"") && (dialog = Window("OrvanDale Scenewheel v.1.00")); }
  // The exit code once the process ended (-1 after 20 s); counts its visible windows meanwhile.
  int Wait(int* windows = nullptr) {
    DWORD code = (DWORD)-1, t = 0;
    for (; WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT && t < 1000; ++t)
      if (windows && Shown()) ++*windows;
    if (t == 1000) TerminateProcess(pi.hProcess, (DWORD)-1);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess), CloseHandle(pi.hThread);
    pi = {};
    return (int)code;
  }
  HWND Item(int id) const { return GetDlgItem(dialog, id); }
  LRESULT Send(int id, UINT m, WPARAM w = 0, LPARAM l = 0) const {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(Item(id), m, w, l, SMTO_NORMAL, 10000, &r);
    return (LRESULT)r;
  }
  void Click(int id) const { Send(id, BM_CLICK); }
  bool Checked(int id) const { return Send(id, BM_GETCHECK) == BST_CHECKED; }
  bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
  // Texts through the wide messages: Wine hands the ANSI forms back unconverted across processes.
  std::string Text(int id, int entry = -1) const {
    wchar_t w[300] = L"";
    char out[600] = "";
    if (entry < 0 || Send(id, LB_GETTEXTLEN, entry) < 290)
      SendMessageW(Item(id), entry < 0 ? WM_GETTEXT : LB_GETTEXT, entry < 0 ? 300 : entry, (LPARAM)w);
    WideCharToMultiByte(CP_ACP, 0, w, -1, out, sizeof out, nullptr, nullptr);
    return out;
  }
  std::string List() const {
    std::string all;
    for (int i = 0; i < Send(1120, LB_GETCOUNT); ++i) all += Text(1120, i) + "|";
    return all;
  }
  // A mouse click on entry i of the list, as a user makes it.
  void ClickEntry(int i) const {
    LPARAM at = MAKELPARAM(8, (int)Send(1120, LB_GETITEMHEIGHT) * (2 * i + 1) / 2);
    Send(1120, WM_LBUTTONDOWN, MK_LBUTTON, at), Send(1120, WM_LBUTTONUP, 0, at);
  }
  // Clicks button id, then in the modal window titled title puts file into
  // the open-file dialog's name field (when given) and clicks answer.
  bool Answer(int id, const char* title, int answer, const std::string& file = "") {
    PostMessageA(Item(id), BM_CLICK, 0, 0);
    HWND modal = Window(title);
    HWND name = modal ? GetDlgItem(modal, 0x480) : nullptr;  // edt1, else the combo box cmb13
    if (!name && modal) name = GetDlgItem(modal, 0x47C);
    if (!modal || (!file.empty() && !SendMessageA(name, WM_SETTEXT, 0, (LPARAM)file.c_str()))) return false;
    PostMessageA(GetDlgItem(modal, answer), BM_CLICK, 0, 0);
    for (DWORD start = GetTickCount(); IsWindow(modal); Sleep(30))
      if (GetTickCount() - start > 20000) return false;
    return true;
  }
};

// Whether the system shows path as the wallpaper, asked by a new process:
// each process keeps the value it read first.
inline bool ShowsWallpaper(const std::string& path) {
  std::string probe = ProgramFile();
  App p;
  return p.Run("\"" + probe.replace(probe.size() - 14, 14, "dialog_probe.exe") + "\" wallpaper \"" + path + "\"") &&
         p.Wait() == 0;
}

}  // namespace e2e
