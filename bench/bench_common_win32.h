// Small helpers shared by the Windows benchmark programs: a clock, output to
// the standard output handle, and test files in the temporary folder.
#pragma once
#include <stdio.h>
#include <string.h>
#include <windows.h>

inline double Now() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

inline void Say(const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  int n = vsnprintf(line, sizeof line, format, args);
  va_end(args);
  DWORD done = 0;
  if (n > 0)
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(n), &done, nullptr);
}

inline void BenchPath(char* out, const char* leaf) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  _snprintf(out, MAX_PATH, "%sswbench_%s", dir, leaf);
  out[MAX_PATH - 1] = 0;
}

// Writes `size` bytes of a fixed pattern, 1 MiB at a time.
inline bool MakeFile(const char* name, DWORD size) {
  HANDLE f = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  static unsigned char chunk[1 << 20];
  for (DWORD i = 0; i < sizeof chunk; ++i) chunk[i] = static_cast<unsigned char>(i * 31 + 7);
  bool ok = true;
  for (DWORD pos = 0; ok && pos < size; pos += sizeof chunk) {
    DWORD n = 0;
    ok = WriteFile(f, chunk, sizeof chunk, &n, nullptr) && n == sizeof chunk;
  }
  CloseHandle(f);
  return ok;
}
