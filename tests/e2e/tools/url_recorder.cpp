// A harmless stand-in for the browser and the mail program in the
// end-to-end tests: appends the command line it was started with to
// url_log.txt beside itself, and opens nothing.
#include <windows.h>

int main() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  while (n && path[n - 1] != '\\') --n;
  lstrcpynA(path + n, "url_log.txt", MAX_PATH - n);
  HANDLE f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  const char* line = GetCommandLineA();
  DWORD written;
  WriteFile(f, line, lstrlenA(line), &written, nullptr);
  WriteFile(f, "\r\n", 2, &written, nullptr);
  CloseHandle(f);
  return 0;
}
