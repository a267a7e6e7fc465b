// The font table on real controls, fonts and locale data.
#include "support/locale_fonts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

static HFONT FontOf(HWND w) { return HFONT(SendMessageA(w, WM_GETFONT, 0, 0)); }

// Slot 0: an edit with an Arial font of its own; slot 1: an edit with the
// system font; slot 2: no window, but given the Arial font. Applied as they
// are and then in Russian (with another sort order): the own fonts are remade
// in the locale's charset, at their size, and the system font stays. The
// restore gives the own fonts back and empties every font slot (the own and
// the derived ones lie side by side).
TEST(LocaleFonts, ControlsGetTheLocalesCharsetAndTheirOwnFontsBack) {
  HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 200, 0, 0, 0, 0);
  HFONT own = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  FontTable t = {
      {CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 200, 20, parent, 0, 0, 0),
       CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 200, 20, parent, 0, 0, 0), HWND(0x1234)},
      {nullptr, nullptr, own}};
  SendMessageA(t.controls[0], WM_SETFONT, WPARAM(own), 0);
  ASSERT_EQ(RC_OK, FontTableApplyCurrent(&t));
  const LANGID russian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, MAKELCID(russian, SORT_DEFAULT + 1)));
  EXPECT_EQ(russian, t.lcid);
  LOGFONTA lf = {};
  GetObjectA(FontOf(t.controls[0]), sizeof lf, &lf);
  EXPECT_EQ(RUSSIAN_CHARSET, lf.lfCharSet);
  EXPECT_EQ(-12, lf.lfHeight);
  EXPECT_NE(nullptr, t.derivedFonts[2]);
  EXPECT_EQ(nullptr, FontOf(t.controls[1]));
  ASSERT_EQ(RC_OK, FontTableRestore(&t));
  EXPECT_EQ(own, FontOf(t.controls[0]));
  EXPECT_EQ(std::vector<HFONT>(2 * FONT_TABLE_SLOTS),
            std::vector<HFONT>(t.ownFonts, t.ownFonts + 2 * FONT_TABLE_SLOTS));
  DestroyWindow(parent);
  DeleteObject(own);
}
