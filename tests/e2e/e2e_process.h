// Starting the real scenewheel.exe from an end-to-end test, and watching
// the windows it shows.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

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
  std::string all;
  char buf[512];
  GetWindowTextA(w, buf, sizeof buf);
  all += buf;
  EnumChildWindows(w, CollectText, (LPARAM)&all);
  return all;
}

// Waits for the process to end, noting every visible window it showed.
// Returns the exit code, or -1000 when it did not end in time.
inline long WaitWatching(Started& s, DWORD ms, int* windowsSeen) {
  DWORD waited = 0;
  int seen = 0;
  while (WaitForSingleObject(s.pi.hProcess, 10) == WAIT_TIMEOUT) {
    seen += (int)WindowsOf(s.pi.dwProcessId).size();
    waited += 10;
    if (waited > ms) {
      TerminateProcess(s.pi.hProcess, 99);
      WaitForSingleObject(s.pi.hProcess, 5000);
      if (windowsSeen) *windowsSeen = seen;
      return -1000;
    }
  }
  if (windowsSeen) *windowsSeen = seen;
  DWORD code = 0;
  GetExitCodeProcess(s.pi.hProcess, &code);
  CloseHandle(s.pi.hProcess);
  CloseHandle(s.pi.hThread);
  s.ok = false;
  return (long)code;
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

}  // namespace e2e
