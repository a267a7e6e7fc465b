// The command tail behind the program name, and the choice it makes. For
// ANSI and wide command lines alike.
#pragma once

// Returns a pointer into commandLine where the arguments begin; never copies.
template <typename Char>
const Char* FindCommandTail(const Char* commandLine) {
  const Char* p = commandLine;
  if (*p == '"') {
    const Char* q = p + 1;
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

// True when the first character other than a blank or tab is the capital A.
template <typename Char>
bool TailSelectsUnattended(const Char* tail) {
  if (!tail) return false;
  while (*tail == ' ' || *tail == '\t') ++tail;
  return *tail == 'A';
}

// The tail of this process's own command line (the Windows face).
const char* GetCommandTail();
