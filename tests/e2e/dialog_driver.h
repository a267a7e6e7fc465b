// Starts the real scenewheel.exe from an end-to-end test, watches the
// windows it shows and drives its dialog through the real controls.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "tests/win32/test_registry_win32.h"

namespace e2e {

// Full path of scenewheel.exe, which the build puts beside the test program.
inline std::string ProgramFile() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\') + 1) + "scenewheel.exe";
}

struct Started {
  PROCESS_INFORMATION pi{};
  bool ok = false;
};

// Starts a command line as Windows would from the Run key or the shell.
inline Started Start(const std::string& commandLine) {
  Started s;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string cmd = commandLine;
  s.ok = CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &s.pi) != 0;
  return s;
}

struct WindowSearch {
  DWORD pid;
  std::vector<HWND> found;
};

inline BOOL CALLBACK CollectWindow(HWND w, LPARAM p) {
  WindowSearch* c = (WindowSearch*)p;
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner == c->pid && IsWindowVisible(w)) c->found.push_back(w);
  return TRUE;
}

inline BOOL CALLBACK CollectText(HWND c, LPARAM p) {
  char t[512];
  GetWindowTextA(c, t, sizeof t);
  *(std::string*)p += std::string("|") + t;
  return TRUE;
}

// Visible top-level windows of a process.
inline std::vector<HWND> WindowsOf(DWORD pid) {
  WindowSearch ctx{pid, {}};
  EnumWindows(CollectWindow, (LPARAM)&ctx);
  return ctx.found;
}

// Texts of a window and all of its children, joined by '|'.
inline std::string TextsOf(HWND w) {
  char buf[512];
  GetWindowTextA(w, buf, sizeof buf);
  std::string all = buf;
  EnumChildWindows(w, CollectText, (LPARAM)&all);
  return all;
}

// Waits for the process to end, counting the visible windows it showed.
// Returns the exit code, or -1000 when it did not end in time.
inline long WaitWatching(Started& s, DWORD ms, int* windowsSeen = nullptr) {
  int seen = 0;
  long code = -1000;
  for (DWORD waited = 0; WaitForSingleObject(s.pi.hProcess, 10) == WAIT_TIMEOUT; waited += 10) {
    seen += (int)WindowsOf(s.pi.dwProcessId).size();
    if (waited > ms) {
      TerminateProcess(s.pi.hProcess, 99);
      WaitForSingleObject(s.pi.hProcess, 5000);
      break;
    }
  }
  DWORD exit = 0;
  if (GetExitCodeProcess(s.pi.hProcess, &exit) && exit != 99) code = (long)exit;
  if (windowsSeen) *windowsSeen = seen;
  CloseHandle(s.pi.hProcess);
  CloseHandle(s.pi.hThread);
  s = Started();
  return code;
}

// Waits until the process shows a visible top-level window; null on timeout.
inline HWND WaitForWindow(const Started& s, DWORD ms) {
  for (DWORD t = 0; t < ms; t += 20) {
    std::vector<HWND> w = WindowsOf(s.pi.dwProcessId);
    if (!w.empty()) return w[0];
    if (WaitForSingleObject(s.pi.hProcess, 20) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

// Polls for a visible top-level window of the class and title.
inline HWND WaitForWindow(const char* cls, const char* title, DWORD timeoutMs = 20000) {
  for (DWORD start = GetTickCount(); GetTickCount() - start <= timeoutMs; Sleep(30)) {
    HWND w = FindWindowA(cls, title);
    if (w && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// Texts are read with the wide messages: Wine hands the ANSI forms of
// these back unconverted across processes.
inline std::string WideText(HWND w, UINT lengthMsg, UINT getMsg, WPARAM i) {
  wchar_t text[300] = L"";
  if (SendMessageW(w, lengthMsg, i, 0) < 290) SendMessageW(w, getMsg, lengthMsg ? i : 300, (LPARAM)text);
  char out[600] = "";
  WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof out, nullptr, nullptr);
  return out;
}

// The program's dialog, started without arguments.
struct Program {
  Started s;
  HWND dialog = nullptr;

  bool Start() {
    s = e2e::Start("\"" + ProgramFile() + "\"");
    dialog = s.ok ? WaitForWindow("#32770", "OrvanDale Scenewheel v.1.00") : nullptr;
    return dialog != nullptr;
  }
  HWND Item(int id) const { return GetDlgItem(dialog, id); }
  // A click that returns once the program has handled it.
  void Click(int id) const {
    DWORD_PTR r;
    SendMessageTimeoutA(Item(id), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &r);
  }
  bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
  std::string Text(int id) const { return WideText(Item(id), 0, WM_GETTEXT, 0); }
  int Count(int list) const { return (int)SendMessageA(Item(list), LB_GETCOUNT, 0, 0); }
  std::string Entry(int list, int i) const {
    return WideText(Item(list), LB_GETTEXTLEN, LB_GETTEXT, i);
  }
  // A mouse click on entry i, as a user would make it; the list box tells
  // the dialog itself.
  void ClickEntry(int list, int i) const {
    HWND l = Item(list);
    int h = (int)SendMessageA(l, LB_GETITEMHEIGHT, 0, 0);
    int top = (int)SendMessageA(l, LB_GETTOPINDEX, 0, 0);
    LPARAM at = MAKELPARAM(8, (i - top) * h + h / 2);
    DWORD_PTR r;
    SendMessageTimeoutA(l, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_NORMAL, 5000, &r);
    SendMessageTimeoutA(l, WM_LBUTTONUP, 0, at, SMTO_NORMAL, 5000, &r);
  }
  // Posts a click on button id, waits for the modal window titled title,
  // posts a click on its button answer and waits for it to close; the
  // control id 0 names the file field of the open-file dialog, set to text.
  bool Answer(int id, const char* title, int answer, const std::string& text = "") const {
    PostMessageA(Item(id), BM_CLICK, 0, 0);
    HWND modal = WaitForWindow("#32770", title);
    if (!modal) return false;
    if (!text.empty()) {
      // The file name field: an edit (edt1) or a combo box with an edit (cmb13).
      HWND name = GetDlgItem(modal, 0x480);
      if (!name) name = GetDlgItem(modal, 0x47C);
      if (!name) return false;
      SendMessageA(name, WM_SETTEXT, 0, (LPARAM)text.c_str());
    }
    PostMessageA(GetDlgItem(modal, answer), BM_CLICK, 0, 0);
    for (DWORD start = GetTickCount(); IsWindow(modal); Sleep(30))
      if (GetTickCount() - start > 20000) return false;
    return true;
  }
  // Presses Add and picks path in the real open-file dialog.
  bool AddFile(const std::string& path) const {
    return Answer(1310, "Open a bitmap file", IDOK, path);
  }
  // Presses Clear Registry and Exit and answers the question with button.
  bool Clear(int button) const { return Answer(1510, "Question", button); }
  // Waits for the process to end; its exit code, or -1.
  int Wait(DWORD timeoutMs = 20000) {
    return s.pi.hProcess ? (int)WaitWatching(s, timeoutMs) : -1;
  }
  ~Program() {
    if (s.pi.hProcess) WaitWatching(s, 0);
  }
};

}  // namespace e2e
