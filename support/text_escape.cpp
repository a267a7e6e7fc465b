// Text escaping. Pure byte logic; no platform calls.
#include "support/text_escape.h"

#include <stddef.h>
#include <string.h>

namespace {

const size_t kOnes = (size_t)-1 / 0xFF;  // 0x0101...01
const size_t kHighs = kOnes * 0x80;      // 0x8080...80
const size_t kMaxLength = 0x7FFFFFFF;    // what the signed length can report

// Non-zero when some byte of v is zero (exact for "any", not for "which").
inline size_t AnyZeroByte(size_t v) { return (v - kOnes) & ~v & kHighs; }

inline bool IsSpecial(unsigned char c) { return c == '\t' || c == '\n' || c == '\r' || c == '\\'; }

// The top bit of each byte of w that may be a tab, CR, LF or backslash; the
// lowest one marked is always one of them.
inline size_t SpecialBytes(size_t w) {
  return AnyZeroByte(w ^ (kOnes * '\t')) | AnyZeroByte(w ^ (kOnes * '\n')) |
         AnyZeroByte(w ^ (kOnes * '\r')) | AnyZeroByte(w ^ (kOnes * '\\'));
}

// How many plain bytes a word with special bytes m starts with; 0 where
// the byte order is not known (the byte loop then finds them).
inline size_t PlainPrefix(size_t m) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  // The 32-bit build counts in 32 bits: no helper call.
  int bit = sizeof m > sizeof(unsigned) ? __builtin_ctzll(m) : __builtin_ctz((unsigned)m);
  return (size_t)bit >> 3;
#else
  (void)m;
  return 0;
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
    // Plain bytes come out unchanged in both modes: a machine word at a time,
    // then bytewise. A whole word is written even when it holds a special
    // byte; what lies past the plain part is written again or lies past the
    // terminator, and all of it below the bound.
    while ((size_t)(end - p) >= sizeof(size_t) && bound - n >= sizeof(size_t)) {
      size_t w;
      memcpy(&w, p, sizeof w);
      if (converting) memcpy(o + n, &w, sizeof w);
      size_t m = SpecialBytes(w), k = m ? PlainPrefix(m) : sizeof w;
      p += k;
      n += k;
      if (m) break;
    }
    while (p < end && n < bound && !IsSpecial(*p)) {
      if (converting) o[n] = *p;
      ++p;
      ++n;
    }
    if (p == end || n >= bound) break;
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
