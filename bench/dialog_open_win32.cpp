// Median time from process start until the dialog is visible, holding 32
// entries and showing the current entry in its preview.
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#include "tests/win32/test_bitmap_win32.h"

static const char* kKey = "Software\\OrvanDale\\Scenewheel";

static int Compare(const void* a, const void* b) {
  double x = *(const double*)a, y = *(const double*)b;
  return x < y ? -1 : x > y;
}

int main() {
  char folder[MAX_PATH], exe[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  lstrcatA(folder, "sw_bench\\");
  CreateDirectoryA(folder, nullptr);
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  lstrcpyA(strrchr(exe, '\\') + 1, "scenewheel.exe");

  RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  char path[MAX_PATH], name[16];
  for (int n = 0; n < 32; ++n) {
    wsprintfA(path, "%swall%02d.bmp", folder, n);
    WriteTestBitmap(path, 640, 480);
    wsprintfA(name, "Bitmap%02d", n);
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)path, lstrlenA(path) + 1);
  }
  RegSetValueExA(key, "ChangeMode", 0, REG_SZ, (const BYTE*)"D", 2);
  DWORD selected = 17;
  RegSetValueExA(key, "SelectedBmp", 0, REG_DWORD, (const BYTE*)&selected, 4);
  RegSetValueExA(key, "WindowsWallpaper", 0, REG_SZ, (const BYTE*)"C:\\w.bmp", 9);
  RegCloseKey(key);

  enum { RUNS = 15 };
  double ms[RUNS];
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  int done = 0;
  for (int r = 0; r < RUNS; ++r) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    char command[MAX_PATH + 4];
    wsprintfA(command, "\"%s\"", exe);
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      break;
    HWND dialog = nullptr;
    for (int spin = 0; spin < 200000; ++spin) {
      dialog = FindWindowA("#32770", "OrvanDale Scenewheel v.1.00");
      if (dialog && IsWindowVisible(dialog) &&
          SendMessageA(GetDlgItem(dialog, 1120), LB_GETCOUNT, 0, 0) == 32 &&
          SendDlgItemMessageA(dialog, 1650, STM_GETIMAGE, IMAGE_BITMAP, 0))
        break;
      dialog = nullptr;
      Sleep(1);
    }
    QueryPerformanceCounter(&t1);
    if (dialog) PostMessageA(dialog, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    if (!dialog) break;
    ms[done++] = (double)(t1.QuadPart - t0.QuadPart) * 1000.0 / (double)freq.QuadPart;
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
  for (int n = 0; n < 32; ++n) {
    wsprintfA(path, "%swall%02d.bmp", folder, n);
    DeleteFileA(path);
  }
  RemoveDirectoryA(folder);
  if (done < RUNS) {
    printf("dialog open: failed after %d runs\n", done);
    return 1;
  }
  qsort(ms, RUNS, sizeof ms[0], Compare);
  printf(
      "dialog open (32 entries, current previewed): median %.1f ms over %d starts (min %.1f, max "
      "%.1f)\n",
      ms[RUNS / 2], RUNS, ms[0], ms[RUNS - 1]);
  return 0;
}
