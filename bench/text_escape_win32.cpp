// EscapeText as the program carries it (i686, -Os), escaping and unescaping
// 64 MiB of mixed text, against memcpy of the same bytes. Best of three.
#include "bench/bench_common_win32.h"
#include "bench/mixed_text.h"
#include "support/text_escape.h"

static const DWORD kSize = 64u << 20, kOut = 2 * kSize + 2;

static char* Buffer(DWORD size) {
  return static_cast<char*>(VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_READWRITE));
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char *in = Buffer(kSize + 1), *escaped = Buffer(kOut), *back = Buffer(kOut);
  if (!in || !escaped || !back) {
    Say("escaping: not enough memory\n");
    return 1;
  }
  FillMixedText(in, kSize);
  double copy = 1e9, escape = 1e9, unescape = 1e9;
  int32_t escapedLength = -1, backLength = -1;
  bool ok = true;
  for (int run = 0; run < 3; ++run) {
    double t0 = Now();
    memcpy(back, in, kSize);
    double t1 = Now();
    escapedLength = -1;
    ok = EscapeText(escaped, in, &escapedLength, kOut, ESC_ESCAPE) == RC_OK && ok;
    double t2 = Now();
    backLength = -1;
    ok = EscapeText(back, escaped, &backLength, kOut, ESC_UNESCAPE) == RC_OK && ok;
    double t3 = Now();
    if (t1 - t0 < copy) copy = t1 - t0;
    if (t2 - t1 < escape) escape = t2 - t1;
    if (t3 - t2 < unescape) unescape = t3 - t2;
  }
  ok = ok && backLength == static_cast<int32_t>(kSize) && memcmp(back, in, kSize) == 0;
  double gb = kSize / 1e9;
  Say("shipped build (i686 -Os, under Wine): memcpy %.2f GB/s\n", gb / copy);
  Say("Escape:    %6.2f GB/s  memcpy is %.1fx faster\n", gb / escape, escape / copy);
  Say("Unescape:  %6.2f GB/s  memcpy is %.1fx faster%s\n", gb / unescape, unescape / copy,
      ok ? "" : "   ROUND TRIP FAILED");
  return 0;
}
