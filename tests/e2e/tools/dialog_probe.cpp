// A small tool for the end-to-end tests: "dialog_probe wallpaper P" exits 0
// when the system shows the wallpaper P, 1 when it shows another. A new
// process is needed because each process keeps the value it read first.
#include <windows.h>
#include <string.h>

int main(int argc, char** argv) {
  char shown[MAX_PATH] = "";
  if (argc < 3 || strcmp(argv[1], "wallpaper")) return 2;
  return SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, shown, 0) && !strcmp(shown, argv[2]) ? 0 : 1;
}
