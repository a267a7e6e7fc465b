// Text escaping: trims blanks, drops line breaks, writes tab, carriage
// return, line feed and backslash as two-byte backslash sequences, or
// resolves such sequences. Without an output buffer it only measures.
#pragma once
#include <stdint.h>

// The support library's result numbers (shared with its other parts).
#include "support/result_codes.h"

enum : uint32_t {
  ESC_TRIM = 0x01,       // skip spaces and tabs at both ends of the input
  ESC_DROP_CRLF = 0x02,  // skip every carriage return and line feed
  ESC_UNESCAPE = 0x10,   // resolve backslash sequences (wins over ESC_ESCAPE)
  ESC_ESCAPE = 0x20      // write the four special bytes as backslash sequences
};

// Converts in into out (outSize bytes, always terminated), or measures when
// out is null or outSize is 0. length, when given and not negative, limits
// the input on entry; on RC_OK it holds the bytes produced. RC_BAD_ARG for a
// null or empty input or flags 0, RC_TOO_SMALL when the input does not fit
// outSize; on either nothing is written. A buffer that holds the input but
// not the whole result gives RC_OK with the output cut short.
ResultCode EscapeText(char* out, const char* in, int32_t* length, uint32_t outSize, uint32_t flags);
