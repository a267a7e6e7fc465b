#include <gtest/gtest.h>
#include <random>
#include <string>
#include "support/text_escape.h"

namespace {

struct Outcome {
  ResultCode rc;
  std::string out;  // bytes before the terminator
  int32_t length;
};

// Converts into a buffer of outSize bytes followed by guard bytes; fails the
// test when anything is written at or past outSize.
Outcome Convert(const std::string& in, uint32_t outSize, uint32_t flags, int32_t limit = -1) {
  std::string buf(outSize + 16, '\xEE');
  int32_t length = limit;
  Outcome r;
  r.rc = EscapeText(&buf[0], in.c_str(), &length, outSize, flags);
  for (size_t i = outSize; i < buf.size(); ++i) EXPECT_EQ('\xEE', buf[i]) << "byte " << i;
  r.out = buf.substr(0, buf.find('\0') == std::string::npos ? 0 : buf.find('\0'));
  if (r.rc == RC_OK) {
    EXPECT_LT(buf.find('\0'), outSize);
  }
  r.length = length;
  return r;
}

Outcome Measure(const std::string& in, uint32_t flags, int32_t limit = -1) {
  int32_t length = limit;
  Outcome r{EscapeText(nullptr, in.c_str(), &length, 0, flags), "", length};
  return r;
}

TEST(EscapeText, WorkedExamples) {
  struct Case {
    const char* in;
    uint32_t flags, outSize;
    int32_t limit;
    ResultCode rc;
    std::string out;
  } cases[] = {
      {"  a\tb \r\n", ESC_TRIM | ESC_ESCAPE, 64, -1, RC_OK, "a\\tb \\r\\n"},
      {"  a\tb \r\n", ESC_TRIM | ESC_ESCAPE | ESC_DROP_CRLF, 64, -1, RC_OK, "a\\tb "},
      {"a\\tb\\\\c\\", ESC_UNESCAPE, 64, -1, RC_OK, "a\tb\\c"},
      {"a\\qb", ESC_UNESCAPE, 64, -1, RC_OK, "aqb"},
      {"a\\tb", ESC_UNESCAPE | ESC_ESCAPE, 64, -1, RC_OK, "a\tb"},
      {"abcdef", ESC_ESCAPE, 7, -1, RC_OK, "abcde"},
      {"ab\tcd", ESC_ESCAPE, 6, -1, RC_OK, "ab\\t"},
      {"abc\t", ESC_ESCAPE, 6, -1, RC_OK, "abc\\t"},
      {"abcdef", ESC_ESCAPE, 64, 3, RC_OK, "abc"},
      {"   ", ESC_TRIM | ESC_ESCAPE, 64, -1, RC_OK, ""},
      {"x", ESC_ESCAPE, 2, -1, RC_OK, ""},
      {"a\\\r\nn", ESC_UNESCAPE | ESC_DROP_CRLF, 64, -1, RC_OK, "a\n"},
      {"ab\tc", ESC_TRIM, 64, -1, RC_OK, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    Outcome r = Convert(c.in, c.outSize, c.flags, c.limit);
    EXPECT_EQ(c.rc, r.rc);
    EXPECT_EQ(c.out, r.out);
    EXPECT_EQ((int32_t)c.out.size(), r.length);
  }
  EXPECT_EQ(5, Measure("a\\tb\\\\c\\", ESC_UNESCAPE).length);
}

TEST(EscapeText, RefusalsWriteNothing) {
  struct Case {
    const char* in;
    uint32_t flags, outSize;
    ResultCode rc;
  } cases[] = {
      {"abcdef", ESC_ESCAPE, 6, RC_TOO_SMALL},
      {"x", ESC_ESCAPE, 1, RC_TOO_SMALL},
      {"   x   ", ESC_TRIM | ESC_ESCAPE, 7, RC_TOO_SMALL},  // counted before trimming
      {"", ESC_ESCAPE, 64, RC_BAD_ARG},
      {"abc", 0, 64, RC_BAD_ARG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    std::string buf(c.outSize, '\xEE');
    int32_t length = 99;
    EXPECT_EQ(c.rc, EscapeText(&buf[0], c.in, &length, c.outSize, c.flags));
    EXPECT_EQ(std::string(c.outSize, '\xEE'), buf);
    EXPECT_EQ(99, length);
  }
  char buf[8] = "keep";
  EXPECT_EQ(RC_BAD_ARG, EscapeText(buf, nullptr, nullptr, sizeof buf, ESC_ESCAPE));
  int32_t zero = 0;
  EXPECT_EQ(RC_OK, EscapeText(buf, "abcdef", &zero, sizeof buf, ESC_ESCAPE));
  EXPECT_EQ(0, zero);
  EXPECT_STREQ("keep", buf);
  // No length pointer is fine both ways.
  EXPECT_EQ(RC_OK, EscapeText(buf, "a\tb", nullptr, sizeof buf, ESC_ESCAPE));
  EXPECT_STREQ("a\\tb", buf);
  EXPECT_EQ(RC_OK, EscapeText(nullptr, "a\tb", nullptr, 0, ESC_ESCAPE));
}

// Straightforward byte-at-a-time model of the conversion, to check the
// word-at-a-time scan of the real routine against.
std::string Model(const std::string& in, uint32_t flags, size_t bound) {
  size_t b = 0, e = in.size();
  if (flags & ESC_TRIM) {
    while (b < e && (in[b] == ' ' || in[b] == '\t')) ++b;
    while (e > b && (in[e - 1] == ' ' || in[e - 1] == '\t')) --e;
  }
  bool drop = flags & ESC_DROP_CRLF;
  auto dropped = [&](char c) { return drop && (c == '\r' || c == '\n'); };
  std::string o;
  for (size_t i = b; i < e && o.size() < bound; ++i) {
    char c = in[i];
    if (dropped(c)) continue;
    if (flags & ESC_UNESCAPE) {
      if (c == '\\') {
        do ++i; while (i < e && dropped(in[i]));
        if (i == e) break;
        c = in[i];
        c = c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
      }
      o += c;
    } else if (flags & ESC_ESCAPE) {
      const char* s = c == '\t' ? "\\t" : c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\\' ? "\\\\" : nullptr;
      if (s) o += s; else o += c;
    }
  }
  return o;
}

std::string RandomText(std::mt19937& rng, size_t maxLen) {
  static const char kBiased[] = " \t\r\n\\tnrqa\\\\  xyz";
  size_t len = 1 + rng() % maxLen;
  std::string s;
  for (size_t i = 0; i < len; ++i)
    s += (rng() % 3) ? kBiased[rng() % (sizeof kBiased - 1)] : char(1 + rng() % 255);
  return s;
}

TEST(EscapeText, GeneratedInputsMatchModelAndStayInBounds) {
  std::mt19937 rng(7);
  const uint32_t flagSets[] = {ESC_ESCAPE, ESC_UNESCAPE, ESC_TRIM | ESC_ESCAPE,
                               ESC_DROP_CRLF | ESC_ESCAPE, ESC_TRIM | ESC_DROP_CRLF | ESC_UNESCAPE,
                               ESC_ESCAPE | ESC_UNESCAPE, ESC_TRIM | 0x100};
  for (int round = 0; round < 3000; ++round) {
    std::string in = RandomText(rng, 80);
    uint32_t flags = flagSets[rng() % (sizeof flagSets / sizeof *flagSets)];
    std::string full = Model(in, flags, (size_t)-1);
    SCOPED_TRACE(::testing::PrintToString(in) + " flags " + std::to_string(flags));

    Outcome m = Measure(in, flags);
    ASSERT_EQ(RC_OK, m.rc);
    ASSERT_EQ((int32_t)full.size(), m.length);

    // A buffer large enough converts completely, to exactly the measured length.
    uint32_t roomy = (uint32_t)std::max(full.size() + 2, in.size() + 1);
    Outcome c = Convert(in, roomy, flags);
    ASSERT_EQ(RC_OK, c.rc);
    ASSERT_EQ(full, c.out);
    ASSERT_EQ(m.length, c.length);

    // Any other size: refused, or a prefix cut at the bound.
    uint32_t outSize = 1 + rng() % (2 * in.size() + 4);
    Outcome s = Convert(in, outSize, flags);
    if (in.size() >= outSize) {
      ASSERT_EQ(RC_TOO_SMALL, s.rc);
    } else {
      ASSERT_EQ(RC_OK, s.rc);
      ASSERT_EQ(Model(in, flags, outSize - 2), s.out);
      ASSERT_EQ((int32_t)s.out.size(), s.length);
    }
  }
}

TEST(EscapeText, UnescapeGivesBackWhatEscapeWrote) {
  std::mt19937 rng(11);
  for (int round = 0; round < 2000; ++round) {
    std::string in = RandomText(rng, 200);
    std::string esc(2 * in.size() + 2, '\0'), back(esc.size(), '\0');
    int32_t n = -1;
    ASSERT_EQ(RC_OK, EscapeText(&esc[0], in.c_str(), &n, esc.size(), ESC_ESCAPE));
    esc.resize(n);
    ASSERT_EQ(RC_OK, EscapeText(&back[0], esc.c_str(), &n, back.size(), ESC_UNESCAPE));
    ASSERT_EQ(in, back.substr(0, n));
  }
}

TEST(EscapeText, LongPlainRunsAreCutAtTheBound) {
  // The escaped tabs push the bound into a plain run longer than a word.
  std::string in = std::string(600, '\t') + std::string(1000, 'k') + "\\";
  for (uint32_t outSize : {1602u, 1605u, 1606u, 1607u, 1608u, 2200u, 2201u, 2202u, 2203u, 2204u}) {
    Outcome r = Convert(in, outSize, ESC_ESCAPE);
    ASSERT_EQ(RC_OK, r.rc) << outSize;
    EXPECT_EQ(Model(in, ESC_ESCAPE, outSize - 2), r.out) << outSize;
  }
}

}  // namespace
