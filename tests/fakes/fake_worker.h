// Events as flags and no thread: a native test drives the thread routine
// pass by pass.
#pragma once
#include <string>

#include "support/worker.h"

struct FakeWorkerOs {
  int signalled[4];      // the events, in the order made
  int made;              // events made
  bool input, quit;      // input comes once; a drain meets WM_QUIT
  uint32_t waitedThree;  // the last timeout the thread waited for
  std::string trace;     // JN for each WM_JOB_DONE with result N
};
extern FakeWorkerOs fakeWorker;
