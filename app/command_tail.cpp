#include "app/command_tail.h"

const char* FindCommandTail(const char* commandLine) {
  const char* p = commandLine;
  if (*p == '"') {
    const char* q = p + 1;
    while (*q && *q != '"') ++q;
    // No closing quote: the whole line is the tail.
    if (!*q) return commandLine;
    p = q + 1;
  } else {
    while (*p && *p != ' ') ++p;
  }
  while (*p == ' ') ++p;
  return p;
}

bool TailSelectsUnattended(const char* tail) {
  if (!tail) return false;
  while (*tail == ' ' || *tail == '\t') ++tail;
  return *tail == 'A';
}
