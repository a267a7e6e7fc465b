// Locale fonts and control text over the Win32 ANSI calls.
#include <stdlib.h>

#include "support/locale_fonts.h"

static_assert(sizeof(LOGFONTA) == 60 && LOCALE_IDEFAULTANSICODEPAGE == 0x1004 &&
                  TCI_SRCCODEPAGE == 2 && CONTROL_TEXT_SIZE == 64,
              "the numbers the fonts and texts are made with");

namespace {

// Fills codePage and charset from the table's lcid. codePage is kept when
// the character set alone cannot be found.
ResultCode QueryLocale(FontTable* t) {
  char text[6] = {0};
  if (!GetLocaleInfoA(t->lcid, LOCALE_IDEFAULTANSICODEPAGE, text, sizeof text)) return RC_FAILED;
  text[sizeof text - 1] = 0;
  t->codePage = (DWORD)atol(text);
  CHARSETINFO info;
  if (!TranslateCharsetInfo((DWORD*)(UINT_PTR)t->codePage, &info, TCI_SRCCODEPAGE))
    return RC_FAILED;
  t->charset = info.ciCharset & 0xFF;
  return RC_OK;
}

// Slot i's own font remade in the table's character set; when its face
// cannot be made in that set, any face will do. Null when the own font
// cannot be described or no font can be made.
HFONT MakeDerived(const FontTable* t, int i) {
  LOGFONTA lf = {};
  if (!GetObjectA(t->ownFonts[i], sizeof lf, &lf)) return nullptr;
  lf.lfFaceName[sizeof lf.lfFaceName - 1] = 0;
  lf.lfCharSet = (BYTE)t->charset;
  HFONT font = CreateFontIndirectA(&lf);
  if (!font) {
    lf.lfFaceName[0] = 0;
    font = CreateFontIndirectA(&lf);
  }
  return font;
}

bool IsLive(HWND w) { return w && IsWindow(w); }

void SetFont(HWND w, HFONT font, BOOL redraw) { SendMessageA(w, WM_SETFONT, (WPARAM)font, redraw); }

// A live control gets its derived font, else its own one, with redraw.
void GiveFont(const FontTable* t, int i) {
  HFONT font = t->derivedFonts[i] ? t->derivedFonts[i] : t->ownFonts[i];
  if (font && IsLive(t->controls[i])) SetFont(t->controls[i], font, TRUE);
}

ResultCode Restore(FontTable* t, BOOL redraw) {
  if (!t) return RC_BAD_ARG;
  for (int i = 0; i < FONT_TABLE_SLOTS; ++i) {
    // The control lets go of the derived font before it is deleted.
    if (t->ownFonts[i]) {
      if (IsLive(t->controls[i])) SetFont(t->controls[i], t->ownFonts[i], redraw);
      t->ownFonts[i] = nullptr;
    }
    if (t->derivedFonts[i]) {
      DeleteObject(t->derivedFonts[i]);
      t->derivedFonts[i] = nullptr;
    }
  }
  return RC_OK;
}

// Converts text into a 64-unit buffer; the units without the terminator,
// or 0 with the buffer emptied when the conversion fails.
DWORD Widen(DWORD codePage, const char* text, WCHAR* wide) {
  int units = MultiByteToWideChar(codePage, 0, text, -1, wide, CONTROL_TEXT_SIZE);
  if (units <= 0 || units > CONTROL_TEXT_SIZE) {
    ZeroMemory(wide, CONTROL_TEXT_SIZE * sizeof *wide);
    return 0;
  }
  wide[units - 1] = 0;
  return (DWORD)(units - 1);
}

}  // namespace

ResultCode FontTableUserLocale(FontTable* table) {
  if (!table) return RC_BAD_ARG;
  table->lcid = GetUserDefaultLCID();
  table->charset = 0;
  table->codePage = 0;
  return QueryLocale(table);
}

ResultCode FontTableApplyLocale(FontTable* table, DWORD lcid) {
  if (!table || !lcid) return RC_BAD_ARG;
  table->lcid = lcid & 0xFFFF;  // the language with the default sort order
  ResultCode rc = QueryLocale(table);
  if (rc != RC_OK) return rc;
  for (int i = 0; i < FONT_TABLE_SLOTS; ++i) {
    if (!table->ownFonts[i]) {
      GiveFont(table, i);
      continue;
    }
    // The control is given its new font before the old one is deleted, so
    // it never holds a deleted font.
    HFONT old = table->derivedFonts[i];
    table->derivedFonts[i] = MakeDerived(table, i);
    GiveFont(table, i);
    if (old) DeleteObject(old);
  }
  return RC_OK;
}

ResultCode FontTableApplyCurrent(FontTable* table) {
  if (!table) return RC_BAD_ARG;
  for (int i = 0; i < FONT_TABLE_SLOTS; ++i) {
    if (!table->ownFonts[i] && IsLive(table->controls[i]))
      table->ownFonts[i] = (HFONT)SendMessageA(table->controls[i], WM_GETFONT, 0, 0);
    if (table->ownFonts[i] && !table->derivedFonts[i])
      table->derivedFonts[i] = MakeDerived(table, i);
    GiveFont(table, i);
  }
  return RC_OK;
}

ResultCode FontTableRestore(FontTable* table) { return Restore(table, FALSE); }

ResultCode FontTableRestoreRedraw(FontTable* table) { return Restore(table, TRUE); }

ResultCode ReadControlText(ControlText* record, HWND control, DWORD codePage, int keepAnsi,
                           int makeWide, int asIs) {
  if (!record || !IsLive(control)) return RC_BAD_ARG;
  ZeroMemory(record, sizeof *record);
  LRESULT n = SendMessageA(control, WM_GETTEXT, CONTROL_TEXT_SIZE, (LPARAM)record->text);
  // Trust no control's count beyond the buffer.
  if (n < 0) n = 0;
  if (n > CONTROL_TEXT_SIZE - 1) n = CONTROL_TEXT_SIZE - 1;
  record->text[CONTROL_TEXT_SIZE - 1] = 0;

  if (n > 0) {
    lstrcpyA(record->lower, record->text);
    lstrcpyA(record->upper, record->text);
    record->ansiLength = (DWORD)n;
    if (asIs) {
      record->asIs = 1;
    } else {
      CharLowerA(record->lower);
      CharUpperA(record->upper);
    }
    if (makeWide && asIs) {
      record->wideLength = Widen(codePage, record->text, record->wideLower);
    } else if (makeWide) {
      record->wideLength = Widen(codePage, record->lower, record->wideLower);
      // Folded forms of different lengths cannot be compared unit by unit.
      if (record->wideLength &&
          Widen(codePage, record->upper, record->wideUpper) != record->wideLength) {
        record->wideLength = 0;
        ZeroMemory(record->wideLower, sizeof record->wideLower);
        ZeroMemory(record->wideUpper, sizeof record->wideUpper);
      }
    }
    if (!keepAnsi) {
      record->ansiLength = 0;
      ZeroMemory(record->lower, sizeof record->lower);
      ZeroMemory(record->upper, sizeof record->upper);
    }
  }
  if ((keepAnsi && !record->ansiLength) || (makeWide && !record->wideLength)) return RC_FAILED;
  return RC_OK;
}
