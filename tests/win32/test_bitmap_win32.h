// Writes a 24-bit bitmap file of w x h pixels for the tests and benchmarks.
#pragma once
#include <windows.h>

#include <fstream>
#include <string>

inline bool WriteTestBitmap(const char* path, int w, int h) {
  int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER f = {0x4D42, (DWORD)(54 + stride * h), 0, 0, 54};
  BITMAPINFOHEADER i = {sizeof i, w, h, 1, 24};
  std::string file =
      std::string((const char*)&f, sizeof f) + std::string((const char*)&i, sizeof i);
  for (size_t p = 0; p < (size_t)stride * h; ++p) file += (char)(p * 7 % 251);  // some pattern
  std::ofstream out(path, std::ios::binary);
  return out.write(file.data(), file.size()) && out.flush();
}
