#include "settings/text.h"

unsigned long CopyText(char* out, unsigned long size, const char* in, unsigned long inSize) {
  unsigned long n = 0;
  while (n + 1 < size && n < inSize && in[n]) {
    out[n] = in[n];
    ++n;
  }
  out[n] = 0;
  return n;
}

unsigned long TextLength(const char* text, unsigned long max) {
  unsigned long n = 0;
  while (n < max && text[n]) ++n;
  return n;
}

bool SameText(const char* a, const char* b, unsigned long n) {
  for (unsigned long i = 0; i < n; ++i) {
    if (a[i] != b[i]) return false;
    if (!a[i]) break;
  }
  return true;
}

uint32_t ReadLe32(const unsigned char* bytes, unsigned long size) {
  uint32_t v = 0;
  for (unsigned long i = 0; i < 4 && i < size; ++i) v |= (uint32_t)bytes[i] << (8 * i);
  return v;
}
