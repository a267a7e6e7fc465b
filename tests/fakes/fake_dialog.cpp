#include "tests/fakes/fake_dialog.h"
#include <stdio.h>
#include <string.h>

FakeDialog FakeView;

namespace {

void CheckRadio(int id) { FakeView.calls.push_back("check " + std::to_string(id)); }

void EnableControl(int id, int enable) {
  FakeView.calls.push_back((enable ? "enable " : "disable ") + std::to_string(id));
}

void SetControlText(int id, const char* text) {
  FakeView.texts[id] = text;
  FakeView.calls.push_back("text " + std::to_string(id) + " " + text);
}

int Ask(const char* text, const char* caption, unsigned flags) {
  FakeView.calls.push_back(std::string("ask ") + caption + " " + std::to_string(flags) + " " + text);
  return FakeView.answer;
}

void End(int result) {
  FakeView.endResult = result;
  FakeView.calls.push_back("end " + std::to_string(result));
}

void LoadLogo() {
  if (FakeView.logoLive) ++FakeView.logosLost;
  FakeView.logoLive = true;
  FakeView.calls.push_back("loadlogo");
}

// The Windows face deletes the logo only when one is loaded.
void FreeLogo() {
  if (FakeView.logoLive && FakeView.shown == "logo") FakeView.shown = "stale logo";
  FakeView.logoLive = false;
  FakeView.calls.push_back("freelogo");
}

// As the Windows face does: a file gives a new scaled bitmap, no file the
// logo (or nothing without one); the image shown before is deleted unless
// it is the current logo.
void Preview(const char* path) {
  FakeView.preview = path ? path : "<logo>";
  FakeView.calls.push_back("preview " + FakeView.preview);
  std::string previous = FakeView.shown;
  if (path) {
    ++FakeView.scaledLive;
    FakeView.shown = "scaled";
  } else {
    FakeView.shown = FakeView.logoLive ? "logo" : "none";
  }
  if (previous == "scaled") --FakeView.scaledLive;
  if (previous == "stale logo") ++FakeView.freedTwice;
}

int ChooseFile(char* file, unsigned size, const char* folder, unsigned* nameOffset) {
  FakeView.chooseFolder = folder;
  FakeView.calls.push_back(std::string("choose ") + (file[0] ? "prefilled" : "empty"));
  if (!FakeView.chooseOk) return 0;
  snprintf(file, size, "%s", FakeView.chooseFile.c_str());
  *nameOffset = FakeView.chooseOffset;
  return 1;
}

void AttachLinks() { FakeView.calls.push_back("attach links"); }
void DetachLinks() { FakeView.calls.push_back("detach links"); }
void Tooltips() { FakeView.calls.push_back("tooltips"); }

int Count() { return FakeView.countFails ? LIST_ERR : (int)FakeView.entries.size(); }

int GetText(int index, char* text) {
  if (index < 0 || index >= (int)FakeView.entries.size() || FakeView.textFails.count(index))
    return LIST_ERR;
  const std::string& e = FakeView.entries[index];
  if (e.size() >= 260) return LIST_ERR;
  memcpy(text, e.c_str(), e.size() + 1);
  return (int)e.size();
}

void Add(const char* text) { FakeView.entries.push_back(text); }

void Delete(int index) {
  if (index < 0 || index >= (int)FakeView.entries.size()) return;
  FakeView.entries.erase(FakeView.entries.begin() + index);
  std::set<int> moved;
  for (int s : FakeView.selected)
    if (s != index) moved.insert(s > index ? s - 1 : s);
  FakeView.selected = moved;
  if (FakeView.caret >= (int)FakeView.entries.size()) FakeView.caret = (int)FakeView.entries.size() - 1;
}

void Reset() {
  FakeView.entries.clear();
  FakeView.selected.clear();
  FakeView.caret = LIST_ERR;
  FakeView.countFails = false;
}

int GetSelItems(int* items, int max) {
  int n = 0;
  for (int s : FakeView.selected) {
    if (n == max) break;
    items[n++] = s;
  }
  return n;
}

int GetSelCount() { return FakeView.countFails ? LIST_ERR : (int)FakeView.selected.size(); }

int GetCaret() { return FakeView.caret; }

}  // namespace

DialogViewApi DialogView = {CheckRadio, EnableControl, SetControlText, Ask,     End,
                            LoadLogo,   FreeLogo,      Preview,        ChooseFile,
                            AttachLinks, DetachLinks,  Tooltips};
ListBoxApi ListBox = {Count, GetText, Add, Delete, Reset, GetSelItems, GetSelCount, GetCaret};

static const DialogViewApi kFakeView = DialogView;
static const ListBoxApi kFakeListBox = ListBox;

void FakeDialog::Reset() {
  *this = FakeDialog();
  DialogView = kFakeView;
  ListBox = kFakeListBox;
}

std::string FakeDialog::Leaks() const {
  std::string out;
  if (endResult != -100 && logoLive) out += "logo not deleted; ";
  if (endResult != -100 && scaledLive) out += std::to_string(scaledLive) + " preview bitmap(s) left; ";
  if (logosLost) out += std::to_string(logosLost) + " logo(s) loaded over another; ";
  if (freedTwice) out += std::to_string(freedTwice) + " bitmap(s) deleted twice; ";
  return out;
}

std::vector<std::string> FakeDialog::CallsStarting(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const std::string& c : calls)
    if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
  return out;
}
