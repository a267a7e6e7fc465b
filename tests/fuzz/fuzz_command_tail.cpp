// FindCommandTail and TailSelectsUnattended over any command line, kept in
// exactly its own bytes and terminator so that AddressSanitizer sees a read
// past them.
#include <assert.h>
#include <string.h>

#include <memory>

#include "app/command_tail.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<char[]> owned(new char[size + 1]);
  char* line = owned.get();
  memcpy(line, data, size);
  line[size] = 0;
  const char* tail = FindCommandTail(line);
  // The tail lies inside the text, at most at its terminator.
  assert(tail >= line);
  assert(tail <= line + strlen(line));
  assert(*tail != ' ');
  // An opening quote without a closing one: the tail is the whole line.
  bool quoted = line[0] == '"';
  const char* closing = quoted ? strchr(line + 1, '"') : nullptr;
  if (quoted && !closing) assert(tail == line);
  // Past the program name, only spaces are skipped.
  const char* nameEnd = closing ? closing + 1 : line + (quoted ? 0 : strcspn(line, " "));
  assert(tail >= nameEnd);
  assert(strspn(nameEnd, " ") >= size_t(tail - nameEnd));
  // The first character other than a space or a tab decides.
  assert((line[strspn(line, " \t")] == 'A') == TailSelectsUnattended(line));
  return 0;
}
