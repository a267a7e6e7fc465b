// EscapeText against the plain model: the same result code, bytes and
// length, and nothing written at or past outSize (nor at all on a refusal).
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include "tests/escape_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint32_t flags = data[0] & 0x33;
  if (data[0] & 0x80) flags |= 0x100;  // bits without a meaning are accepted
  uint32_t outSize = data[1] | (data[2] & 0x03) << 8;
  int32_t limit = (int8_t)data[3];
  std::string in((const char*)data + 4, size - 4);
  in = std::string(in.c_str());  // the input ends at its first zero byte

  // What the rules say.
  size_t count = in.size();
  if (limit >= 0 && (size_t)limit < count) count = (size_t)limit;
  std::string range = in.substr(0, count);
  ResultCode want = RC_OK;
  if (in.empty() || flags == 0) want = RC_BAD_ARG;
  else if (outSize && count >= outSize) want = RC_TOO_SMALL;
  std::string wantOut;
  if (want == RC_OK && count)
    wantOut = EscapeModel(range, flags, outSize ? outSize - 2 : (size_t)-1);

  std::vector<char> buf(outSize + 16, '\xEE');
  int32_t length = limit;
  ResultCode rc = EscapeText(outSize ? buf.data() : nullptr, in.c_str(), &length, outSize, flags);
  if (rc != want) abort();
  for (size_t i = outSize; i < buf.size(); ++i)
    if (buf[i] != '\xEE') abort();  // written past outSize
  if (rc != RC_OK) {
    if (length != limit) abort();
    for (char c : buf)
      if (c != '\xEE') abort();  // written on a refusal
    return 0;
  }
  if (length != (int32_t)wantOut.size()) abort();
  if (outSize && count) {
    if (memcmp(buf.data(), wantOut.data(), wantOut.size()) != 0) abort();
    if (buf[wantOut.size()] != 0) abort();  // terminated right behind
  }
  if (outSize && !count && buf[0] != '\xEE') abort();  // a limit of 0 writes nothing
  return 0;
}
