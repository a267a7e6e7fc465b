// Writes bitmap files for the tests and benchmarks: 24 bits, w x h pixels,
// a diagonal blend from blue to yellow.
#pragma once
#include <windows.h>
#include <stdio.h>
#include <string>

inline bool WriteTestBitmap(const char* path, int w, int h) {
  int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER f = {};
  BITMAPINFOHEADER i = {};
  f.bfType = 0x4D42;
  f.bfOffBits = sizeof f + sizeof i;
  f.bfSize = f.bfOffBits + stride * h;
  i.biSize = sizeof i;
  i.biWidth = w;
  i.biHeight = h;
  i.biPlanes = 1;
  i.biBitCount = 24;
  std::string pixels((size_t)stride * h, '\0');
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int t = (x + y) * 255 / (w + h);  // blue, green, red
      pixels.replace((size_t)y * stride + x * 3, 3,
                     {(char)(200 - t * 160 / 255), (char)(90 + t * 110 / 255), (char)(30 + t * 220 / 255)});
    }
  FILE* out = fopen(path, "wb");
  bool ok = out && fwrite(&f, sizeof f, 1, out) == 1 && fwrite(&i, sizeof i, 1, out) == 1 &&
            fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
  return out && fclose(out) == 0 && ok;
}
