// In-memory locales, controls and fonts for the locale-font bookkeeping.
// Handles are small numbers; every call that changes something is logged
// in order, and each failure the bookkeeping meets can be injected.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>
#include "support/locale_fonts.h"

struct FakeFontWorld {
  uint32_t userLocale = 0x0409;
  std::map<uint32_t, std::string> codePageText;  // lcid -> text; missing: failure
  std::map<uint32_t, uint32_t> charsets;         // code page -> charset; missing: failure
  std::set<ControlWindow> windows;               // live controls
  std::map<ControlWindow, FontHandle> fontOf;    // what WM_GETFONT answers
  std::map<ControlWindow, std::string> textOf;
  std::map<ControlWindow, long> textCountOf;     // a lying WM_GETTEXT count, when set
  std::map<FontHandle, FontDescription> fonts;   // fonts that exist and can be described
  std::set<FontHandle> undescribable;
  std::set<std::string> failFaces;               // faces that cannot be made
  bool failAnyFace = false;                      // the empty face fails too
  std::set<uint32_t> failWideCodePages;
  std::vector<std::string> log;                  // "set W F redraw", "make F face cs", "delete F"
  std::set<FontHandle> made;                     // made and not yet deleted
  int makeCalls = 0;
  int destroyedTwice = 0;                        // a delete of a font not made (or deleted)

  // Fonts made and not deleted, or deleted twice; empty when all is well.
  std::string Leaks() const;

  void Install();  // resets and installs as LocaleFontPlatform
  ControlWindow AddWindow(int id);
  FontHandle AddFont(int id, const char* face);
};

extern FakeFontWorld FakeFont;

inline void* FakeFontHandle(int id) { return (void*)(uintptr_t)id; }
