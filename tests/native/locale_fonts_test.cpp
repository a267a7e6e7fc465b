#include <gtest/gtest.h>
#include <string.h>
#include <algorithm>
#include "support/locale_fonts.h"
#include "tests/fakes/fake_locale_fonts.h"

namespace {

class FontTableTest : public ::testing::Test {
 protected:
  FontTable t;
  ControlWindow a, b;
  FontHandle ownA, ownB;
  void SetUp() override {
    FakeFont.Install();
    FakeFont.codePageText = {{0x0419, "1251"}, {0x0411, "932"}, {0x0409, "1252"}, {0x0404, "950"}};
    FakeFont.charsets = {{1251, 204}, {932, 128}, {1252, 0}, {0x1FF, 0x1CC}};
    memset(&t, 0, sizeof t);
    a = t.controls[0] = FakeFont.AddWindow(1);
    b = t.controls[1] = FakeFont.AddWindow(2);
    ownA = FakeFont.AddFont(11, "Tahoma");
    ownB = FakeFont.AddFont(12, "Courier");
    FakeFont.fontOf[a] = ownA;
    FakeFont.fontOf[b] = ownB;
  }
  size_t Find(const std::string& entry) {
    auto& l = FakeFont.log;
    return std::find(l.begin(), l.end(), entry) - l.begin();
  }
};

TEST_F(FontTableTest, LocaleQueryFillsOrKeepsWhatItReached) {
  EXPECT_EQ(RC_OK, FontTableApplyLocale(&t, 0x00010411));
  EXPECT_EQ(0x0411u, t.lcid);
  EXPECT_EQ(932u, t.codePage);
  EXPECT_EQ(128u, t.charset);

  // Code page unknown: nothing else changes and no font is touched.
  FakeFont.log.clear();
  EXPECT_EQ(RC_FAILED, FontTableApplyLocale(&t, 0x0407));
  EXPECT_EQ(0x0407u, t.lcid);
  EXPECT_EQ(932u, t.codePage);
  EXPECT_EQ(128u, t.charset);
  // Character set unknown: the code page is already the new one.
  EXPECT_EQ(RC_FAILED, FontTableApplyLocale(&t, 0x0404));
  EXPECT_EQ(950u, t.codePage);
  EXPECT_EQ(128u, t.charset);
  EXPECT_TRUE(FakeFont.log.empty());

  FakeFont.userLocale = 0x0419;
  EXPECT_EQ(RC_OK, FontTableUserLocale(&t));
  EXPECT_EQ(0x0419u, t.lcid);
  EXPECT_EQ(1251u, t.codePage);
  EXPECT_EQ(204u, t.charset);
  FakeFont.userLocale = 0x0404;
  EXPECT_EQ(RC_FAILED, FontTableUserLocale(&t));
  EXPECT_EQ(950u, t.codePage);
  EXPECT_EQ(0u, t.charset);
  FakeFont.userLocale = 0x0407;
  EXPECT_EQ(RC_FAILED, FontTableUserLocale(&t));
  EXPECT_EQ(0u, t.codePage);

  // Only the low byte of a character set counts.
  FakeFont.codePageText[0x0412] = "511";
  EXPECT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0412));
  EXPECT_EQ(0xCCu, t.charset);

  EXPECT_EQ(RC_BAD_ARG, FontTableApplyLocale(&t, 0));
  EXPECT_EQ(RC_BAD_ARG, FontTableApplyLocale(nullptr, 0x0419));
  EXPECT_EQ(RC_BAD_ARG, FontTableUserLocale(nullptr));
  EXPECT_EQ(RC_BAD_ARG, FontTableApplyCurrent(nullptr));
  EXPECT_EQ(RC_BAD_ARG, FontTableRestore(nullptr));
  EXPECT_EQ(RC_BAD_ARG, FontTableRestoreRedraw(nullptr));
}

TEST_F(FontTableTest, ApplyCurrentTwiceMakesEachFontOnceAndRestoreGivesBack) {
  ControlWindow sys = t.controls[2] = FakeFont.AddWindow(3);  // uses the system font
  t.charset = 204;
  ASSERT_EQ(RC_OK, FontTableApplyCurrent(&t));
  ASSERT_EQ(RC_OK, FontTableApplyCurrent(&t));
  EXPECT_EQ(2, FakeFont.makeCalls);
  EXPECT_EQ(ownA, t.ownFonts[0]);
  EXPECT_EQ(ownB, t.ownFonts[1]);
  EXPECT_EQ(nullptr, t.ownFonts[2]);
  EXPECT_EQ(nullptr, t.derivedFonts[2]);
  EXPECT_EQ(0u, FakeFont.fontOf.count(sys));  // never sent a font
  ASSERT_TRUE(t.derivedFonts[0] && t.derivedFonts[1]);
  EXPECT_EQ(t.derivedFonts[0], FakeFont.fontOf[a]);
  EXPECT_EQ(204, FakeFont.fonts[t.derivedFonts[0]].charSet);
  EXPECT_STREQ("Tahoma", FakeFont.fonts[t.derivedFonts[0]].faceName);
  EXPECT_EQ(-11, FakeFont.fonts[t.derivedFonts[0]].height);

  FontHandle derivedA = t.derivedFonts[0];
  FakeFont.log.clear();
  ASSERT_EQ(RC_OK, FontTableRestore(&t));
  EXPECT_EQ(ownA, FakeFont.fontOf[a]);
  EXPECT_EQ(ownB, FakeFont.fontOf[b]);
  EXPECT_LT(Find("set 1 11"), Find("delete " + std::to_string((uintptr_t)derivedA)));
  EXPECT_TRUE(FakeFont.made.empty());
  for (int i = 0; i < FONT_TABLE_SLOTS; ++i) EXPECT_FALSE(t.ownFonts[i] || t.derivedFonts[i]);

  ASSERT_EQ(RC_OK, FontTableApplyCurrent(&t));
  FakeFont.log.clear();
  ASSERT_EQ(RC_OK, FontTableRestoreRedraw(&t));
  EXPECT_EQ("set 1 11 redraw", FakeFont.log[0]);
}

TEST_F(FontTableTest, OwnFontWithoutWindowGetsDerivedFontButIsSentNothing) {
  FontHandle own = FakeFont.AddFont(13, "Arial");
  t.controls[5] = FakeFontHandle(99);  // not a live window
  t.ownFonts[5] = own;
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0419));
  ASSERT_NE(nullptr, t.derivedFonts[5]);
  ASSERT_EQ(RC_OK, FontTableApplyCurrent(&t));
  for (const std::string& e : FakeFont.log) EXPECT_EQ(std::string::npos, e.find("set 99"));
  ASSERT_EQ(RC_OK, FontTableRestore(&t));
  EXPECT_EQ(nullptr, t.ownFonts[5]);
  EXPECT_EQ(nullptr, t.derivedFonts[5]);
  EXPECT_TRUE(FakeFont.made.empty());
}

TEST_F(FontTableTest, ApplyLocaleRemakesDerivedFontsWithoutLeaksOrStaleFonts) {
  t.ownFonts[0] = ownA;
  t.ownFonts[1] = ownB;
  FakeFont.undescribable.insert(ownB);
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0419));
  FontHandle first = t.derivedFonts[0];
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(nullptr, t.derivedFonts[1]);  // cannot be described: keeps its own font
  EXPECT_EQ(ownB, FakeFont.fontOf[b]);

  FakeFont.log.clear();
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0411));
  ASSERT_NE(nullptr, t.derivedFonts[0]);
  EXPECT_EQ(128, FakeFont.fonts[t.derivedFonts[0]].charSet);
  EXPECT_EQ(t.derivedFonts[0], FakeFont.fontOf[a]);
  // The control holds its new font before the old one goes.
  std::string setNew = "set 1 " + std::to_string((uintptr_t)t.derivedFonts[0]) + " redraw";
  EXPECT_LT(Find(setNew), Find("delete " + std::to_string((uintptr_t)first)));
  EXPECT_EQ(1u, FakeFont.made.size());
  FontTableRestore(&t);
}

TEST_F(FontTableTest, FaceThatCannotBeMadeIsRetriedWithoutFace) {
  t.ownFonts[0] = ownA;
  FakeFont.failFaces.insert("Tahoma");
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0419));
  ASSERT_NE(nullptr, t.derivedFonts[0]);
  EXPECT_STREQ("", FakeFont.fonts[t.derivedFonts[0]].faceName);
  EXPECT_EQ(204, FakeFont.fonts[t.derivedFonts[0]].charSet);

  // Neither works: the control gets its own font back.
  FakeFont.failAnyFace = true;
  FakeFont.makeCalls = 0;
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0411));
  EXPECT_EQ(2, FakeFont.makeCalls);
  EXPECT_EQ(nullptr, t.derivedFonts[0]);
  EXPECT_EQ(ownA, FakeFont.fontOf[a]);
  EXPECT_TRUE(FakeFont.made.empty());
}

class ReadControlTextTest : public ::testing::Test {
 protected:
  ControlText r;
  ControlWindow w;
  void SetUp() override {
    FakeFont.Install();
    w = FakeFont.AddWindow(1);
    memset(&r, 0x5A, sizeof r);
  }
  std::u16string Wide(const uint16_t* s) { return std::u16string((const char16_t*)s); }
};

TEST_F(ReadControlTextTest, FoldsCaseAndWidens) {
  FakeFont.textOf[w] = "MiXed \xC4";
  ASSERT_EQ(RC_OK, ReadControlText(&r, w, 1252, 1, 1, 0));
  EXPECT_EQ(0u, r.asIs);
  EXPECT_EQ(7u, r.ansiLength);
  EXPECT_STREQ("MiXed \xC4", r.text);
  EXPECT_STREQ("mixed \xE4", r.lower);
  EXPECT_STREQ("MIXED \xC4", r.upper);
  EXPECT_EQ(7u, r.wideLength);
  EXPECT_EQ(u"mixed \u00E4", Wide(r.wideLower));
  EXPECT_EQ(u"MIXED \u00C4", Wide(r.wideUpper));
}

TEST_F(ReadControlTextTest, Cases) {
  struct Case {
    std::string text;
    int keepAnsi, makeWide, asIs;
    ResultCode rc;
    uint32_t ansiLength, wideLength;
    std::string lower, upper;
    std::u16string wideLower, wideUpper;
  } cases[] = {
      // Cut to 63 bytes.
      {std::string(70, 'q'), 1, 0, 0, RC_OK, 63, 0, std::string(63, 'q'), std::string(63, 'Q'), u"", u""},
      // As is: exact copies; the wide form is of the text, no upper form.
      {"AbC", 1, 1, 1, RC_OK, 3, 3, "AbC", "AbC", u"AbC", u""},
      // Lower and upper forms of different wide lengths are both dropped.
      {"x\xFF", 1, 1, 0, RC_FAILED, 2, 0, "x\xFF", "X\x9F", u"", u""},
      // ANSI copies not kept: the wide forms stay and decide the result.
      {"Hi", 0, 1, 0, RC_OK, 0, 2, "", "", u"hi", u"HI"},
      {"x\xFF", 0, 1, 0, RC_FAILED, 0, 0, "", "", u"", u""},
      // Empty control.
      {"", 0, 0, 0, RC_OK, 0, 0, "", "", u"", u""},
      {"", 1, 0, 0, RC_FAILED, 0, 0, "", "", u"", u""},
      {"", 0, 1, 0, RC_FAILED, 0, 0, "", "", u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    FakeFont.textOf[w] = c.text;
    EXPECT_EQ(c.rc, ReadControlText(&r, w, 1252, c.keepAnsi, c.makeWide, c.asIs));
    EXPECT_EQ(c.text.substr(0, 63), r.text);
    EXPECT_EQ(c.ansiLength, r.ansiLength);
    EXPECT_EQ(c.wideLength, r.wideLength);
    EXPECT_EQ(c.lower, r.lower);
    EXPECT_EQ(c.upper, r.upper);
    EXPECT_EQ(c.wideLower, Wide(r.wideLower));
    EXPECT_EQ(c.wideUpper, Wide(r.wideUpper));
  }
}

TEST_F(ReadControlTextTest, FailuresAndUntrustedCounts) {
  FakeFont.textOf[w] = "abc";
  FakeFont.failWideCodePages.insert(1251);
  ASSERT_EQ(RC_FAILED, ReadControlText(&r, w, 1251, 1, 1, 0));
  EXPECT_EQ(3u, r.ansiLength);
  EXPECT_EQ(0u, r.wideLength);
  EXPECT_EQ(u"", Wide(r.wideLower));

  // A control that claims more than the buffer holds is cut to it.
  FakeFont.textCountOf[w] = 500;
  ASSERT_EQ(RC_OK, ReadControlText(&r, w, 1252, 1, 0, 1));
  EXPECT_EQ(63u, r.ansiLength);
  EXPECT_EQ(0, r.text[63]);

  memset(&r, 0x5A, sizeof r);
  EXPECT_EQ(RC_BAD_ARG, ReadControlText(&r, FakeFontHandle(77), 1252, 1, 1, 0));
  EXPECT_EQ(0x5A, r.text[0]);  // untouched
  EXPECT_EQ(RC_BAD_ARG, ReadControlText(nullptr, w, 1252, 1, 1, 0));
}

}  // namespace
