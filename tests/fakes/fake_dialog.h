// In-memory dialog for native tests: the view operations record what they
// were asked, and the list box keeps entries, a selection set and a caret
// as an unsorted extended-selection list box does. Failures can be injected.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>
#include "dialog/dialog_view.h"

struct FakeDialog {
  // List box.
  std::vector<std::string> entries;
  std::set<int> selected;
  int caret = LIST_ERR;
  bool countFails = false;       // LB_GETCOUNT and LB_GETSELCOUNT answer LB_ERR
  std::set<int> textFails;       // LB_GETTEXT answers LB_ERR for these indices

  // View.
  std::vector<std::string> calls;  // every view operation, in order
  std::map<int, std::string> texts;
  int answer = ANSWER_NO;          // what the question returns
  int endResult = -100;            // -100 until the dialog ended
  std::string preview = "<empty>";  // "<logo>" after a preview without a file

  // The open-file dialog's answer.
  bool chooseOk = false;
  std::string chooseFile;
  unsigned chooseOffset = 0;
  std::string chooseFolder;  // the folder it was asked to start in

  // Bitmaps as the Windows face makes and deletes them: the logo from
  // LoadLogo to FreeLogo, and one scaled bitmap per preview of a file,
  // deleted when the next image replaces it.
  bool logoLive = false;
  int logosLost = 0;      // a logo loaded over one still loaded
  int scaledLive = 0;     // scaled bitmaps not yet deleted
  int freedTwice = 0;     // a deleted logo replaced in the preview, so deleted again
  std::string shown = "none";  // "none", "logo", "stale logo" (deleted), "scaled"

  void Reset();  // also installs the fake as DialogView and ListBox
  // What is left or was freed twice; the logo and the last preview count
  // as left only once the dialog has ended. Empty when all is well.
  std::string Leaks() const;
  std::vector<std::string> CallsStarting(const std::string& prefix) const;
};

extern FakeDialog FakeView;
