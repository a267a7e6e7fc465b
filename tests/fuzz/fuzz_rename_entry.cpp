// The Wininit.ini edit over any file text and entry: the length rule, the
// header and the entry where they belong, and every original byte kept in
// order. The buffer is exactly as large as the routine is promised, so
// AddressSanitizer sees any write beyond it.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include "dialog/self_removal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  size_t l = data[0] % 64;
  if (size < 1 + l) return 0;
  std::string entry((const char*)data + 1, l);
  std::string text((const char*)data + 1 + l, size - 1 - l);

  // The edit as the rules describe it, on strings.
  const std::string header(RENAME_HEADER, RENAME_HEADER_SIZE);
  std::string searched(text.c_str());  // the search stops at the first zero byte
  size_t k = searched.find(header);
  std::string want;
  if (k == std::string::npos) {
    want = text + header + entry;
  } else {
    size_t p = k + 8;
    while (p < text.size() && (text[p] == '\r' || text[p] == '\n')) ++p;
    want = text.substr(0, p) + entry + text.substr(p);
  }

  std::vector<unsigned char> buf(text.size() + l + RENAME_HEADER_SIZE, 0);
  memcpy(buf.data(), text.data(), text.size());
  uint32_t n = InsertRenameEntry(buf.data(), (uint32_t)text.size(), entry.data(), (uint32_t)l);
  if (n != want.size()) abort();
  if (memcmp(buf.data(), want.data(), n) != 0) abort();
  return 0;
}
