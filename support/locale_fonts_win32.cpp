// The locale-font platform operations over the Win32 ANSI calls.
#include <windows.h>
#include "support/locale_fonts.h"

static_assert(sizeof(LOGFONTA) == sizeof(FontDescription), "LOGFONTA layout");
static_assert(sizeof(WCHAR) == sizeof(uint16_t), "UTF-16 units");

static uint32_t UserDefaultLocaleWin32() { return GetUserDefaultLCID(); }

static int LocaleCodePageTextWin32(uint32_t lcid, char* buffer, int size) {
  return GetLocaleInfoA(lcid, LOCALE_IDEFAULTANSICODEPAGE, buffer, size);
}

static bool CharsetOfCodePageWin32(uint32_t codePage, uint32_t* charset) {
  CHARSETINFO info;
  if (!TranslateCharsetInfo((DWORD*)(UINT_PTR)codePage, &info, TCI_SRCCODEPAGE)) return false;
  *charset = info.ciCharset & 0xFF;
  return true;
}

static bool IsLiveWindowWin32(ControlWindow w) { return IsWindow((HWND)w) != FALSE; }

static FontHandle GetFontWin32(ControlWindow w) {
  return (FontHandle)SendMessageA((HWND)w, WM_GETFONT, 0, 0);
}

static void SetFontWin32(ControlWindow w, FontHandle f, bool redraw) {
  SendMessageA((HWND)w, WM_SETFONT, (WPARAM)f, redraw ? 1 : 0);
}

static long GetTextWin32(ControlWindow w, char* buffer, int size) {
  return (long)SendMessageA((HWND)w, WM_GETTEXT, (WPARAM)size, (LPARAM)buffer);
}

static int DescribeFontWin32(FontHandle f, FontDescription* d) {
  return GetObjectA((HGDIOBJ)f, sizeof(LOGFONTA), d);
}

static FontHandle MakeFontWin32(const FontDescription* d) {
  return CreateFontIndirectA((const LOGFONTA*)d);
}

static void DestroyFontWin32(FontHandle f) { DeleteObject((HGDIOBJ)f); }

static void ToLowerWin32(char* text) { CharLowerA(text); }

static void ToUpperWin32(char* text) { CharUpperA(text); }

static int ToWideWin32(uint32_t codePage, const char* text, uint16_t* wide, int units) {
  return MultiByteToWideChar(codePage, 0, text, -1, (WCHAR*)wide, units);
}

LocaleFontApi LocaleFontPlatform = {
    UserDefaultLocaleWin32, LocaleCodePageTextWin32, CharsetOfCodePageWin32, IsLiveWindowWin32,
    GetFontWin32,           SetFontWin32,            GetTextWin32,           DescribeFontWin32,
    MakeFontWin32,          DestroyFontWin32,        ToLowerWin32,           ToUpperWin32,
    ToWideWin32};
