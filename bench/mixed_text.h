// Prose-like test text for the escaping benchmarks, the same on every build:
// words and spaces, now and then a tab or a path with backslashes, and CR LF
// every 40 to 100 bytes.
#pragma once
#include <stddef.h>

// Fills text[0, size) and terminates it at text[size].
inline void FillMixedText(char* text, size_t size) {
  unsigned seed = 1;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  size_t n = 0, lineEnd = 60;
  while (n < size) {
    const char* piece = nullptr;
    unsigned r = next() % 100;
    if (n >= lineEnd) {
      piece = "\r\n";
      lineEnd = n + 42 + next() % 60;
    } else if (r < 3) {
      piece = "\t";
    } else if (r < 6) {
      piece = "C:\\Windows\\";
    }
    for (; piece && *piece && n < size; ++piece) text[n++] = *piece;
    if (piece) continue;
    for (unsigned len = 1 + next() % 9; len && n < size; --len) text[n++] = char('a' + next() % 26);
    if (n < size) text[n++] = ' ';
  }
  text[size - 1] = 'z';
  text[size] = 0;
}
