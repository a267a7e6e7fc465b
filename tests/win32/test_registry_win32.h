// Registry helpers for the Windows and end-to-end tests: set up and read
// back HKEY_CURRENT_USER values of the test prefix directly, not through the
// program's own code.
#pragma once
#include <windows.h>
#include <string.h>
#include <map>
#include <initializer_list>
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

// Every value of a key: name -> raw bytes.
typedef std::map<std::string, std::string> ValueMap;
inline ValueMap Values(const char* key, bool* exists = nullptr) {
  ValueMap out;
  HKEY h;
  bool open = RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) == ERROR_SUCCESS;
  if (exists) *exists = open;
  if (!open) return out;
  for (DWORD i = 0;; ++i) {
    char name[300], data[1024];
    DWORD nameSize = sizeof name, dataSize = sizeof data;
    if (RegEnumValueA(h, i, name, &nameSize, nullptr, nullptr, (BYTE*)data, &dataSize) !=
        ERROR_SUCCESS)
      break;
    out[name] = std::string(data, dataSize);
  }
  RegCloseKey(h);
  return out;
}

// Raw bytes from Values() read as a text or a number.
inline std::string TextOf(const std::string& raw) { return std::string(raw.c_str()); }
inline DWORD NumberOf(const std::string& raw) {
  DWORD v = 0;
  memcpy(&v, raw.data(), raw.size() < 4 ? raw.size() : 4);
  return v;
}

// The program key as a Save leaves it: a mode, the current index, the list's
// count, the last change and the entries Bitmap00 onward.
inline void StoreRotation(const char* mode, DWORD selected, DWORD lastChange,
                          std::initializer_list<const char*> paths) {
  const char* key = "Software\\OrvanDale\\Scenewheel";
  SetText(key, "ChangeMode", mode);
  SetNumber(key, "SelectedBmp", selected);
  SetNumber(key, "BmpCount", (DWORD)paths.size());
  SetNumber(key, "LastChange", lastChange);
  int i = 0;
  for (const char* path : paths) {
    char name[16] = "Bitmap00";
    name[6] = (char)('0' + i / 10);
    name[7] = (char)('0' + i % 10);
    SetText(key, name, path);
    ++i;
  }
}

}  // namespace testreg
