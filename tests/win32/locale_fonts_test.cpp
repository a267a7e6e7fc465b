// The font table and the text reader against real controls, fonts and
// locale data.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "support/locale_fonts.h"

namespace {

class LocaleFonts : public ::testing::Test {
 protected:
  HWND parent = nullptr, label = nullptr, edit = nullptr, plain = nullptr;
  HFONT own = nullptr;
  void SetUp() override {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    parent = CreateWindowA("STATIC", "fonts", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                           nullptr, inst, nullptr);
    label = CreateWindowA("STATIC", "label", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, parent,
                          nullptr, inst, nullptr);
    edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 5, 30, 200, 20, parent, nullptr,
                         inst, nullptr);
    plain = CreateWindowA("STATIC", "system font", WS_CHILD | WS_VISIBLE, 5, 60, 100, 20,
                          parent, nullptr, inst, nullptr);
    own = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    ASSERT_TRUE(parent && label && edit && plain && own);
    SendMessageA(label, WM_SETFONT, (WPARAM)own, 0);
    SendMessageA(edit, WM_SETFONT, (WPARAM)own, 0);
  }
  void TearDown() override {
    DestroyWindow(parent);
    DeleteObject(own);
  }
  HFONT FontOf(HWND w) { return (HFONT)SendMessageA(w, WM_GETFONT, 0, 0); }
};

TEST_F(LocaleFonts, CyrillicLocaleGivesControlsFontsInItsCharset) {
  CHARSETINFO info = {};
  ASSERT_TRUE(TranslateCharsetInfo((DWORD*)1251, &info, TCI_SRCCODEPAGE));
  EXPECT_EQ((UINT)RUSSIAN_CHARSET, info.ciCharset);

  FontTable t = {};
  t.controls[0] = label;
  t.controls[1] = edit;
  t.controls[2] = plain;
  ASSERT_EQ(RC_OK, FontTableApplyCurrent(&t));
  EXPECT_EQ((FontHandle)own, t.ownFonts[0]);
  EXPECT_EQ(nullptr, t.ownFonts[2]);  // the system font is left alone
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, 0x0419));
  EXPECT_EQ(0x0419u, t.lcid);
  EXPECT_EQ(1251u, t.codePage);
  EXPECT_EQ(info.ciCharset & 0xFF, t.charset);

  for (int i = 0; i < 2; ++i) {
    HWND w = (HWND)t.controls[i];
    ASSERT_NE(nullptr, t.derivedFonts[i]);
    EXPECT_EQ((HFONT)t.derivedFonts[i], FontOf(w));
    LOGFONTA lf = {};
    ASSERT_EQ((int)sizeof lf, GetObjectA((HGDIOBJ)t.derivedFonts[i], sizeof lf, &lf));
    EXPECT_EQ(RUSSIAN_CHARSET, lf.lfCharSet);
    EXPECT_EQ(-12, lf.lfHeight);
  }
  EXPECT_EQ(nullptr, FontOf(plain));

  ASSERT_EQ(RC_OK, FontTableRestoreRedraw(&t));
  EXPECT_EQ(own, FontOf(label));
  EXPECT_EQ(own, FontOf(edit));
  for (int i = 0; i < FONT_TABLE_SLOTS; ++i) EXPECT_FALSE(t.ownFonts[i] || t.derivedFonts[i]);
  LOGFONTA lf;
  EXPECT_EQ((int)sizeof lf, GetObjectA(own, sizeof lf, &lf));  // the own font lives on
}

TEST_F(LocaleFonts, LocaleIdentifiersAndTheUsersLocale) {
  FontTable t = {};
  ASSERT_EQ(RC_OK, FontTableApplyLocale(&t, 0x00010411));
  EXPECT_EQ(0x0411u, t.lcid);
  EXPECT_EQ(932u, t.codePage);
  EXPECT_EQ((uint32_t)SHIFTJIS_CHARSET, t.charset);

  ASSERT_EQ(RC_OK, FontTableUserLocale(&t));
  EXPECT_EQ((uint32_t)GetUserDefaultLCID(), t.lcid);
  CHARSETINFO info = {};
  ASSERT_TRUE(TranslateCharsetInfo((DWORD*)(UINT_PTR)t.codePage, &info, TCI_SRCCODEPAGE));
  EXPECT_EQ(info.ciCharset & 0xFF, t.charset);
}

TEST_F(LocaleFonts, ReadControlTextFoldsAndWidensInTheGivenCodePage) {
  // "Abc " and the Cyrillic "Pri" in code page 1251.
  SetWindowTextA(edit, "Abc \xCF\xF0\xE8");
  ControlText r;
  ASSERT_EQ(RC_OK, ReadControlText(&r, edit, 1251, 1, 1, 0));
  EXPECT_EQ(7u, r.ansiLength);
  EXPECT_STREQ("abc \xEF\xF0\xE8", r.lower);
  EXPECT_STREQ("ABC \xCF\xD0\xC8", r.upper);
  EXPECT_EQ(7u, r.wideLength);
  EXPECT_EQ(std::wstring(L"abc \x043F\x0440\x0438"), std::wstring((const wchar_t*)r.wideLower));
  EXPECT_EQ(std::wstring(L"ABC \x041F\x0420\x0418"), std::wstring((const wchar_t*)r.wideUpper));

  SetWindowTextA(edit, std::string(70, 'z').c_str());
  ASSERT_EQ(RC_OK, ReadControlText(&r, edit, 1251, 1, 0, 1));
  EXPECT_EQ(63u, r.ansiLength);
  EXPECT_EQ(std::string(63, 'z'), r.text);

  SetWindowTextA(edit, "");
  EXPECT_EQ(RC_FAILED, ReadControlText(&r, edit, 1251, 1, 0, 0));
  EXPECT_EQ(RC_OK, ReadControlText(&r, edit, 1251, 0, 0, 0));
  EXPECT_EQ(RC_BAD_ARG, ReadControlText(&r, (HWND)0x12345, 1251, 0, 0, 0));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
