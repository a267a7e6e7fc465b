// Locale fonts and control text. A FontTable gives up to 16 controls their
// own font remade in the character set of a chosen locale and later gives
// the own fonts back; ReadControlText reads a control's text with its
// case-folded and wide forms. Windows only: the routines forward to the
// system's locale, font and window calls.
#pragma once
#include <windows.h>

#include "support/result_codes.h"

enum { FONT_TABLE_SLOTS = 16, CONTROL_TEXT_SIZE = 64 };

// Caller-owned; zero-filled by the caller, who puts the controls in.
struct FontTable {
  HWND controls[FONT_TABLE_SLOTS];       // empty slots stay null
  HFONT ownFonts[FONT_TABLE_SLOTS];      // never deleted by the table
  HFONT derivedFonts[FONT_TABLE_SLOTS];  // made and deleted by the table
  DWORD lcid;
  DWORD charset;   // 0..255
  DWORD codePage;  // the locale's default ANSI code page
};

// Caller-owned; cleared whole by ReadControlText.
struct ControlText {
  DWORD asIs;        // 1 when taken without case folding
  DWORD ansiLength;  // bytes read; 0 when the ANSI copies are not kept
  DWORD wideLength;  // UTF-16 units without the terminator; 0 when none
  char text[CONTROL_TEXT_SIZE];
  char lower[CONTROL_TEXT_SIZE];
  char upper[CONTROL_TEXT_SIZE];
  WCHAR wideLower[CONTROL_TEXT_SIZE];
  WCHAR wideUpper[CONTROL_TEXT_SIZE];
};

// Locale of the user's default locale identifier; no font is touched.
ResultCode FontTableUserLocale(FontTable* table);
// Takes the locale (default sort order) and remakes every derived font in
// its character set, giving each live control its derived or own font.
ResultCode FontTableApplyLocale(FontTable* table, DWORD lcid);
// Takes missing own fonts from the controls and makes missing derived fonts
// in the table's current character set; existing derived fonts stay.
ResultCode FontTableApplyCurrent(FontTable* table);
// Gives the controls their own fonts back and deletes the derived ones.
ResultCode FontTableRestore(FontTable* table);
ResultCode FontTableRestoreRedraw(FontTable* table);

// Reads at most 63 bytes of the control's text, with lower- and upper-case
// copies (keepAnsi) and their UTF-16 forms in codePage (makeWide).
ResultCode ReadControlText(ControlText* record, HWND control, DWORD codePage, int keepAnsi,
                           int makeWide, int asIs);
