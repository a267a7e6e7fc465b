// Locale fonts and control text. A FontTable gives up to 16 controls their
// own font remade in the character set of a chosen locale and later gives
// the own fonts back; ReadControlText reads a control's text with its
// case-folded and wide forms. The bookkeeping is plain logic; it reaches
// the platform only through LocaleFontPlatform.
#pragma once
#include <stdint.h>

// The support library's result numbers (shared with its other parts).
#include "support/result_codes.h"

typedef void* ControlWindow;  // HWND
typedef void* FontHandle;     // HFONT

enum { FONT_TABLE_SLOTS = 16, CONTROL_TEXT_SIZE = 64 };

// Caller-owned; zero-filled by the caller, who puts the controls in.
struct FontTable {
  ControlWindow controls[FONT_TABLE_SLOTS];  // empty slots stay null
  FontHandle ownFonts[FONT_TABLE_SLOTS];     // never deleted by the table
  FontHandle derivedFonts[FONT_TABLE_SLOTS]; // made and deleted by the table
  uint32_t lcid;
  uint32_t charset;   // 0..255
  uint32_t codePage;  // the locale's default ANSI code page
};

// Caller-owned; cleared whole by ReadControlText.
struct ControlText {
  uint32_t asIs;        // 1 when taken without case folding
  uint32_t ansiLength;  // bytes read; 0 when the ANSI copies are not kept
  uint32_t wideLength;  // UTF-16 units without the terminator; 0 when none
  char text[CONTROL_TEXT_SIZE];
  char lower[CONTROL_TEXT_SIZE];
  char upper[CONTROL_TEXT_SIZE];
  uint16_t wideLower[CONTROL_TEXT_SIZE];
  uint16_t wideUpper[CONTROL_TEXT_SIZE];
};

// A font's description, laid out as the platform's 60-byte ANSI one.
struct FontDescription {
  int32_t height, width, escapement, orientation, weight;
  uint8_t italic, underline, strikeOut, charSet;
  uint8_t outPrecision, clipPrecision, quality, pitchAndFamily;
  char faceName[32];
};
static_assert(sizeof(FontDescription) == 60, "FontDescription must match LOGFONTA");

// The platform operations the table and the text reader use.
struct LocaleFontApi {
  uint32_t (*UserDefaultLocale)();
  // The locale's default ANSI code page as decimal text; 0 on failure.
  int (*LocaleCodePageText)(uint32_t lcid, char* buffer, int size);
  // The character set for a code page; false when there is none.
  bool (*CharsetOfCodePage)(uint32_t codePage, uint32_t* charset);
  bool (*IsLiveWindow)(ControlWindow window);
  FontHandle (*GetFont)(ControlWindow window);  // null: the system font
  void (*SetFont)(ControlWindow window, FontHandle font, bool redraw);
  // At most size bytes with the terminator; returns the bytes copied.
  long (*GetText)(ControlWindow window, char* buffer, int size);
  // 0 when the description cannot be read.
  int (*DescribeFont)(FontHandle font, FontDescription* description);
  FontHandle (*MakeFont)(const FontDescription* description);
  void (*DestroyFont)(FontHandle font);
  void (*ToLower)(char* text);  // in place, by the ANSI code page's rules
  void (*ToUpper)(char* text);
  // Zero-terminated text into at most units UTF-16 units; returns the units
  // written with the terminator, 0 on failure.
  int (*ToWide)(uint32_t codePage, const char* text, uint16_t* wide, int units);
};
extern LocaleFontApi LocaleFontPlatform;

// Locale of the user's default locale identifier; no font is touched.
ResultCode FontTableUserLocale(FontTable* table);
// Takes the locale (default sort order) and remakes every derived font in
// its character set, giving each live control its derived or own font.
ResultCode FontTableApplyLocale(FontTable* table, uint32_t lcid);
// Takes missing own fonts from the controls and makes missing derived fonts
// in the table's current character set; existing derived fonts stay.
ResultCode FontTableApplyCurrent(FontTable* table);
// Gives the controls their own fonts back and deletes the derived ones.
ResultCode FontTableRestore(FontTable* table);
ResultCode FontTableRestoreRedraw(FontTable* table);

// Reads at most 63 bytes of the control's text, with lower- and upper-case
// copies (keepAnsi) and their UTF-16 forms in codePage (makeWide).
ResultCode ReadControlText(ControlText* record, ControlWindow control, uint32_t codePage,
                           int keepAnsi, int makeWide, int asIs);
