// EscapeText against the plain model: the same result code, bytes and
// length, and nothing written at or past outSize, nor at all when it refuses
// or has no bytes to read.
#include <stdlib.h>
#include <string.h>
#include <vector>
#include "tests/escape_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint32_t flags = (data[0] & 0x33) | (data[0] & 0x80 ? 0x100 : 0);  // 0x100 has no meaning
  uint32_t outSize = data[1] | (data[2] & 0x03) << 8;
  int32_t limit = int8_t(data[3]), length = limit;
  std::string in(reinterpret_cast<const char*>(data) + 4, size - 4), want;
  ResultCode rc = EscapeModel(in, limit, outSize, flags, &want);
  std::vector<char> buf(outSize + 16, '\xEE');
  char* out = outSize ? buf.data() : nullptr;
  if (EscapeText(out, in.c_str(), &length, outSize, flags) != rc) abort();
  if (length != (rc == RC_OK ? int32_t(want.size()) : limit)) abort();
  bool writes = rc == RC_OK && outSize && limit != 0;
  if (writes && memcmp(buf.data(), want.c_str(), want.size() + 1) != 0) abort();
  for (size_t i = writes ? outSize : 0; i < buf.size(); ++i)
    if (buf[i] != '\xEE') abort();
  return 0;
}
