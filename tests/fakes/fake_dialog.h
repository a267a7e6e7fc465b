// In-memory registry, desktop and dialog for the native tests. Keys are
// paths under HKEY_CURRENT_USER, values enumerate in name order, today is
// 2003-12-17; the list box keeps entries, a selection and a caret, and the
// view keeps what the controls would show.
#pragma once
#include <string.h>
#include <strings.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialog/dialog_view.h"
#include "settings/files.h"
#include "settings/registry.h"
#include "settings/settings_state.h"

// Value names compare without regard to letter case, as the registry's do;
// a name keeps the spelling it was first written with.
struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
  }
};
typedef std::map<std::string, std::pair<unsigned long, std::string>, NoCase> FakeKey;
inline std::string Dword(uint32_t v) { return std::string((const char*)&v, 4); }

struct FakeRegistry {
  std::map<std::string, FakeKey> keys;
  std::set<std::string> failOpen;      // keys that will not open
  std::set<std::string> missingFiles;  // paths whose file is gone
  // What a path answers: its own reply, else that of a root it lies under;
  // otherwise a root (ending in a backslash) is a folder, and every other
  // path a file, or not found at once when gone.
  std::map<std::string, PathReply, NoCase> replies;
  std::string root;
  PathReply rootReply{};
  std::vector<std::string> asked;    // the paths asked about, in turn
  long enumFailsAt = -1;             // the enumeration index that answers an error
  std::vector<std::string> applied;  // wallpaper actions; "<null>" for no path
  int messages = 0;
  int openKeys = 0;

  // A text with its terminator, or other bytes as they are.
  void Set(const std::string& key, const std::string& name, const std::string& text,
           unsigned long type = VALUE_TEXT) {
    keys[key][name] = {type,
                       type == VALUE_TEXT ? std::string(text.c_str(), text.size() + 1) : text};
  }
  // A value's bytes, or "<missing>"; a text up to its terminator.
  std::string Raw(const std::string& key, const std::string& name) const {
    return keys.count(key) && keys.at(key).count(name) ? keys.at(key).at(name).second : "<missing>";
  }
  std::string Text(const std::string& key, const std::string& name) const {
    return Raw(key, name).c_str();
  }
};

struct FakeDialog {
  std::vector<std::string> entries;
  std::set<int> selected;
  int caret = LIST_ERR;
  bool countFails = false;         // LB_GETCOUNT and LB_GETSELCOUNT answer LB_ERR
  std::string current;             // the current-wallpaper field
  std::string preview = "<none>";  // the last preview: a path or "<logo>"
  std::map<int, int> enabled;      // control id: 1 enabled, 0 disabled
  int checked = 0;
  int answer = ANSWER_NO;     // to the question of Clear Registry and Exit
  int ended = -1;             // the dialog's end value
  bool restartAgrees = true;  // the system takes the delayed deletion
  bool ntFamily = false;
  std::vector<std::string> opened;    // targets opened by the shell
  std::vector<std::string> removals;  // the self-removal's steps
  bool keyGoneAtRemoval = false;      // the program key was cleared before the removal
};

extern FakeRegistry Fake;
extern FakeDialog View;

// Fresh fakes and settings.
inline void ResetFakes() {
  Fake = FakeRegistry();
  View = FakeDialog();
  SettingsState = InitialSettingsState();
}
