// In-memory registry and desktop for the native tests and the fuzz targets.
// Keys are paths under HKEY_CURRENT_USER; names compare without regard to
// case and values enumerate in name order, as under Wine.
#pragma once
#include <string.h>
#include <strings.h>
#include <map>
#include <set>
#include <string>
#include <vector>
#include "settings/registry.h"

struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};
typedef std::map<std::string, std::pair<unsigned long, std::string>, NoCase> FakeKey;  // type, bytes

struct FakeRegistry {
  std::map<std::string, FakeKey, NoCase> keys;
  std::set<std::string> failOpen;    // keys that will not open
  long enumFailsAt = -1;             // the enumeration index that answers an error
  uint32_t today = 0x07D30C11;       // 2003-12-17
  std::vector<std::string> applied;  // wallpaper actions; "<null>" for no path
  int messages = 0, openKeys = 0;

  // A text with its terminator, or other bytes as they are.
  void Set(const std::string& key, const std::string& name, const std::string& text, unsigned long type = VALUE_TEXT) {
    keys[key][name] = {type, type == VALUE_TEXT ? std::string(text.c_str(), text.size() + 1) : text};
  }
  void SetNumber(const std::string& key, const std::string& name, uint32_t v) {
    Set(key, name, std::string((const char*)&v, 4), VALUE_NUMBER);
  }
  // A value's bytes, "<missing>" when there is none; a text up to its terminator; a number.
  std::string Raw(const std::string& key, const std::string& name) const {
    auto k = keys.find(key);
    return k != keys.end() && k->second.count(name) ? k->second.at(name).second : "<missing>";
  }
  std::string Text(const std::string& key, const std::string& name) const { return Raw(key, name).c_str(); }
  uint32_t Number(const std::string& key, const std::string& name) const {
    std::string raw = Raw(key, name);
    uint32_t v = 0;
    if (raw.size() == 4) memcpy(&v, raw.data(), 4);
    return v;
  }
};
extern FakeRegistry Fake;
