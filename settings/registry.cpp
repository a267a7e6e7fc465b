#include "settings/registry.h"

#include "settings/text.h"

struct _SECURITY_ATTRIBUTES* RegistrySecurity = nullptr;

void WriteText(RegKey key, const char* name, const char* text) {
  KeySet(key, name, VALUE_TEXT, text, TextLength(text) + 1);
}

void WriteNumber(RegKey key, const char* name, uint32_t value) {
  unsigned char bytes[4] = {(unsigned char)value, (unsigned char)(value >> 8),
                            (unsigned char)(value >> 16), (unsigned char)(value >> 24)};
  KeySet(key, name, VALUE_NUMBER, bytes, 4);
}

bool ReadNumber(RegKey key, const char* name, uint32_t* value) {
  unsigned char bytes[4] = {0, 0, 0, 0};
  unsigned long size = sizeof bytes, type = 0;
  if (KeyQuery(key, name, &type, bytes, &size) != 0) return false;
  if (type != VALUE_NUMBER || size != 4) return false;
  *value = ReadLe32(bytes, 4);
  return true;
}

bool ReadText(RegKey key, const char* name, char* out, unsigned long size) {
  unsigned long got = size, type = 0;
  if (size == 0) return false;
  bool ok = KeyQuery(key, name, &type, out, &got) == 0 &&
            (type == VALUE_TEXT || type == VALUE_EXPAND_TEXT) && got <= size &&
            // no room left for a terminator
            !(got == size && out[size - 1] != 0);
  if (!ok) {
    out[0] = 0;
    return false;
  }
  out[got < size ? got : size - 1] = 0;
  return true;
}
