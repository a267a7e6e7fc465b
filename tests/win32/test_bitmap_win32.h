// Writes a 24-bit bitmap file of w x h pixels for the tests and benchmarks.
#pragma once
#include <windows.h>

#include <fstream>

inline bool WriteTestBitmap(const char* path, int w, int h) {
  int stride = (w * 3 + 3) & ~3;
  const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  BITMAPFILEHEADER f = {'B' | 'M' << 8, (DWORD)(headers + stride * h), 0, 0, headers};
  BITMAPINFOHEADER i = {sizeof i, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::ofstream out(path, std::ios::binary);
  out.write((const char*)&f, sizeof f).write((const char*)&i, sizeof i);
  for (size_t p = 0; p < (size_t)stride * h; ++p) out.put((char)(p * 7 % 251));  // some pattern
  return bool(out.flush());
}
