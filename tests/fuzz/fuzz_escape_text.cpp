// EscapeText over any input and bounds: nothing written at or past outSize,
// nor at all when it refuses; what it writes is terminated and as long as it
// says; and any text, escaped into room enough and unescaped again, comes
// back as it was.
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "support/text_escape.h"

static std::string Run(const std::string& in, uint32_t flags) {
  std::vector<char> out(2 * in.size() + 2);
  int32_t length = -1;
  if (EscapeText(out.data(), in.c_str(), &length, uint32_t(out.size()), flags) != RC_OK) abort();
  return std::string(out.data(), size_t(length));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint32_t flags = (data[0] & 0x33) | (data[0] & 0x80 ? 0x100 : 0);  // 0x100 has no meaning
  uint32_t outSize = data[1] | (data[2] & 0x03) << 8;
  int32_t limit = int8_t(data[3]), length = limit;
  std::string in(reinterpret_cast<const char*>(data) + 4, size - 4);
  std::vector<char> buf(outSize + 16, '\xEE');
  ResultCode rc = EscapeText(outSize ? buf.data() : nullptr, in.c_str(), &length, outSize, flags);
  size_t untouched = rc == RC_OK && outSize && limit != 0 ? outSize : 0;
  if (untouched && (strnlen(buf.data(), outSize) != size_t(length))) abort();
  for (size_t i = untouched; i < buf.size(); ++i)
    if (buf[i] != '\xEE') abort();
  std::string text = in.c_str();
  if (!text.empty() && Run(Run(text, ESC_ESCAPE), ESC_UNESCAPE) != text) abort();
  return 0;
}
