// In-memory dialog for the native tests and the fuzz targets: the list box
// keeps entries, a selection and a caret as an unsorted extended-selection
// list box does; the view keeps what the controls would show.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>
#include "dialog/dialog_view.h"
#include "settings/settings_state.h"
#include "tests/fakes/fake_registry.h"

struct FakeDialog {
  std::vector<std::string> entries;
  std::set<int> selected;
  int caret = LIST_ERR;
  bool countFails = false;         // LB_GETCOUNT and LB_GETSELCOUNT answer LB_ERR
  std::string current;             // the current-wallpaper field
  std::string preview = "<none>";  // the last preview: a path or "<logo>"
  std::map<int, int> enabled;      // control id: 1 enabled, 0 disabled
  int checked = 0, answer = ANSWER_NO, ended = -1, removals = 0;
  std::vector<int> opened;         // link labels whose target was opened
  std::string chosen;              // what the open-file dialog answers; "" cancels
  unsigned chosenOffset = 0;
};
extern FakeDialog View;

// Fresh fakes and settings.
inline void ResetFakes() {
  Fake = FakeRegistry();
  View = FakeDialog();
  SettingsState = InitialSettingsState();
}
