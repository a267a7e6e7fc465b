// Registry helpers for the Windows and end-to-end tests: set up and read
// back HKEY_CURRENT_USER values of the test prefix directly, not through the
// program's own code.
#pragma once
#include <windows.h>

#include <map>
#include <string>

namespace testreg {

inline bool SetText(const char* key, const char* name, const std::string& text) {
  return !RegSetKeyValueA(HKEY_CURRENT_USER, key, name, REG_SZ, text.c_str(), text.size() + 1);
}
inline bool SetNumber(const char* key, const char* name, DWORD v) {
  return !RegSetKeyValueA(HKEY_CURRENT_USER, key, name, REG_DWORD, &v, 4);
}

inline void DeleteValue(const char* key, const char* name) {
  RegDeleteKeyValueA(HKEY_CURRENT_USER, key, name);
}

// Every value of a key: name -> raw bytes; empty when the key is missing.
typedef std::map<std::string, std::string> ValueMap;
inline ValueMap Values(const char* key) {
  ValueMap out;
  HKEY h;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h)) return out;
  char name[300], data[1024];
  for (DWORD i = 0;; ++i) {
    DWORD n = sizeof name, d = sizeof data;
    if (RegEnumValueA(h, i, name, &n, nullptr, nullptr, (BYTE*)data, &d)) break;
    out[name] = std::string(data, d);
  }
  RegCloseKey(h);
  return out;
}
// A text up to its terminator, or "<missing>".
inline std::string Text(const char* key, const char* name) {
  ValueMap v = Values(key);
  return v.count(name) ? v[name].c_str() : "<missing>";
}

}  // namespace testreg
