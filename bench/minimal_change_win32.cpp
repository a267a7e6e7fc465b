// The least that a logon change must do: write the desktop's Wallpaper value
// and tell the system once. The logon benchmark compares scenewheel.exe A
// against this.
#include <windows.h>

int main() {
  static const char path[] = "C:\\walls\\one.bmp";
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key, nullptr) == 0) {
    RegSetValueExA(key, "Wallpaper", 0, REG_SZ, (const BYTE*)path, sizeof path);
    RegCloseKey(key);
  }
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, (void*)path, 0);
  return 0;
}
