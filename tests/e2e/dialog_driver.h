// Starts the real scenewheel.exe from an end-to-end test, watches the
// windows it shows and drives its dialog through the real controls.
#pragma once
#include <windows.h>
// The SDK's other headers build on <windows.h>.
#include <dlgs.h>

#include <string>

#include "res/resource.h"
#include "settings/settings_state.h"
#include "tests/win32/test_registry_win32.h"

namespace e2e {

// A program beside the test program: scenewheel.exe, or one of the tools.
inline std::string Beside(const char* name) {
  char path[MAX_PATH];
  std::string s(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  return s.substr(0, s.find_last_of('\\') + 1) + name;
}

// Text in the ANSI code page as wide text.
inline std::wstring Wide(const std::string& text) {
  wchar_t wide[2 * MAX_PATH];
  return std::wstring(wide,
                      MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 2 * MAX_PATH) - 1);
}

// Records a visible window and ends the search.
inline BOOL CALLBACK FindShown(HWND w, LPARAM found) {
  if (IsWindowVisible(w)) *(HWND*)found = w;
  return !*(HWND*)found;
}

struct App {
  PROCESS_INFORMATION pi{};
  HWND dialog = nullptr;

  bool Run(std::wstring command) {
    STARTUPINFOW si{sizeof si};
    return CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi);
  }
  // A visible window of the program's thread, or null.
  HWND Shown() const {
    HWND found = nullptr;
    EnumThreadWindows(pi.dwThreadId, FindShown, (LPARAM)&found);
    return found;
  }
  // Waits up to 20 s for a visible window of the program's thread, or for one titled title.
  HWND Window(const char* title = nullptr) const {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(30)) {
      HWND w = Shown() && title ? FindWindowA("#32770", title) : Shown();
      if (w && IsWindowVisible(w)) return w;
    }
    return nullptr;
  }
  // Starts the program (a path) and waits for its dialog.
  bool Open(const std::wstring& program) {
    dialog = Run(L"\"" + program + L"\"") ? Window("OrvanDale Scenewheel v.1.00") : nullptr;
    return dialog != nullptr;
  }
  // The exit code once the process ended (-1 after 20 s); counts the polls that saw a window of it.
  int Wait(int* windows = nullptr) {
    DWORD code = (DWORD)-1;
    DWORD polls = 0;
    for (; WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT && polls < 1000; ++polls)
      if (windows && Shown()) ++*windows;
    if (polls == 1000) TerminateProcess(pi.hProcess, code);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return (int)code;
  }
  LRESULT Send(int id, UINT m, WPARAM w = 0, LPARAM l = 0) const {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), m, w, l, SMTO_NORMAL, 10000, &r);
    return (LRESULT)r;
  }
  void Click(int id) const { Send(id, BM_CLICK); }
  // Clicks button id, then in the modal window titled title types file into
  // the open-file dialog's name field (an edit or a combo box) and clicks answer.
  bool Answer(int id, const char* title, int answer, const std::wstring& file = L"") const {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    HWND modal = Window(title);
    HWND name = GetDlgItem(modal, edt1) ? GetDlgItem(modal, edt1) : GetDlgItem(modal, cmb13);
    if (!modal) return false;
    if (!file.empty() && !SendMessageW(name, WM_SETTEXT, 0, (LPARAM)file.c_str())) return false;
    PostMessageA(GetDlgItem(modal, answer), BM_CLICK, 0, 0);
    for (DWORD start = GetTickCount(); IsWindow(modal) && GetTickCount() - start < 20000;)
      Sleep(30);
    return !IsWindow(modal);
  }
};

// Whether the system shows path as the wallpaper, asked by a new process.
inline bool ShowsWallpaper(const std::string& path) {
  App probe;
  return probe.Run(Wide("\"" + Beside("wallpaper_probe.exe") + "\" \"" + path + "\"")) &&
         probe.Wait() == 0;
}

}  // namespace e2e
