// Locale fonts and control text: the bookkeeping over LocaleFontPlatform.
#include "support/locale_fonts.h"
#include <stdlib.h>
#include <string.h>

namespace {

const LocaleFontApi& P = LocaleFontPlatform;

// Fills codePage and charset from the table's lcid. codePage is kept when
// the character set alone cannot be found.
ResultCode QueryLocale(FontTable* t) {
  char text[6] = {0};
  if (!P.LocaleCodePageText(t->lcid, text, sizeof text)) return RC_FAILED;
  text[sizeof text - 1] = 0;
  t->codePage = (uint32_t)atol(text);
  uint32_t charset = 0;
  if (!P.CharsetOfCodePage(t->codePage, &charset)) return RC_FAILED;
  t->charset = charset & 0xFF;
  return RC_OK;
}

// Slot i's own font remade in the table's character set; when its face
// cannot be made in that set, any face will do. Null when the own font
// cannot be described or no font can be made.
FontHandle MakeDerived(const FontTable* t, int i) {
  FontDescription d;
  memset(&d, 0, sizeof d);
  if (!P.DescribeFont(t->ownFonts[i], &d)) return nullptr;
  d.faceName[sizeof d.faceName - 1] = 0;
  d.charSet = (uint8_t)t->charset;
  FontHandle font = P.MakeFont(&d);
  if (!font) {
    d.faceName[0] = 0;
    font = P.MakeFont(&d);
  }
  // The platform makes a new font from the description; nothing points into d.
  // cppcheck-suppress returnDanglingLifetime
  return font;
}

bool IsLive(ControlWindow w) { return w && P.IsLiveWindow(w); }

// A live control gets its derived font, else its own one, with redraw.
void GiveFont(const FontTable* t, int i) {
  if (!IsLive(t->controls[i])) return;
  FontHandle font = t->derivedFonts[i] ? t->derivedFonts[i] : t->ownFonts[i];
  if (font) P.SetFont(t->controls[i], font, true);
}

ResultCode Restore(FontTable* t, bool redraw) {
  if (!t) return RC_BAD_ARG;
  for (int i = 0; i < FONT_TABLE_SLOTS; ++i) {
    // The control lets go of the derived font before it is deleted.
    if (t->ownFonts[i]) {
      if (IsLive(t->controls[i])) P.SetFont(t->controls[i], t->ownFonts[i], redraw);
      t->ownFonts[i] = nullptr;
    }
    if (t->derivedFonts[i]) {
      P.DestroyFont(t->derivedFonts[i]);
      t->derivedFonts[i] = nullptr;
    }
  }
  return RC_OK;
}

// Converts text into a 64-unit buffer; the units without the terminator,
// or 0 with the buffer emptied when the conversion fails.
uint32_t Widen(uint32_t codePage, const char* text, uint16_t* wide) {
  int units = P.ToWide(codePage, text, wide, CONTROL_TEXT_SIZE);
  if (units <= 0 || units > CONTROL_TEXT_SIZE) {
    memset(wide, 0, CONTROL_TEXT_SIZE * sizeof *wide);
    return 0;
  }
  wide[units - 1] = 0;
  return (uint32_t)(units - 1);
}

}  // namespace

ResultCode FontTableUserLocale(FontTable* table) {
  if (!table) return RC_BAD_ARG;
  table->lcid = P.UserDefaultLocale();
  table->charset = 0;
  table->codePage = 0;
  return QueryLocale(table);
}

ResultCode FontTableApplyLocale(FontTable* table, uint32_t lcid) {
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
    FontHandle old = table->derivedFonts[i];
    table->derivedFonts[i] = MakeDerived(table, i);
    GiveFont(table, i);
    if (old) P.DestroyFont(old);
  }
  return RC_OK;
}

ResultCode FontTableApplyCurrent(FontTable* table) {
  if (!table) return RC_BAD_ARG;
  for (int i = 0; i < FONT_TABLE_SLOTS; ++i) {
    if (!table->ownFonts[i] && IsLive(table->controls[i]))
      table->ownFonts[i] = P.GetFont(table->controls[i]);
    if (table->ownFonts[i] && !table->derivedFonts[i])
      table->derivedFonts[i] = MakeDerived(table, i);
    GiveFont(table, i);
  }
  return RC_OK;
}

ResultCode FontTableRestore(FontTable* table) { return Restore(table, false); }

ResultCode FontTableRestoreRedraw(FontTable* table) { return Restore(table, true); }

ResultCode ReadControlText(ControlText* record, ControlWindow control, uint32_t codePage,
                           int keepAnsi, int makeWide, int asIs) {
  if (!record || !IsLive(control)) return RC_BAD_ARG;
  memset(record, 0, sizeof *record);
  long n = P.GetText(control, record->text, CONTROL_TEXT_SIZE);
  // Trust no control's count beyond the buffer.
  if (n < 0) n = 0;
  if (n > CONTROL_TEXT_SIZE - 1) n = CONTROL_TEXT_SIZE - 1;
  record->text[CONTROL_TEXT_SIZE - 1] = 0;

  if (n > 0) {
    memcpy(record->lower, record->text, CONTROL_TEXT_SIZE);
    memcpy(record->upper, record->text, CONTROL_TEXT_SIZE);
    record->ansiLength = (uint32_t)n;
    if (asIs) {
      record->asIs = 1;
    } else {
      P.ToLower(record->lower);
      P.ToUpper(record->upper);
    }
    if (makeWide && asIs) {
      record->wideLength = Widen(codePage, record->text, record->wideLower);
    } else if (makeWide) {
      record->wideLength = Widen(codePage, record->lower, record->wideLower);
      // Folded forms of different lengths cannot be compared unit by unit.
      if (record->wideLength &&
          Widen(codePage, record->upper, record->wideUpper) != record->wideLength) {
        record->wideLength = 0;
        memset(record->wideLower, 0, sizeof record->wideLower);
        memset(record->wideUpper, 0, sizeof record->wideUpper);
      }
    }
    if (!keepAnsi) {
      record->ansiLength = 0;
      memset(record->lower, 0, sizeof record->lower);
      memset(record->upper, 0, sizeof record->upper);
    }
  }
  if ((keepAnsi && !record->ansiLength) || (makeWide && !record->wideLength)) return RC_FAILED;
  return RC_OK;
}
