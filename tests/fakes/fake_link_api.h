// Records the link labels' repaints and open actions for native tests.
#pragma once
#include <string>
#include <vector>

struct FakeLinks {
  std::vector<void*> repainted;
  std::vector<std::string> opened;
  void Reset();
};
extern FakeLinks FakeLinkCalls;
