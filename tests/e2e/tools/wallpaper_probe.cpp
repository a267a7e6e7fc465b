// A small tool for the end-to-end tests: "wallpaper_probe P" exits 0 when the
// system shows the wallpaper P, 1 when it shows another. A new process is
// needed because each process keeps the value it read first.
#include <string.h>
#include <windows.h>

int main(int argc, char** argv) {
  char shown[MAX_PATH] = "";
  return argc == 2 && SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, shown, 0) &&
                 !strcmp(shown, argv[1])
             ? 0
             : 1;
}
