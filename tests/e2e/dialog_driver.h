// Drives the real scenewheel.exe through its real controls: start it, find
// its windows, click buttons, fill the open-file dialog, answer questions,
// and read the registry it leaves behind.
#pragma once
#include <windows.h>
#include <map>
#include <string>
#include "tests/win32/test_bitmap_win32.h"

namespace driver {

inline std::string ProgramPath() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p = path;
  return p.substr(0, p.find_last_of('\\') + 1) + "scenewheel.exe";
}

// Polls for a top-level window of the class and title until timeoutMs.
inline HWND WaitForWindow(const char* cls, const char* title, DWORD timeoutMs = 20000) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND w = FindWindowA(cls, title);
    if (w && IsWindowVisible(w)) return w;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    Sleep(30);
  }
}

inline bool WaitForWindowGone(HWND w, DWORD timeoutMs = 20000) {
  DWORD start = GetTickCount();
  while (IsWindow(w)) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(30);
  }
  return true;
}

inline std::string Narrow(const wchar_t* text) {
  char out[600] = "";
  WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof out, nullptr, nullptr);
  return out;
}

struct Program {
  PROCESS_INFORMATION pi = {};
  HWND dialog = nullptr;

  // Starts the program without arguments and waits for its dialog.
  bool Start(const char* tail = "") {
    std::string command = "\"" + ProgramPath() + "\"" + (tail[0] ? " " : "") + tail;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string buffer = command;
    if (!CreateProcessA(nullptr, &buffer[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
      return false;
    dialog = WaitForWindow("#32770", "OrvanDale Scenewheel v.1.00");
    return dialog != nullptr;
  }
  HWND Item(int id) const { return GetDlgItem(dialog, id); }
  // A click that returns once the program has handled it.
  void Click(int id) const {
    DWORD_PTR r;
    SendMessageTimeoutA(Item(id), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &r);
  }
  // A click that opens something modal: do not wait for it.
  void PostClick(int id) const { PostMessageA(Item(id), BM_CLICK, 0, 0); }
  bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
  // Texts are read with the wide messages: Wine hands the ANSI forms of
  // these back unconverted across processes.
  std::string Text(int id) const {
    wchar_t text[300] = L"";
    SendMessageW(Item(id), WM_GETTEXT, 300, (LPARAM)text);
    return Narrow(text);
  }
  int Count(int list) const { return (int)SendMessageA(Item(list), LB_GETCOUNT, 0, 0); }
  std::string Entry(int list, int i) const {
    wchar_t text[300] = L"";
    if (SendMessageW(Item(list), LB_GETTEXTLEN, i, 0) < 290)
      SendMessageW(Item(list), LB_GETTEXT, i, (LPARAM)text);
    return Narrow(text);
  }
  // A mouse click on entry i, with Ctrl held when add is set, as a user
  // would make it; the list box tells the dialog itself.
  void ClickEntry(int list, int i, bool add = false) const {
    HWND l = Item(list);
    int h = (int)SendMessageA(l, LB_GETITEMHEIGHT, 0, 0);
    int top = (int)SendMessageA(l, LB_GETTOPINDEX, 0, 0);
    LPARAM at = MAKELPARAM(8, (i - top) * h + h / 2);
    WPARAM keys = MK_LBUTTON | (add ? MK_CONTROL : 0);
    DWORD_PTR r;
    SendMessageTimeoutA(l, WM_LBUTTONDOWN, keys, at, SMTO_NORMAL, 5000, &r);
    SendMessageTimeoutA(l, WM_LBUTTONUP, keys & ~MK_LBUTTON, at, SMTO_NORMAL, 5000, &r);
  }
  // Presses Add and picks path in the real open-file dialog.
  bool AddFile(const std::string& path) const {
    PostClick(1310);
    HWND open = WaitForWindow("#32770", "Open a bitmap file");
    if (!open) return false;
    // The file name field: an edit (edt1) or a combo box with an edit (cmb13).
    HWND name = GetDlgItem(open, 0x480);
    if (!name) name = GetDlgItem(open, 0x47C);
    if (!name) return false;
    SendMessageA(name, WM_SETTEXT, 0, (LPARAM)path.c_str());
    PostMessageA(GetDlgItem(open, IDOK), BM_CLICK, 0, 0);
    return WaitForWindowGone(open);
  }
  // Presses Clear Registry and Exit and answers the question with button.
  bool Clear(int button) const {
    PostClick(1510);
    HWND question = WaitForWindow("#32770", "Question");
    if (!question) return false;
    PostMessageA(GetDlgItem(question, button), BM_CLICK, 0, 0);
    return WaitForWindowGone(question);
  }
  // Waits for the process to end; its exit code, or -1.
  int Wait(DWORD timeoutMs = 20000) {
    if (!pi.hProcess) return -1;
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0) {
      TerminateProcess(pi.hProcess, 99);
      WaitForSingleObject(pi.hProcess, 5000);
    }
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    pi = PROCESS_INFORMATION();
    return (int)code;
  }
  ~Program() {
    if (pi.hProcess) {
      TerminateProcess(pi.hProcess, 99);
      Wait(5000);
    }
  }
};

// Every value of a key under HKEY_CURRENT_USER: name -> raw bytes.
inline std::map<std::string, std::string> Values(const char* key, bool* exists = nullptr) {
  std::map<std::string, std::string> out;
  HKEY h;
  bool open = RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) == ERROR_SUCCESS;
  if (exists) *exists = open;
  if (!open) return out;
  for (DWORD i = 0;; ++i) {
    char name[300], data[1024];
    DWORD nameSize = sizeof name, dataSize = sizeof data;
    if (RegEnumValueA(h, i, name, &nameSize, nullptr, nullptr, (BYTE*)data, &dataSize) !=
        ERROR_SUCCESS)
      break;
    out[name] = std::string(data, dataSize);
  }
  RegCloseKey(h);
  return out;
}

inline std::string Text(const std::string& raw) { return std::string(raw.c_str()); }

inline DWORD Number(const std::string& raw) {
  DWORD v = 0;
  memcpy(&v, raw.data(), raw.size() < 4 ? raw.size() : 4);
  return v;
}

inline void SetText(const char* key, const char* name, const std::string& text) {
  HKEY h;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr))
    return;
  RegSetValueExA(h, name, 0, REG_SZ, (const BYTE*)text.c_str(), (DWORD)text.size() + 1);
  RegCloseKey(h);
}

inline void DeleteValue(const char* key, const char* name) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_WRITE, &h)) return;
  RegDeleteValueA(h, name);
  RegCloseKey(h);
}


}  // namespace driver
