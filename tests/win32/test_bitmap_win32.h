// Writes bitmap files for the tests and benchmarks: 24 bits, w x h pixels,
// a diagonal blend of two colours.
#pragma once
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

inline bool WriteTestBitmap(const char* path, int w, int h, COLORREF a = RGB(30, 90, 200),
                            COLORREF b = RGB(250, 200, 40)) {
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
  unsigned char* pixels = (unsigned char*)calloc(stride, h);
  if (!pixels) return false;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int t = (x + y) * 255 / (w + h);
      unsigned char* p = pixels + y * stride + x * 3;
      p[0] = (unsigned char)((GetBValue(a) * (255 - t) + GetBValue(b) * t) / 255);
      p[1] = (unsigned char)((GetGValue(a) * (255 - t) + GetGValue(b) * t) / 255);
      p[2] = (unsigned char)((GetRValue(a) * (255 - t) + GetRValue(b) * t) / 255);
    }
  FILE* out = fopen(path, "wb");
  bool ok = out && fwrite(&f, sizeof f, 1, out) == 1 && fwrite(&i, sizeof i, 1, out) == 1 &&
            fwrite(pixels, 1, (size_t)stride * h, out) == (size_t)stride * h;
  if (out && fclose(out) != 0) ok = false;
  free(pixels);
  return ok;
}
