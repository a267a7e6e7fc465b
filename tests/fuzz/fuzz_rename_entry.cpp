// InsertRenameEntry over any file text and entry, in exactly the N + L + 10
// bytes the file is mapped to, so that AddressSanitizer sees any write past
// them. The result is the text with the entry put behind the first
// "[rename]\r\n" before the first zero byte and behind the CR and LF bytes
// under it, or else the text, the header and the entry. The input is
// [L][entry][text].
#include <assert.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog/self_removal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const char* bytes = reinterpret_cast<const char*>(data);
  std::string entry(bytes + 1, std::min<size_t>(data[0], size - 1));
  std::string text(bytes + 1 + entry.size(), size - 1 - entry.size());
  std::vector<unsigned char> buffer(text.size() + entry.size() + RENAME_HEADER_SIZE);
  std::copy(text.begin(), text.end(), buffer.begin());
  uint32_t length = InsertRenameEntry(buffer.data(), text.size(), entry.data(), entry.size());
  // The rule, plainly: header and entry appended, unless a header is found.
  std::string want = text + RENAME_HEADER + entry;
  size_t header = text.substr(0, text.find('\0')).find(RENAME_HEADER);
  if (header != std::string::npos) {
    size_t p = text.find_first_not_of("\r\n", header + RENAME_HEADER_SIZE);
    p = std::min(p, text.size());
    want = text.substr(0, p) + entry + text.substr(p);
  }
  assert(want.size() == length);
  assert(want == std::string(buffer.begin(), buffer.begin() + length));
  return 0;
}
