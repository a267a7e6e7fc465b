// A byte-by-byte model of text escaping, written plainly from the rules, that
// the fuzz target holds EscapeText against: the result code, and in *out what
// a buffer of outSize bytes receives (outSize 0: what measuring counts).
#pragma once
#include <string.h>
#include <string>
#include "support/text_escape.h"

inline ResultCode EscapeModel(std::string in, int32_t limit, uint32_t outSize, uint32_t flags,
                              std::string* out) {
  in = in.c_str();  // the input ends at its first zero byte
  out->clear();
  if (in.empty() || !flags) return RC_BAD_ARG;
  if (limit >= 0 && size_t(limit) < in.size()) in.resize(limit);
  if (outSize && in.size() >= outSize) return RC_TOO_SMALL;
  size_t b = 0, e = in.size(), bound = outSize ? outSize - 2 : std::string::npos;
  while ((flags & ESC_TRIM) && b < e && (in[b] == ' ' || in[b] == '\t')) ++b;
  while ((flags & ESC_TRIM) && e > b && (in[e - 1] == ' ' || in[e - 1] == '\t')) --e;
  auto dropped = [&](size_t i) { return (flags & ESC_DROP_CRLF) && (in[i] == '\r' || in[i] == '\n'); };
  for (size_t i = b; i < e && out->size() < bound; ++i) {
    char c = in[i];
    if (dropped(i)) continue;
    if (flags & ESC_UNESCAPE) {
      if (c == '\\') {
        do ++i; while (i < e && dropped(i));
        if (i == e) break;
        c = in[i] == 't' ? '\t' : in[i] == 'r' ? '\r' : in[i] == 'n' ? '\n' : in[i];
      }
      *out += c;
    } else if (flags & ESC_ESCAPE) {
      *out += c == '\t' ? "\\t" : c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\\' ? "\\\\" : std::string(1, c);
    }
  }
  return RC_OK;
}
