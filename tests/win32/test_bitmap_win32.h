// Writes a 24-bit bitmap file of w x h pixels for the tests and benchmarks.
#pragma once
#include <windows.h>
#include <stdio.h>
#include <string>

inline bool WriteTestBitmap(const char* path, int w, int h) {
  int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER f = {0x4D42, (DWORD)(54 + stride * h), 0, 0, 54};
  BITMAPINFOHEADER i = {sizeof i, w, h, 1, 24};
  std::string pixels((size_t)stride * h, '\0');
  for (size_t p = 0; p < pixels.size(); ++p) pixels[p] = (char)(p * 7 % 251);  // some pattern
  FILE* out = fopen(path, "wb");
  bool ok = out && fwrite(&f, sizeof f, 1, out) && fwrite(&i, sizeof i, 1, out) &&
            fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
  return out && fclose(out) == 0 && ok;
}
