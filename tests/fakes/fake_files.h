// One in-memory file for the self-removal seam: its bytes, a mapping that
// grows it as a real one does, and failures to inject.
#pragma once
#include <string>
#include <vector>
#include "dialog/self_removal.h"

struct FakeFiles {
  bool deleteAtRestart = false;     // the system accepts the delayed deletion
  std::string shortPath = "C:\\APPS\\PROG.EXE";
  unsigned long shortLength = 0;    // overrides the returned length when set
  std::string windowsFolder = "C:\\WINDOWS";
  std::string content;              // the file's bytes
  bool openFails = false, mappingFails = false, viewFails = false;
  std::vector<std::string> calls;   // "open <path>", "map <size>", "setend <n>", ...
  int filesOpen = 0, mappingsOpen = 0, viewsLive = 0;
  int closedTwice = 0;              // a close or unmap of nothing open

  // What is left open or was closed twice; empty when all is well.
  std::string Leaks() const;
  std::vector<unsigned char> view;  // the mapped bytes while a view exists
  void Reset();  // also installs the fake as SelfRemoval
};

extern FakeFiles FakeFile;
