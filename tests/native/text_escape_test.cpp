#include <gtest/gtest.h>
#include <random>
#include <string>
#include "support/text_escape.h"
#include "tests/escape_model.h"

namespace {

struct Outcome {
  ResultCode rc;
  std::string out;
  int32_t length;
};

// Converts into outSize bytes followed by guard bytes that must stay intact;
// outSize 0 measures.
Outcome Escape(const std::string& in, uint32_t outSize, uint32_t flags, int32_t limit = -1) {
  std::string buf(outSize + 16, '\xEE');
  Outcome r{RC_OK, "", limit};
  r.rc = EscapeText(outSize ? &buf[0] : nullptr, in.c_str(), &r.length, outSize, flags);
  EXPECT_EQ(std::string(16, '\xEE'), buf.substr(outSize)) << "written past outSize";
  if (r.rc != RC_OK) {
    EXPECT_EQ(std::string(outSize + 16, '\xEE'), buf) << "written on failure";
  } else if (outSize) {
    r.out = buf.substr(0, buf.find('\0'));
  }
  return r;
}

TEST(EscapeText, WorkedExamples) {
  const uint32_t T = ESC_TRIM, D = ESC_DROP_CRLF, U = ESC_UNESCAPE, E = ESC_ESCAPE;
  struct Case {
    const char* in;
    uint32_t flags, outSize;
    int32_t limit;
    ResultCode rc;
    std::string out;
  } cases[] = {
      {"  a\tb \r\n", T | E, 64, -1, RC_OK, "a\\tb \\r\\n"},
      {"  a\tb \r\n", T | E | D, 64, -1, RC_OK, "a\\tb "},
      {"a\\tb\\\\c\\", U, 64, -1, RC_OK, "a\tb\\c"},
      {"a\\qb", U | E, 64, -1, RC_OK, "aqb"},
      {"a\\\r\nn", U | D, 64, -1, RC_OK, "a\n"},
      {"abcdef", E, 7, -1, RC_OK, "abcde"},
      {"ab\tcd", E, 6, -1, RC_OK, "ab\\t"},
      {"abc\t", E, 6, -1, RC_OK, "abc\\t"},
      {"abcdef", E, 64, 3, RC_OK, "abc"},
      {"   ", T | E, 64, -1, RC_OK, ""},
      {"x", E, 2, -1, RC_OK, ""},
      {"ab\tc", T | 0x100, 64, -1, RC_OK, ""},  // no mode: nothing produced
      {"abcdef", E, 6, -1, RC_TOO_SMALL, ""},
      {"x", E, 1, -1, RC_TOO_SMALL, ""},
      {"   x   ", T | E, 7, -1, RC_TOO_SMALL, ""},  // counted before trimming
      {"", E, 64, -1, RC_BAD_ARG, ""},
      {"abc", 0, 64, -1, RC_BAD_ARG, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    Outcome r = Escape(c.in, c.outSize, c.flags, c.limit);
    EXPECT_EQ(c.rc, r.rc);
    EXPECT_EQ(c.out, r.out);
    EXPECT_EQ(c.rc == RC_OK ? (int32_t)c.out.size() : c.limit, r.length);
  }
  EXPECT_EQ(5, Escape("a\\tb\\\\c\\", 0, ESC_UNESCAPE).length);
  Outcome none = Escape("abcdef", 8, ESC_ESCAPE, 0);  // a limit of 0 writes nothing
  EXPECT_EQ(RC_OK, none.rc);
  EXPECT_EQ(0, none.length);
  EXPECT_EQ(std::string(24, '\xEE'), none.out);
  EXPECT_EQ(RC_BAD_ARG, EscapeText(nullptr, nullptr, nullptr, 0, ESC_ESCAPE));
}


TEST(EscapeText, GeneratedInputs) {
  std::mt19937 rng(7);
  const uint32_t flagSets[] = {ESC_ESCAPE, ESC_UNESCAPE, ESC_TRIM | ESC_ESCAPE,
                               ESC_DROP_CRLF | ESC_ESCAPE, ESC_TRIM | ESC_DROP_CRLF | ESC_UNESCAPE};
  static const char kBiased[] = " \t\r\n\\tnrqa\\\\xyz";
  for (int round = 0; round < 4000; ++round) {
    std::string in(1 + rng() % 120, 'a');
    int plain = rng() % 10;  // some inputs are mostly plain, for long runs
    for (char& c : in)
      c = int(rng() % 10) < plain ? 'k' : rng() % 3 ? kBiased[rng() % (sizeof kBiased - 1)] : char(1 + rng() % 255);
    uint32_t flags = flagSets[rng() % 5];
    SCOPED_TRACE(::testing::PrintToString(in) + " flags " + std::to_string(flags));
    std::string full = EscapeModel(in, flags);

    // Measuring gives what a large enough buffer receives.
    ASSERT_EQ((int32_t)full.size(), Escape(in, 0, flags).length);
    Outcome c = Escape(in, std::max(full.size() + 2, in.size() + 1), flags);
    ASSERT_EQ(full, c.out);
    ASSERT_EQ((int32_t)full.size(), c.length);

    // Any other size is refused or cut at outSize - 2.
    uint32_t outSize = 1 + rng() % (2 * in.size() + 4);
    Outcome s = Escape(in, outSize, flags);
    ASSERT_EQ(in.size() >= outSize ? RC_TOO_SMALL : RC_OK, s.rc);
    if (s.rc == RC_OK) {
      ASSERT_EQ(EscapeModel(in, flags, outSize - 2), s.out);
    }

    // What escaping wrote unescapes to the input.
    if (flags == ESC_ESCAPE) {
      ASSERT_EQ(in, Escape(c.out, c.out.size() + 2, ESC_UNESCAPE).out);
    }
  }
}

}  // namespace
