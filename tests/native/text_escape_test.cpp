// EscapeText's rules, one row each, with the bytes written out. Guard bytes
// follow the output buffer; nothing may touch them, nor the buffer on a refusal.
#include "support/text_escape.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

TEST(EscapeText, Rules) {
  const uint32_t T = ESC_TRIM, D = ESC_DROP_CRLF, U = ESC_UNESCAPE, E = ESC_ESCAPE;
  const uint32_t kNoMeaning = 0x100;  // a flag bit that is accepted and does nothing
  const char* kLong = "a path C:\\Windows\\system\tthen\r\nmore";  // past a machine word
  const char* kLongOut = "a path C:\\\\Windows\\\\system\\tthen\\r\\nmore";
  // outSize 0 measures; out is what is written, or what measuring counts.
  const std::tuple<const char*, uint32_t, uint32_t, int32_t, int, std::string> rows[] = {
      {"  a\tb \r\n", T | E, 64, -1, RC_OK, "a\\tb \\r\\n"},
      {"  a\tb \r\n", T | E | D, 64, -1, RC_OK, "a\\tb "},
      {"\t a b\t ", T | U, 64, -1, RC_OK, "a b"},
      {kLong, E, 64, -1, RC_OK, kLongOut},
      {kLong, E, 0, -1, RC_OK, kLongOut},
      {"a\\tb\\\\c\\", U, 64, -1, RC_OK, "a\tb\\c"},  // a backslash at the end gives nothing
      {"C:\\\\Windows\\\\sys\\ra\\nb\\qc", U | E, 64, -1, RC_OK, "C:\\Windows\\sys\ra\nbqc"},
      {"a\\\r\nn", U | D, 64, -1, RC_OK, "a\n"},  // a dropped byte is not the one escaped
      {"\t\t\tabcdefgh", E, 12, -1, RC_OK, "\\t\\t\\tabcd"},
      {"ab\tcd", E, 6, -1, RC_OK, "ab\\t"},
      {"abc\t", E, 6, -1, RC_OK, "abc\\t"},  // a sequence begun is written whole
      {"abcdef", E, 64, 3, RC_OK, "abc"},
      {"   ", T | E, 64, -1, RC_OK, ""},
      {"ab\tc", T | kNoMeaning, 64, -1, RC_OK, ""},  // no mode: nothing produced
      {"abcdef", E, 6, -1, RC_TOO_SMALL, ""},
      {"   x   ", T | E, 7, -1, RC_TOO_SMALL, ""},  // counted before trimming
      {"abcdefgh", E, 64, 0, RC_OK, ""},            // nothing to read: nothing written
      {"", E, 64, -1, RC_BAD_ARG, ""},
      {"abc", 0, 64, -1, RC_BAD_ARG, ""}};
  for (const auto& [in, flags, outSize, limit, rc, out] : rows) {
    std::string buf(outSize + 8, '\xEE'), written = rc || !limit ? "" : out + '\0';
    int32_t length = limit;
    EXPECT_EQ(rc, EscapeText(outSize ? &buf[0] : nullptr, in, &length, outSize, flags)) << in;
    EXPECT_EQ(rc ? limit : int32_t(out.size()), length) << in;
    EXPECT_EQ(outSize ? written : "", buf.substr(0, outSize ? written.size() : 0)) << in;
    size_t from = written.empty() ? 0 : outSize;  // the guard bytes, or the whole buffer
    EXPECT_EQ(std::string(buf.size() - from, '\xEE'), buf.substr(from)) << in;
  }
  EXPECT_EQ(RC_BAD_ARG, EscapeText(nullptr, nullptr, nullptr, 0, ESC_ESCAPE));
}
