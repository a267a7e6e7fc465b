// The font table and the text reader against real controls, fonts and
// locale data.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "support/locale_fonts.h"

namespace {

HFONT FontOf(HWND w) { return (HFONT)SendMessageA(w, WM_GETFONT, 0, 0); }

TEST(LocaleFonts, CyrillicLocaleFontsAreGivenAndTakenBack) {
  HWND parent = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                              nullptr, nullptr, nullptr);
  FontTable t = {};
  for (int i = 0; i < 3; ++i)  // the third keeps the system font
    t.controls[i] = CreateWindowA(i == 1 ? "EDIT" : "STATIC", "", WS_CHILD | WS_VISIBLE, 5,
                                  5 + 25 * i, 200, 20, parent, nullptr, nullptr, nullptr);
  HFONT own = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  ASSERT_TRUE(parent && t.controls[2] && own);
  for (int i = 0; i < 2; ++i) SendMessageA((HWND)t.controls[i], WM_SETFONT, (WPARAM)own, 0);

  ASSERT_EQ(RC_OK, FontTableApplyCurrent(&t));
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0419));
  CHARSETINFO info = {};
  ASSERT_TRUE(TranslateCharsetInfo((DWORD*)1251, &info, TCI_SRCCODEPAGE));
  EXPECT_EQ(1251u, t.codePage);
  EXPECT_EQ(info.ciCharset & 0xFF, t.charset);
  EXPECT_EQ((uint32_t)RUSSIAN_CHARSET, t.charset);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ((FontHandle)own, t.ownFonts[i]);
    EXPECT_EQ((HFONT)t.derivedFonts[i], FontOf((HWND)t.controls[i]));
    LOGFONTA lf = {};
    ASSERT_EQ((int)sizeof lf, GetObjectA((HGDIOBJ)t.derivedFonts[i], sizeof lf, &lf));
    EXPECT_EQ(RUSSIAN_CHARSET, lf.lfCharSet);
    EXPECT_EQ(-12, lf.lfHeight);
  }
  EXPECT_EQ(nullptr, t.ownFonts[2]);
  EXPECT_EQ(nullptr, FontOf((HWND)t.controls[2]));

  ASSERT_EQ(RC_OK, FontTableRestoreRedraw(&t));
  for (int i = 0; i < 2; ++i) EXPECT_EQ(own, FontOf((HWND)t.controls[i]));
  for (int i = 0; i < FONT_TABLE_SLOTS; ++i) EXPECT_FALSE(t.ownFonts[i] || t.derivedFonts[i]);
  DestroyWindow(parent);
  DeleteObject(own);
}

TEST(LocaleFonts, ReadControlTextFoldsAndWidensInTheGivenCodePage) {
  // "Abc " and the Cyrillic "Pri" in code page 1251.
  HWND edit = CreateWindowA("EDIT", "Abc \xCF\xF0\xE8", WS_POPUP, 0, 0, 200, 20, nullptr,
                            nullptr, nullptr, nullptr);
  ControlText r;
  ASSERT_EQ(RC_OK, ReadControlText(&r, edit, 1251, 1, 1, 0));
  EXPECT_EQ(7u, r.ansiLength);
  EXPECT_STREQ("abc \xEF\xF0\xE8", r.lower);
  EXPECT_STREQ("ABC \xCF\xD0\xC8", r.upper);
  EXPECT_EQ(7u, r.wideLength);
  EXPECT_EQ(std::wstring(L"abc \x043F\x0440\x0438"), (const wchar_t*)r.wideLower);
  EXPECT_EQ(std::wstring(L"ABC \x041F\x0420\x0418"), (const wchar_t*)r.wideUpper);
  DestroyWindow(edit);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
