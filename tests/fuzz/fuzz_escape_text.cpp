// EscapeText over any input and bounds: nothing written at or past outSize,
// nor at all when it refuses or has nothing to convert; what it writes is
// terminated and as long as it says; and any text, escaped into room enough
// and unescaped again, comes back as it was. The input is [flags][outSize,
// low byte][outSize, two high bits][signed limit][text].
#include <assert.h>
#include <string.h>

#include <string>
#include <vector>

#include "support/text_escape.h"

enum : uint32_t {
  ESC_ALL = ESC_TRIM | ESC_DROP_CRLF | ESC_UNESCAPE | ESC_ESCAPE,
  ESC_UNUSED = 0x100  // accepted, with no effect
};

// in, converted whole into room enough.
static std::string Convert(const std::string& in, uint32_t flags) {
  std::vector<char> out(2 * in.size() + 2);
  int32_t length = -1;
  assert(RC_OK == EscapeText(out.data(), in.c_str(), &length, uint32_t(out.size()), flags));
  return std::string(out.data(), size_t(length));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint32_t flags = (data[0] & ESC_ALL) | (data[0] & 0x80 ? ESC_UNUSED : 0);
  uint32_t outSize = data[1] | (data[2] & 0x03) << 8;
  int32_t limit = int8_t(data[3]);
  int32_t length = limit;
  std::string in(reinterpret_cast<const char*>(data) + 4, size - 4);
  // A fill past outSize shows every byte written there.
  std::vector<char> buf(outSize + 16, '\xEE');
  ResultCode rc = EscapeText(outSize ? buf.data() : nullptr, in.c_str(), &length, outSize, flags);
  size_t written = rc == RC_OK && outSize && limit != 0 ? outSize : 0;
  if (written) assert(size_t(length) == strnlen(buf.data(), outSize));
  std::string untouched(buf.begin() + written, buf.end());
  assert(std::string(untouched.size(), '\xEE') == untouched);
  std::string text = in.c_str();
  if (text.empty()) return 0;
  assert(text == Convert(Convert(text, ESC_ESCAPE), ESC_UNESCAPE));
  // The text alone, in a block that ends where its length says, with no
  // terminator: a read past the limit is seen.
  std::vector<char> exact(text.begin(), text.end());
  length = int32_t(text.size());
  EscapeText(outSize ? buf.data() : nullptr, exact.data(), &length, outSize, flags);
  return 0;
}
