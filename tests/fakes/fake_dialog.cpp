#include "tests/fakes/fake_dialog.h"

FakeDialog View;

int ListCount() { return View.countFails ? LIST_ERR : (int)View.entries.size(); }
int ListText(int index, char* text) {
  if (index < 0 || index >= (int)View.entries.size()) return LIST_ERR;
  return (int)strlen(strcpy(text, View.entries[index].c_str()));
}
void ListAppend(const char* text) { View.entries.push_back(text); }
void ListReset() { View.entries.clear(); }
void ListDelete(int index) {
  View.entries.erase(View.entries.begin() + index);
  std::set<int> moved;
  for (int s : View.selected)
    if (s != index) moved.insert(s > index ? s - 1 : s);
  View.selected = moved;
}
int ListSelection(int* items, int max) {
  int n = 0;
  for (int s : View.selected)
    if (n < max) items[n++] = s;
  return n;
}
int ListSelectedCount() { return View.countFails ? LIST_ERR : (int)View.selected.size(); }
int ListCaret() { return View.caret; }

void SetCurrentText(const char* text) { View.current = text; }
void ShowPreview(const char* path) { View.preview = path ? path : "<logo>"; }
void CheckRadio(int id) { View.checked = id; }
void EnableControl(int id, int enable) { View.enabled[id] = enable; }
int AskQuestion(const char*, const char*, unsigned) { return View.answer; }
void EndMainDialog(int result) { View.ended = result; }
int RunOpenFileDialog(char* file, unsigned size, const char*, unsigned* nameOffset) {
  snprintf(file, size, "%s", View.chosen.c_str());
  *nameOffset = View.chosenOffset;
  return !View.chosen.empty();
}
void OpenLinkTarget(int control) { View.opened.push_back(control); }
int ScheduleSelfRemoval() { return ++View.removals; }
void LoadLogo() {}
void FreeLogo() {}
void AttachLinkLabels() {}
void DetachLinkLabels() {}
void CreateTooltips() {}
void ReleaseRegistrySecurity() {}
