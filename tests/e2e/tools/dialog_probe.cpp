// A small tool for the end-to-end tests:
//   dialog_probe rect ID      prints "x y w h" of a control of the main dialog
//   dialog_probe command ID   posts WM_COMMAND with that id to the dialog
//   dialog_probe wallpaper P  exits 0 when the system shows the wallpaper P
//   dialog_probe record TEXT  appends TEXT to C:\url_log.txt: a harmless
//                             stand-in for the browser and the mail program
// Exits 1 when the dialog is not there or the answer is no.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  char shown[MAX_PATH] = "";
  if (!strcmp(argv[1], "wallpaper"))
    return SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, shown, 0) && !strcmp(shown, argv[2]) ? 0 : 1;
  FILE* log = strcmp(argv[1], "record") ? nullptr : fopen("C:\\url_log.txt", "a");
  if (log) return fprintf(log, "%s\n", argv[2]) < 0 || fclose(log);
  HWND dialog = FindWindowA(nullptr, "OrvanDale Scenewheel v.1.00");
  RECT r;
  if (!dialog) return 1;
  if (!strcmp(argv[1], "command")) return PostMessageA(dialog, WM_COMMAND, atoi(argv[2]), 0) ? 0 : 1;
  if (!GetWindowRect(GetDlgItem(dialog, atoi(argv[2])), &r)) return 1;
  printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}
