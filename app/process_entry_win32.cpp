// The process entry and the few memory and string routines that the program
// would otherwise take from a C runtime DLL. The first Windows 95 ships none,
// so scenewheel.exe links no C runtime at all: this file is linked into the
// program only (the tests keep the toolchain's runtime).
#include <stddef.h>
#include <windows.h>

#include "app/command_tail.h"

// Keep the compiler from turning these loops back into calls to themselves.
#pragma GCC optimize("no-tree-loop-distribute-patterns")

// Initialisers of namespace-scope objects that are not constants: the linker
// gathers their routines between a -1 and a 0 here. An object that needs a
// destructor would need atexit, which is not provided: the link fails.
extern "C" void (*__CTOR_LIST__[])();

// Nothing else of a runtime frame is needed: the program uses no floating
// point, no exceptions and no argument vector.
extern "C" __attribute__((force_align_arg_pointer, noreturn)) void WinMainCRTStartup() {
  int n = 0;
  while (__CTOR_LIST__[n + 1]) ++n;
  while (n) __CTOR_LIST__[n--]();  // last first, as the toolchain's own start does
  ExitProcess(
      (UINT)WinMain(GetModuleHandleA(nullptr), nullptr, (LPSTR)GetCommandTail(), SW_SHOWNORMAL));
}

extern "C" {

void* memcpy(void* to, const void* from, size_t n) {
  unsigned char* d = (unsigned char*)to;
  const unsigned char* s = (const unsigned char*)from;
  while (n--) *d++ = *s++;
  return to;
}

void* memmove(void* to, const void* from, size_t n) {
  unsigned char* d = (unsigned char*)to;
  const unsigned char* s = (const unsigned char*)from;
  if (d < s) {
    while (n--) *d++ = *s++;
  } else {
    while (n--) d[n] = s[n];
  }
  return to;
}

void* memset(void* to, int value, size_t n) {
  unsigned char* d = (unsigned char*)to;
  while (n--) *d++ = (unsigned char)value;
  return to;
}

int memcmp(const void* a, const void* b, size_t n) {
  const unsigned char* p = (const unsigned char*)a;
  const unsigned char* q = (const unsigned char*)b;
  for (; n; --n, ++p, ++q)
    if (*p != *q) return *p - *q;
  return 0;
}

void* memchr(const void* block, int value, size_t n) {
  const unsigned char* p = (const unsigned char*)block;
  for (; n; --n, ++p)
    if (*p == (unsigned char)value) return (void*)p;
  return nullptr;
}

size_t strlen(const char* text) {
  const char* p = text;
  while (*p) ++p;
  return (size_t)(p - text);
}

int strncmp(const char* a, const char* b, size_t n) {
  for (; n; --n, ++a, ++b) {
    if (*a != *b) return (unsigned char)*a - (unsigned char)*b;
    if (!*a) break;
  }
  return 0;
}

int strcmp(const char* a, const char* b) { return strncmp(a, b, (size_t)-1); }

}  // extern "C"
