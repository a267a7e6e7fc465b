// Registry helpers for the Windows and end-to-end tests: set up and read
// back HKEY_CURRENT_USER values of the test prefix directly, not through the
// program's own code.
#pragma once
#include <windows.h>

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

// A text up to its terminator, or "<missing>".
inline std::string Text(const char* key, const char* name) {
  char data[1024];
  DWORD size = sizeof data;
  return RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, data, &size)
             ? "<missing>"
             : data;
}

}  // namespace testreg
