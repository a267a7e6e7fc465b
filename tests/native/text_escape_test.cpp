// EscapeText's rules, one row each, with the bytes written out. Guard bytes
// follow the output buffer; nothing may touch them, nor the buffer on a refusal.
#include "support/text_escape.h"

#include <gtest/gtest.h>

#include <string>

TEST(EscapeText, Rules) {
  const uint32_t T = ESC_TRIM, D = ESC_DROP_CRLF, U = ESC_UNESCAPE, E = ESC_ESCAPE;
  const char* kLong = "a path C:\\Windows\\system\tthen\r\nmore";  // past a machine word
  const char* kLongOut = "a path C:\\\\Windows\\\\system\\tthen\\r\\nmore";
  // outSize 0 measures; out is what is written, or what measuring counts.
  struct {
    const char* in;
    uint32_t flags, outSize;
    int32_t limit;
    int rc;
    std::string out;
  } rows[] = {
      {"  a\tb \r\n", T | E, 64, -1, RC_OK, "a\\tb \\r\\n"},
      {"  a\tb \r\n", T | E | D, 64, -1, RC_OK, "a\\tb "},
      {"\t a b\t ", T | U, 64, -1, RC_OK, "a b"},
      {"a\rb\nc", D | E, 64, -1, RC_OK, "abc"},
      {kLong, E, 64, -1, RC_OK, kLongOut},
      {kLong, E, 0, -1, RC_OK, kLongOut},
      {"a\\tb\\\\c\\", U, 64, -1, RC_OK, "a\tb\\c"},  // a backslash at the end gives nothing
      {"C:\\\\Windows\\\\sys\\ra\\nb\\qc", U | E, 64, -1, RC_OK, "C:\\Windows\\sys\ra\nbqc"},
      {"a\\\r\nn", U | D, 64, -1, RC_OK, "a\n"},  // a dropped byte is not the one escaped
      {"abcdefghijk", E, 12, -1, RC_OK, "abcdefghij"},
      {"abcdef", U, 7, -1, RC_OK, "abcde"},  // cut at outSize - 2
      {"\t\t\tabcdefgh", E, 12, -1, RC_OK, "\\t\\t\\tabcd"},
      {"ab\tcd", E, 6, -1, RC_OK, "ab\\t"},
      {"abc\t", E, 6, -1, RC_OK, "abc\\t"},  // a sequence begun is written whole
      {"abcdef", E, 64, 3, RC_OK, "abc"},
      {"   ", T | E, 64, -1, RC_OK, ""},
      {"x", E, 2, -1, RC_OK, ""},
      {"ab\tc", T | 0x100, 64, -1, RC_OK, ""},  // no mode: nothing produced
      {"abcdef", E, 6, -1, RC_TOO_SMALL, ""},
      {"   x   ", T | E, 7, -1, RC_TOO_SMALL, ""},  // counted before trimming
      {"abcdefgh", E, 64, 0, RC_OK, ""},            // nothing to read: nothing written
      {"", E, 64, -1, RC_BAD_ARG, ""},
      {"abc", 0, 64, -1, RC_BAD_ARG, ""}};
  for (auto& r : rows) {
    std::string buf(r.outSize + 8, '\xEE'), written = r.rc || !r.limit ? "" : r.out + '\0';
    int32_t length = r.limit;
    EXPECT_EQ(r.rc, EscapeText(r.outSize ? &buf[0] : nullptr, r.in, &length, r.outSize, r.flags))
        << r.in;
    EXPECT_EQ(r.rc ? r.limit : int32_t(r.out.size()), length) << r.in;
    EXPECT_EQ(r.outSize ? written : "", buf.substr(0, r.outSize ? written.size() : 0)) << r.in;
    size_t from = written.empty() ? 0 : r.outSize;  // the guard bytes, or the whole buffer
    EXPECT_EQ(std::string(buf.size() - from, '\xEE'), buf.substr(from)) << r.in;
  }
  EXPECT_EQ(RC_BAD_ARG, EscapeText(nullptr, nullptr, nullptr, 0, ESC_ESCAPE));
}
