#include <gtest/gtest.h>
#include <string.h>
#include <algorithm>
#include "support/locale_fonts.h"
#include "tests/fakes/fake_leaks.h"
#include "tests/fakes/fake_locale_fonts.h"

namespace {

FontHandle H(int id) { return FakeFontHandle(id); }
std::string N(FontHandle h) { return std::to_string((uintptr_t)h); }

class FontTableTest : public ::testing::Test {
 protected:
  FontTable t = {};
  // The table gives back every font it made, and deletes no other.
  void TearDown() override {
    FontTableRestore(&t);
    ExpectNothingLeft();
  }
  void SetUp() override {
    FakeFont.Install();
    FakeFont.codePageText = {{0x0419, "1251"}, {0x0411, "932"}, {0x0404, "950"}, {0x0412, "511"}};
    FakeFont.charsets = {{1251, 204}, {932, 128}, {511, 0x1CC}};
    for (int i = 0; i < 2; ++i) {  // controls 1 and 2 with own fonts 11 and 12
      t.controls[i] = FakeFont.AddWindow(1 + i);
      FakeFont.fontOf[t.controls[i]] = FakeFont.AddFont(11 + i, i ? "Courier" : "Tahoma");
    }
  }
  size_t At(const std::string& entry) {
    return std::find(FakeFont.log.begin(), FakeFont.log.end(), entry) - FakeFont.log.begin();
  }
};

TEST_F(FontTableTest, LocaleQuery) {
  EXPECT_EQ(RC_OK, FontTableApplyLocale(&t, 0x00010411));
  EXPECT_EQ(0x0411u, t.lcid);
  EXPECT_EQ(932u, t.codePage);
  EXPECT_EQ(128u, t.charset);
  EXPECT_EQ(RC_FAILED, FontTableApplyLocale(&t, 0x0407));  // no code page: both kept
  EXPECT_EQ(932u, t.codePage);
  EXPECT_EQ(RC_FAILED, FontTableApplyLocale(&t, 0x0404));  // no charset: new code page
  EXPECT_EQ(950u, t.codePage);
  EXPECT_EQ(128u, t.charset);
  EXPECT_TRUE(FakeFont.log.empty());
  EXPECT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0412));
  EXPECT_EQ(0xCCu, t.charset);  // the low byte only

  FakeFont.userLocale = 0x0404;
  EXPECT_EQ(RC_FAILED, FontTableUserLocale(&t));
  EXPECT_EQ(0x0404u, t.lcid);
  EXPECT_EQ(950u, t.codePage);
  EXPECT_EQ(0u, t.charset);
  FakeFont.userLocale = 0x0419;
  EXPECT_EQ(RC_OK, FontTableUserLocale(&t));
  EXPECT_EQ(204u, t.charset);

  for (int rc : {FontTableApplyLocale(&t, 0), FontTableApplyLocale(nullptr, 0x0419),
                 FontTableUserLocale(nullptr), FontTableApplyCurrent(nullptr),
                 FontTableRestore(nullptr), FontTableRestoreRedraw(nullptr)})
    EXPECT_EQ(RC_BAD_ARG, rc);
}

TEST_F(FontTableTest, SlotRules) {
  ControlWindow sys = t.controls[2] = FakeFont.AddWindow(3);  // uses the system font
  t.controls[3] = H(99);                                      // not a window ...
  t.ownFonts[3] = FakeFont.AddFont(14, "Arial");              // ... but given a font
  t.charset = 204;
  ASSERT_EQ(RC_OK, FontTableApplyCurrent(&t));
  ASSERT_EQ(RC_OK, FontTableApplyCurrent(&t));
  EXPECT_EQ(3, FakeFont.makeCalls);  // each derived font made once
  EXPECT_EQ(H(11), t.ownFonts[0]);
  EXPECT_EQ(nullptr, t.ownFonts[2]);
  EXPECT_EQ(nullptr, t.derivedFonts[2]);
  EXPECT_NE(nullptr, t.derivedFonts[3]);
  EXPECT_EQ(0u, FakeFont.fontOf.count(sys) + FakeFont.fontOf.count(H(99)));  // sent nothing
  EXPECT_EQ(t.derivedFonts[0], FakeFont.fontOf[t.controls[0]]);
  const FontDescription& d = FakeFont.fonts[t.derivedFonts[0]];
  EXPECT_EQ(204, d.charSet);
  EXPECT_STREQ("Tahoma", d.faceName);
  EXPECT_EQ(-11, d.height);

  std::string derived0 = N(t.derivedFonts[0]);
  FakeFont.log.clear();
  ASSERT_EQ(RC_OK, FontTableRestore(&t));
  EXPECT_LT(At("set 1 11"), At("delete " + derived0));  // own font back before the delete
  EXPECT_EQ(H(12), FakeFont.fontOf[t.controls[1]]);
  EXPECT_TRUE(FakeFont.made.empty());
  for (int i = 0; i < FONT_TABLE_SLOTS; ++i) EXPECT_FALSE(t.ownFonts[i] || t.derivedFonts[i]);
  FontTableApplyCurrent(&t);
  FakeFont.log.clear();
  FontTableRestoreRedraw(&t);
  EXPECT_EQ("set 1 11 redraw", FakeFont.log[0]);
}

TEST_F(FontTableTest, ApplyLocaleRemakesAndFallsBack) {
  t.ownFonts[0] = H(11);
  t.ownFonts[1] = H(12);
  FakeFont.undescribable.insert(H(12));
  FakeFont.failFaces.insert("Tahoma");
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0419));
  FontHandle first = t.derivedFonts[0];
  ASSERT_NE(nullptr, first);
  EXPECT_STREQ("", FakeFont.fonts[first].faceName);  // retried without the face
  EXPECT_EQ(204, FakeFont.fonts[first].charSet);
  EXPECT_EQ(nullptr, t.derivedFonts[1]);  // cannot be described: keeps its own font
  EXPECT_EQ(H(12), FakeFont.fontOf[t.controls[1]]);

  FakeFont.failFaces.clear();
  FakeFont.log.clear();
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0411));
  EXPECT_EQ(128, FakeFont.fonts[t.derivedFonts[0]].charSet);
  // The control holds its new font before the old one is deleted.
  EXPECT_LT(At("set 1 " + N(t.derivedFonts[0]) + " redraw"), At("delete " + N(first)));
  EXPECT_EQ(1u, FakeFont.made.size());

  FakeFont.failAnyFace = true;  // no font at all: the own font comes back
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0419));
  EXPECT_EQ(nullptr, t.derivedFonts[0]);
  EXPECT_EQ(H(11), FakeFont.fontOf[t.controls[0]]);
  EXPECT_TRUE(FakeFont.made.empty());
}

TEST(ReadControlText, Cases) {
  FakeFont.Install();
  ControlWindow w = FakeFont.AddWindow(1);
  struct Case {
    std::string text;
    int keepAnsi, makeWide, asIs;
    ResultCode rc;
    uint32_t ansiLength, wideLength;
    std::string lower, upper;
    std::u16string wideLower, wideUpper;
  } cases[] = {
      {"MiXed \xC4", 1, 1, 0, RC_OK, 7, 7, "mixed \xE4", "MIXED \xC4", u"mixed \u00E4", u"MIXED \u00C4"},
      {std::string(70, 'q'), 1, 0, 0, RC_OK, 63, 0, std::string(63, 'q'), std::string(63, 'Q'), u"", u""},
      {"AbC", 1, 1, 1, RC_OK, 3, 3, "AbC", "AbC", u"AbC", u""},
      // 0xFF folds up to a byte that takes two wide units: both forms go.
      {"x\xFF", 1, 1, 0, RC_FAILED, 2, 0, "x\xFF", "X\x9F", u"", u""},
      {"Hi", 0, 1, 0, RC_OK, 0, 2, "", "", u"hi", u"HI"},
      {"x\xFF", 0, 1, 0, RC_FAILED, 0, 0, "", "", u"", u""},
      {"", 0, 0, 0, RC_OK, 0, 0, "", "", u"", u""},
      {"", 1, 0, 0, RC_FAILED, 0, 0, "", "", u"", u""},
      {"", 0, 1, 0, RC_FAILED, 0, 0, "", "", u"", u""},
  };
  ControlText r;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    memset(&r, 0x5A, sizeof r);
    FakeFont.textOf[w] = c.text;
    EXPECT_EQ(c.rc, ReadControlText(&r, w, 1252, c.keepAnsi, c.makeWide, c.asIs));
    EXPECT_EQ(c.text.substr(0, 63), r.text);
    EXPECT_EQ(c.ansiLength, r.ansiLength);
    EXPECT_EQ(c.wideLength, r.wideLength);
    EXPECT_EQ(c.lower, r.lower);
    EXPECT_EQ(c.upper, r.upper);
    EXPECT_EQ(c.wideLower, (const char16_t*)r.wideLower);
    EXPECT_EQ(c.wideUpper, (const char16_t*)r.wideUpper);
  }
  FakeFont.failWideCodePages.insert(1251);
  EXPECT_EQ(RC_FAILED, ReadControlText(&r, w, 1251, 0, 1, 0));
  FakeFont.textCountOf[w] = 500;  // a control that claims more than the buffer
  ASSERT_EQ(RC_OK, ReadControlText(&r, w, 1252, 1, 0, 1));
  EXPECT_EQ(63u, r.ansiLength);
  EXPECT_EQ(RC_BAD_ARG, ReadControlText(&r, H(77), 1252, 1, 1, 0));
  EXPECT_EQ(RC_BAD_ARG, ReadControlText(nullptr, w, 1252, 1, 1, 0));
}

}  // namespace
