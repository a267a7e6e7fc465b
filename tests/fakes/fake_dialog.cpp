#include "tests/fakes/fake_dialog.h"

#include <algorithm>

#include "dialog/self_removal.h"
#include "support/ansi_path.h"

FakeRegistry Fake;
FakeDialog View;

// A handle is the key's path, allocated anew: one never closed shows up in
// the sanitizer's leak report.
static FakeKey& Of(RegKey key) { return Fake.keys[*(std::string*)key]; }

long KeyOpen(const char* path, unsigned long, RegKey* key) {
  *key = nullptr;
  if (Fake.failOpen.count(path)) return 5;  // ERROR_ACCESS_DENIED
  Fake.keys[path];
  ++Fake.openKeys;
  *key = new std::string(path);
  return 0;
}
long KeyQuery(RegKey key, const char* name, unsigned long* type, void* data, unsigned long* size) {
  if (!Of(key).count(name)) return 2;  // ERROR_FILE_NOT_FOUND
  const std::string& d = Of(key)[name].second;
  *type = Of(key)[name].first;
  if (d.size() > *size) return RESULT_MORE_DATA;
  *size = (unsigned long)d.size();
  memcpy(data, d.data(), d.size());
  return 0;
}
void KeySet(RegKey key, const char* name, unsigned long type, const void* data,
            unsigned long size) {
  Of(key)[name] = {type, std::string((const char*)data, size)};
}
long KeyDeleteValue(RegKey key, const char* name) { return Of(key).erase(name) ? 0 : 2; }
void KeyDelete(const char* path) { Fake.keys.erase(path); }
long KeyEnum(RegKey key, unsigned long index, char* name, unsigned long* nameSize, void* data,
             unsigned long* dataSize) {
  if ((long)index == Fake.enumFailsAt) return 5;
  if (index >= Of(key).size()) return RESULT_NO_MORE_ITEMS;
  auto it = std::next(Of(key).begin(), (long)index);
  const std::string& d = it->second.second;
  if (it->first.size() >= *nameSize || d.size() > *dataSize) return RESULT_MORE_DATA;
  *nameSize = (unsigned long)it->first.size();
  memcpy(name, it->first.c_str(), it->first.size() + 1);
  *dataSize = (unsigned long)d.size();
  memcpy(data, d.data(), d.size());
  return 0;
}
void KeyClose(RegKey key) {
  delete (std::string*)key;
  --Fake.openKeys;
}
uint32_t TodayDate() { return 0x07D30C11; }
void ApplyWallpaper(const char* path) { Fake.applied.push_back(path ? path : "<null>"); }
void ShowRegistryProblem() { ++Fake.messages; }
PathReply QueryPath(const char* path) {
  Fake.asked.push_back(path);
  if (Fake.replies.count(path)) return Fake.replies[path];
  if (!Fake.root.empty() && !strncasecmp(path, Fake.root.c_str(), Fake.root.size()))
    return Fake.rootReply;
  if (path[0] && path[strlen(path) - 1] == '\\') return {ATTRIBUTE_FOLDER, 0, 0};
  return Fake.missingFiles.count(path) ? PathReply{NO_ATTRIBUTES, 2, 0} : PathReply{0x20, 0, 0};
}
bool ReadPathText(RegKey k, const char* n, char* o, unsigned long s) {
  return ReadText(k, n, o, s);
}
// Code page 932.
bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsNtFamily() { return View.ntFamily; }

int ListCount() { return View.countFails ? LIST_ERR : (int)View.entries.size(); }
int ListText(int index, char* text) {
  if (index < 0 || index >= (int)View.entries.size()) return LIST_ERR;
  strcpy(text, View.entries[index].c_str());
  return (int)strlen(text);
}
void ListAppend(const char* text) { View.entries.push_back(text); }
void ListReset() { View.entries.clear(); }
// The selection was read before, as the program does.
void ListDelete(int index) { View.entries.erase(View.entries.begin() + index); }
int ListSelection(int* items, int max) {
  int n = std::min(max, (int)View.selected.size());
  std::copy_n(View.selected.begin(), n, items);
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
// The open-file dialog is left to the end-to-end journey.
int RunOpenFileDialog(char*, unsigned, const char*, unsigned*) { return 0; }
int SameFileName(const char* a, const char* b) { return !strcasecmp(a, b); }
void ShellOpen(const char* target) { View.opened.push_back(target); }
int DeleteAtRestart(const char* path) {
  View.removals.push_back("restart " + std::string(path));
  View.keyGoneAtRemoval = Fake.keys.count(PROGRAM_KEY) == 0;
  return View.restartAgrees;
}
int WriteWininitEntry(const char* folder, const char* path) {
  View.removals.push_back("wininit " + std::string(path));
  return folder == nullptr;
}
void LoadLogo() {}
void FreeLogo() {}
void AttachLinkLabels() {}
void DetachLinkLabels() {}
void CreateTooltips() {}
void ReleaseRegistrySecurity() {}
