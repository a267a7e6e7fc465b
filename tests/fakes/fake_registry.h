// In-memory registry and desktop for native tests. Keys are paths under
// HKEY_CURRENT_USER; value names compare without regard to case, and values
// enumerate in name order, as under Wine. Every failure the settings code
// meets can be injected.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>
#include "settings/registry.h"

struct FakeValue {
  unsigned long type = 1;
  std::string data;  // raw bytes
};

struct FakeCall {
  std::string op, key, name, data;
};

struct FakeRegistry {
  struct Less {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  typedef std::map<std::string, FakeValue, Less> Values;
  std::map<std::string, Values, Less> keys;
  std::set<std::string, Less> failOpen;      // key paths that will not open
  std::set<std::string, Less> failQuery;     // value names whose reads fail
  long enumFailsAt = -1;                     // enumeration index that answers an error
  std::vector<FakeCall> writes;              // every set, delete and apply, in order
  std::vector<std::string> applied;          // wallpaper actions; "<null>" for no path
  std::vector<std::string> messages;         // message boxes shown
  std::vector<_SECURITY_ATTRIBUTES*> securityPassed;
  uint32_t today = 0x07D30C11;
  int openKeys = 0;
  std::set<void*> liveKeys;  // handles made by CreateKey and not yet closed
  int closedTwice = 0;       // a handle closed, or used, when it was not open

  // What is left open or was released twice; empty when all is well.
  std::string Leaks() const;

  // Starts empty and installs this fake as Registry and Desktop.
  void Reset();

  // Setup helpers.
  void SetText(const std::string& key, const std::string& name, const std::string& text);
  void SetRaw(const std::string& key, const std::string& name, unsigned long type,
              const std::string& bytes);
  void SetNumber(const std::string& key, const std::string& name, uint32_t v);
  // Readers; a missing value gives "" / has() false.
  bool Has(const std::string& key, const std::string& name) const;
  std::string Text(const std::string& key, const std::string& name) const;
  uint32_t Number(const std::string& key, const std::string& name) const;
};

extern FakeRegistry Fake;
