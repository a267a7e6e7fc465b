#include "settings/registry.h"
#include <string.h>

struct _SECURITY_ATTRIBUTES* RegistrySecurity = nullptr;

long OpenSettingsKey(const char* path, unsigned long access, RegKey* key) {
  *key = nullptr;
  return Registry.CreateKey(path, access, RegistrySecurity, key);
}

void WriteText(RegKey key, const char* name, const char* text) {
  Registry.SetValue(key, name, VALUE_TEXT, text, (unsigned long)strlen(text) + 1);
}

void WriteNumber(RegKey key, const char* name, uint32_t value) {
  unsigned char bytes[4] = {(unsigned char)value, (unsigned char)(value >> 8),
                            (unsigned char)(value >> 16), (unsigned char)(value >> 24)};
  Registry.SetValue(key, name, VALUE_NUMBER, bytes, 4);
}

bool ReadNumber(RegKey key, const char* name, uint32_t* value) {
  unsigned char bytes[4] = {0, 0, 0, 0};
  unsigned long size = sizeof bytes, type = 0;
  if (Registry.QueryValue(key, name, &type, bytes, &size) != 0) return false;
  if (type != VALUE_NUMBER || size != 4) return false;
  *value = (uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 |
           (uint32_t)bytes[3] << 24;
  return true;
}

bool ReadText(RegKey key, const char* name, char* out, unsigned long size) {
  unsigned long got = size, type = 0;
  if (size == 0) return false;
  if (Registry.QueryValue(key, name, &type, out, &got) != 0) {
    out[0] = 0;
    return false;
  }
  // REG_EXPAND_SZ (2) is text as well; other types are not.
  if ((type != VALUE_TEXT && type != 2) || got > size) {
    out[0] = 0;
    return false;
  }
  if (got == size && out[size - 1] != 0) {
    out[0] = 0;  // no room left for a terminator
    return false;
  }
  out[got < size ? got : size - 1] = 0;
  return true;
}
