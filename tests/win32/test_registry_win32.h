// Registry helpers for the Windows and end-to-end tests: set up and read
// back HKEY_CURRENT_USER values of the test prefix directly, not through the
// program's own code.
#pragma once
#include <windows.h>
#include <string>

namespace testreg {

inline bool SetRaw(const char* key, const char* name, DWORD type, const std::string& bytes) {
  HKEY h;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != 0)
    return false;
  LONG rc = RegSetValueExA(h, name, 0, type, (const BYTE*)bytes.data(), (DWORD)bytes.size());
  RegCloseKey(h);
  return rc == 0;
}

inline bool SetText(const char* key, const char* name, const std::string& text) {
  return SetRaw(key, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

inline bool SetNumber(const char* key, const char* name, DWORD v) {
  return SetRaw(key, name, REG_DWORD, std::string((const char*)&v, 4));
}

inline bool Query(const char* key, const char* name, DWORD* type, std::string* data) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != 0) return false;
  std::string buf(4096, '\0');
  DWORD size = (DWORD)buf.size();
  LONG rc = RegQueryValueExA(h, name, nullptr, type, (BYTE*)&buf[0], &size);
  RegCloseKey(h);
  if (rc != 0) return false;
  data->assign(buf.data(), size);
  return true;
}

// A REG_DWORD's value, or 0xDEADBEEF when missing or of another shape.
inline DWORD Number(const char* key, const char* name) {
  DWORD type = 0;
  std::string d;
  if (!Query(key, name, &type, &d) || type != REG_DWORD || d.size() != 4) return 0xDEADBEEF;
  return *(const DWORD*)d.data();
}

// A REG_SZ's text up to its terminator, or "<missing>".
inline std::string Text(const char* key, const char* name) {
  DWORD type = 0;
  std::string d;
  if (!Query(key, name, &type, &d)) return "<missing>";
  return std::string(d.c_str());
}

inline bool Exists(const char* key, const char* name) {
  DWORD type = 0;
  std::string d;
  return Query(key, name, &type, &d);
}

inline bool KeyExists(const char* key) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != 0) return false;
  RegCloseKey(h);
  return true;
}

inline void DeleteValue(const char* key, const char* name) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_WRITE, &h) != 0) return;
  RegDeleteValueA(h, name);
  RegCloseKey(h);
}

}  // namespace testreg
