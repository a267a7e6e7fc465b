// The command tail, the change decision and the index rule over any input.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "app/command_tail.h"
#include "settings/automatic_change.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line((const char*)data, size);
  const char* c = line.c_str();
  const char* tail = FindCommandTail(c);
  // The tail always lies inside the command line and never begins with a blank,
  // except for the whole line returned for an unclosed quote.
  if (tail < c || tail > c + strlen(c)) abort();
  if (tail != c && *tail == ' ') abort();
  bool a = TailSelectsUnattended(tail);
  const char* t = tail;
  while (*t == ' ' || *t == '\t') ++t;
  if (a != (*t == 'A')) abort();

  if (size >= 13) {
    char mode = (char)data[0];
    uint32_t today, last;
    int32_t index, count;
    memcpy(&today, data + 1, 4);
    memcpy(&last, data + 5, 4);
    memcpy(&index, data + 9, 4);
    count = (int32_t)(today ^ last);
    ChangeDecision d = IsChangeDue(mode, today, last);
    bool rotating = mode == 'B' || mode == 'D' || mode == 'W';
    if ((d == CHANGE_END) == rotating) abort();
    if (mode == 'B' && d != CHANGE_DUE) abort();
    if (mode == 'D' && (d == CHANGE_DUE) != (today != last)) abort();
    if (mode == 'W' && (today >> 16) != (last >> 16) && d != CHANGE_DUE) abort();
    int32_t due = NextIndex(index, count, CHANGE_DUE);
    if (due < 0 || due > 31) abort();
    int32_t kept = NextIndex(index, count, CHANGE_NOT_DUE);
    if (kept != (index >= 32 ? 0 : index)) abort();
  }
  return 0;
}
