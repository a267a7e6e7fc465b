#include "tests/fakes/fake_locale_fonts.h"
#include <string.h>

FakeFontWorld FakeFont;

namespace {

std::string Name(void* h) { return std::to_string((uintptr_t)h); }

uint32_t UserDefaultLocale() { return FakeFont.userLocale; }

int LocaleCodePageText(uint32_t lcid, char* buffer, int size) {
  auto it = FakeFont.codePageText.find(lcid);
  if (it == FakeFont.codePageText.end() || (int)it->second.size() >= size) return 0;
  memcpy(buffer, it->second.c_str(), it->second.size() + 1);
  return (int)it->second.size() + 1;
}

bool CharsetOfCodePage(uint32_t codePage, uint32_t* charset) {
  auto it = FakeFont.charsets.find(codePage);
  if (it == FakeFont.charsets.end()) return false;
  *charset = it->second;
  return true;
}

bool IsLiveWindow(ControlWindow w) { return FakeFont.windows.count(w) != 0; }

FontHandle GetFont(ControlWindow w) {
  auto it = FakeFont.fontOf.find(w);
  return it == FakeFont.fontOf.end() ? nullptr : it->second;
}

void SetFont(ControlWindow w, FontHandle f, bool redraw) {
  FakeFont.fontOf[w] = f;
  FakeFont.log.push_back("set " + Name(w) + " " + Name(f) + (redraw ? " redraw" : ""));
}

long GetText(ControlWindow w, char* buffer, int size) {
  std::string t = FakeFont.textOf[w].substr(0, size - 1);
  memcpy(buffer, t.c_str(), t.size() + 1);
  auto lie = FakeFont.textCountOf.find(w);
  return lie != FakeFont.textCountOf.end() ? lie->second : (long)t.size();
}

int DescribeFont(FontHandle f, FontDescription* d) {
  auto it = FakeFont.fonts.find(f);
  if (it == FakeFont.fonts.end() || FakeFont.undescribable.count(f)) return 0;
  *d = it->second;
  return sizeof *d;
}

FontHandle MakeFont(const FontDescription* d) {
  ++FakeFont.makeCalls;
  std::string face(d->faceName, strnlen(d->faceName, sizeof d->faceName));
  FakeFont.log.push_back("make " + face + " " + std::to_string(d->charSet));
  if (FakeFont.failAnyFace || FakeFont.failFaces.count(face)) return nullptr;
  FontHandle f = FakeFontHandle(1000 + FakeFont.makeCalls);
  FakeFont.fonts[f] = *d;
  FakeFont.made.insert(f);
  return f;
}

void DestroyFont(FontHandle f) {
  FakeFont.log.push_back("delete " + Name(f));
  // Only fonts this layer made may go: an own font of a control, or one
  // already deleted, counts as a second delete.
  if (!FakeFont.made.erase(f)) ++FakeFont.destroyedTwice;
  FakeFont.fonts.erase(f);
}

// Case folding of a small made-up code page: ASCII letters, and 0xE0..0xFE
// against 0xC0..0xDE; 0xFF has the upper case 0x9F.
void ToLower(char* t) {
  for (unsigned char* p = (unsigned char*)t; *p; ++p)
    if ((*p >= 'A' && *p <= 'Z') || (*p >= 0xC0 && *p <= 0xDE)) *p += 0x20;
}
void ToUpper(char* t) {
  for (unsigned char* p = (unsigned char*)t; *p; ++p) {
    if ((*p >= 'a' && *p <= 'z') || (*p >= 0xE0 && *p <= 0xFE)) *p -= 0x20;
    else if (*p == 0xFF) *p = 0x9F;
  }
}

// One unit per byte, except 0x9F, which takes two (a pair).
int ToWide(uint32_t codePage, const char* text, uint16_t* wide, int units) {
  if (FakeFont.failWideCodePages.count(codePage)) return 0;
  int n = 0;
  for (const unsigned char* p = (const unsigned char*)text; *p; ++p) {
    int need = *p == 0x9F ? 2 : 1;
    if (n + need + 1 > units) return 0;
    if (need == 2) wide[n++] = 0xD800;
    wide[n++] = need == 2 ? 0xDC00 : *p;
  }
  wide[n++] = 0;
  return n;
}

}  // namespace

void FakeFontWorld::Install() {
  FakeFont = FakeFontWorld();
  LocaleFontPlatform = LocaleFontApi{UserDefaultLocale, LocaleCodePageText, CharsetOfCodePage,
                                     IsLiveWindow,      GetFont,            SetFont,
                                     GetText,           DescribeFont,       MakeFont,
                                     DestroyFont,       ToLower,            ToUpper,
                                     ToWide};
}

std::string FakeFontWorld::Leaks() const {
  std::string out;
  if (!made.empty()) out += std::to_string(made.size()) + " font(s) left; ";
  if (destroyedTwice) out += std::to_string(destroyedTwice) + " font(s) deleted twice; ";
  return out;
}

ControlWindow FakeFontWorld::AddWindow(int id) {
  windows.insert(FakeFontHandle(id));
  return FakeFontHandle(id);
}

FontHandle FakeFontWorld::AddFont(int id, const char* face) {
  FontDescription d;
  memset(&d, 0, sizeof d);
  d.height = -11;
  strncpy(d.faceName, face, sizeof d.faceName - 1);
  fonts[FakeFontHandle(id)] = d;
  return FakeFontHandle(id);
}

LocaleFontApi LocaleFontPlatform = {};
