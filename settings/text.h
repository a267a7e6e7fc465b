// The bounded text copy, comparison and little-endian reading that every
// file of the settings and the dialog uses: registry data and file names can
// hold anything, so nothing here trusts a terminator or a length.
#pragma once
#include <stdint.h>

enum : unsigned long { ANY_LENGTH = 0xFFFFFFFFul };

// Copies from in until its terminator or inSize bytes, at most size - 1, and
// always terminates out (size must be at least 1). Returns the length copied.
unsigned long CopyText(char* out, unsigned long size, const char* in,
                       unsigned long inSize = ANY_LENGTH);

// Length of text, but never more than max.
unsigned long TextLength(const char* text, unsigned long max = ANY_LENGTH);

// Whether the first n bytes of a and b agree (texts end at their
// terminators). For registry names against names of the program's own:
// file names are compared by the system, in the user's code page.
bool SameText(const char* a, const char* b, unsigned long n = ANY_LENGTH);

// A number from up to four bytes, least significant first; missing bytes count as zero.
uint32_t ReadLe32(const unsigned char* bytes, unsigned long size);
