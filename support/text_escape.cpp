// Text escaping. Pure byte logic; no platform calls.
#include "support/text_escape.h"
#include <stddef.h>
#include <string.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

const size_t kOnes = (size_t)-1 / 0xFF;  // 0x0101...01
const size_t kHighs = kOnes * 0x80;      // 0x8080...80
const size_t kMaxLength = 0x7FFFFFFF;    // what the signed length can report

// Non-zero when some byte of v is zero (exact for "any", not for "which").
inline size_t AnyZeroByte(size_t v) { return (v - kOnes) & ~v & kHighs; }

inline bool IsSpecial(unsigned char c) {
  return c == '\t' || c == '\n' || c == '\r' || c == '\\';
}

// Length of the leading run of [p, p + n) free of tab, CR, LF and backslash.
// Such bytes come out unchanged in both modes, so a run is copied whole; the
// scan looks at a machine word at a time, which keeps long plain text cheap.
size_t PlainRun(const unsigned char* p, size_t n) {
  size_t i = 0;
  for (; n - i >= sizeof(size_t); i += sizeof(size_t)) {
    size_t w;
    memcpy(&w, p + i, sizeof w);
    if (AnyZeroByte(w ^ (kOnes * '\t')) | AnyZeroByte(w ^ (kOnes * '\n')) |
        AnyZeroByte(w ^ (kOnes * '\r')) | AnyZeroByte(w ^ (kOnes * '\\')))
      break;
  }
  while (i < n && !IsSpecial(p[i])) ++i;
  return i;
}

// Index of the first tab, CR, LF or backslash among the 16 bytes at p, or 16.
inline size_t FirstSpecial16(const unsigned char* p) {
#if defined(__SSE2__)
  __m128i v = _mm_loadu_si128((const __m128i*)p);
  __m128i m = _mm_or_si128(
      _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\t')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))),
      _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\\'))));
  unsigned bits = (unsigned)_mm_movemask_epi8(m);
  return bits ? (size_t)__builtin_ctz(bits) : 16;
#else
  return PlainRun(p, 16);
#endif
}

inline bool IsBlank(unsigned char c) { return c == ' ' || c == '\t'; }
inline bool IsBreak(unsigned char c) { return c == '\r' || c == '\n'; }

}  // namespace

ResultCode EscapeText(char* out, const char* in, int32_t* length, uint32_t outSize,
                      uint32_t flags) {
  if (!in || !*in || !flags) return RC_BAD_ARG;

  size_t count;
  if (length && *length >= 0) {
    const void* nul = memchr(in, 0, (size_t)*length);
    count = nul ? (size_t)((const char*)nul - in) : (size_t)*length;
  } else {
    count = strlen(in);
    if (count > kMaxLength) count = kMaxLength;
  }

  const bool converting = out && outSize;
  if (converting && count >= outSize) return RC_TOO_SMALL;
  if (count == 0) {
    *length = 0;  // only a limit of 0 gets here, so length is set
    return RC_OK;
  }

  const unsigned char* p = (const unsigned char*)in;
  const unsigned char* end = p + count;
  if (flags & ESC_TRIM) {
    while (p < end && IsBlank(*p)) ++p;
    while (end > p && IsBlank(end[-1])) --end;
  }

  // Stop before a byte once this much is written: room stays for a two-byte
  // sequence and the terminator. Capped so the length always fits its field.
  size_t bound = (size_t)-1;
  if (converting) {
    bound = outSize - 2;
    if (bound > kMaxLength - 1) bound = kMaxLength - 1;
  }
  const uint32_t mode = (flags & ESC_UNESCAPE) ? ESC_UNESCAPE : (flags & ESC_ESCAPE);
  const bool drop = (flags & ESC_DROP_CRLF) != 0;
  unsigned char* o = (unsigned char*)out;
  size_t n = 0;

  // Without a mode nothing is produced.
  while (mode && p < end && n < bound) {
    if (end - p >= 16 && bound - n >= 16) {
      // Copy a whole block; the bytes past the plain run are rewritten by
      // what follows, and all 16 lie below the bound.
      size_t run = FirstSpecial16(p);
      if (converting) memcpy(o + n, p, 16);
      n += run;
      p += run;
      if (run == 16) continue;
    } else {
      size_t run = PlainRun(p, (size_t)(end - p));
      if (run) {
        if (run > bound - n) run = bound - n;
        if (converting) memcpy(o + n, p, run);
        n += run;
        p += run;
        continue;
      }
    }
    // *p is a tab, CR, LF or backslash.
    unsigned char c = *p++;
    if (drop && IsBreak(c)) continue;
    if (mode == ESC_UNESCAPE) {
      if (c == '\\') {
        // A dropped byte is not the byte after the backslash.
        while (drop && p < end && IsBreak(*p)) ++p;
        if (p == end) break;  // a trailing backslash gives nothing
        c = *p++;
        c = c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
      }
      if (converting) o[n] = c;
      n += 1;
    } else {
      if (converting) {
        o[n] = '\\';
        o[n + 1] = c == '\t' ? 't' : c == '\r' ? 'r' : c == '\n' ? 'n' : '\\';
      }
      n += 2;
    }
  }

  if (converting) {
    o[n] = 0;
  } else if (n > kMaxLength) {
    return RC_TOO_SMALL;  // the measured length would not fit the length field
  }
  if (length) *length = (int32_t)n;
  return RC_OK;
}
