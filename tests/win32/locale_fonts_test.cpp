// The font table and the text reader on real controls, fonts and locale data.
#include "support/locale_fonts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

static HFONT FontOf(HWND w) { return HFONT(SendMessageA(w, WM_GETFONT, 0, 0)); }

TEST(LocaleFonts, ControlsGetTheLocalesCharsetAndTheirOwnFontsBack) {
  HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 200, 0, 0, 0, 0);
  HFONT own = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  FontTable t = {};
  for (int i = 0; i < 2; ++i)  // the second keeps the system font
    t.controls[i] = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 200, 20, parent, 0, 0, 0);
  SendMessageA(t.controls[0], WM_SETFONT, WPARAM(own), 0);
  t.controls[2] = HWND(0x1234), t.ownFonts[2] = own;  // not a window, but given an own font
  ASSERT_TRUE(FontTableApplyCurrent(&t) == RC_OK && FontTableApplyLocale(&t, 0x00010419) == RC_OK);
  EXPECT_TRUE(t.lcid == 0x0419 && t.codePage == 1251 && t.charset == RUSSIAN_CHARSET);
  LOGFONTA lf = {};
  EXPECT_TRUE(GetObjectA(FontOf(t.controls[0]), sizeof lf, &lf) && t.derivedFonts[2] &&
              lf.lfCharSet == RUSSIAN_CHARSET && lf.lfHeight == -12);
  EXPECT_FALSE(t.ownFonts[1] || t.derivedFonts[1] || FontOf(t.controls[1]));
  ASSERT_EQ(RC_OK, FontTableRestore(&t));
  EXPECT_EQ(own, FontOf(t.controls[0]));
  EXPECT_FALSE(t.ownFonts[0] || t.derivedFonts[0] || t.ownFonts[2] || t.derivedFonts[2]);
  DestroyWindow(parent), DeleteObject(own);
}

// The first 63 bytes, folded both ways and widened in code page 1251 ("Pri").
TEST(LocaleFonts, ReadControlTextFoldsAndWidensInTheGivenCodePage) {
  HWND edit = CreateWindowA("EDIT", ("Abc \xCF\xF0\xE8" + std::string(63, 'x')).c_str(), WS_POPUP,
                            0, 0, 200, 20, 0, 0, 0, 0);
  ControlText r;
  ASSERT_EQ(RC_OK, ReadControlText(&r, edit, 1251, 1, 1, 0));
  EXPECT_EQ(
      std::to_string(r.ansiLength) + r.lower + "|" + r.upper,
      "63abc \xEF\xF0\xE8" + std::string(56, 'x') + "|ABC \xCF\xD0\xC8" + std::string(56, 'X'));
  EXPECT_EQ(
      std::wstring((const wchar_t*)r.wideLower).substr(0, 8) + (const wchar_t*)r.wideUpper + L"",
      L"abc \x043F\x0440\x0438x" + std::wstring(L"ABC \x041F\x0420\x0418") +
          std::wstring(56, L'X'));
  DestroyWindow(edit);
}
