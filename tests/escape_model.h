// A byte-by-byte model of text escaping, written plainly from the rules,
// that the unit test and the fuzz target hold EscapeText against. bound cuts
// the output as a buffer of bound + 2 bytes does.
#pragma once
#include <stddef.h>
#include <string>
#include "support/text_escape.h"

inline std::string EscapeModel(const std::string& in, uint32_t flags, size_t bound = (size_t)-1) {
  size_t b = 0, e = in.size();
  while ((flags & ESC_TRIM) && b < e && (in[b] == ' ' || in[b] == '\t')) ++b;
  while ((flags & ESC_TRIM) && e > b && (in[e - 1] == ' ' || in[e - 1] == '\t')) --e;
  auto dropped = [&](char c) { return (flags & ESC_DROP_CRLF) && (c == '\r' || c == '\n'); };
  std::string o;
  for (size_t i = b; i < e && o.size() < bound; ++i) {
    char c = in[i];
    if (dropped(c)) continue;
    const char* s = c == '\t' ? "\\t" : c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\\' ? "\\\\" : nullptr;
    if (flags & ESC_UNESCAPE) {
      if (c == '\\') {
        do ++i; while (i < e && dropped(in[i]));
        if (i == e) break;
        c = in[i] == 't' ? '\t' : in[i] == 'r' ? '\r' : in[i] == 'n' ? '\n' : in[i];
      }
      o += c;
    } else if (flags & ESC_ESCAPE) {
      o += s ? std::string(s) : std::string(1, c);
    }
  }
  return o;
}
