// A small tool for the shell-driven end-to-end tests: finds the running
// main dialog and prints a control's screen rectangle, or sends it a command.
//   dialog_probe rect ID      prints "x y w h" of the control
//   dialog_probe command ID   posts WM_COMMAND with that id to the dialog
//   dialog_probe wallpaper P  exits 0 when the system shows the wallpaper P
// Exits 1 while there is no dialog.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  char shown[MAX_PATH] = "";
  if (!strcmp(argv[1], "wallpaper"))
    return SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, shown, 0) && !strcmp(shown, argv[2]) ? 0 : 1;
  HWND dialog = FindWindowA(nullptr, "OrvanDale Scenewheel v.1.00");
  if (!dialog) return 1;
  int id = atoi(argv[2]);
  if (!strcmp(argv[1], "rect")) {
    RECT r;
    HWND c = GetDlgItem(dialog, id);
    if (!c || !GetWindowRect(c, &r)) return 1;
    printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (!strcmp(argv[1], "command")) return PostMessageA(dialog, WM_COMMAND, id, 0) ? 0 : 1;
  return 2;
}
