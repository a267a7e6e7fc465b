// Events as flags and no thread: a native test drives the thread routine
// pass by pass.
#pragma once
#include <string>

#include "support/worker.h"

struct FakeWorkerOs {
  int signalled[4], made;  // the events, in the order made, and how many
  bool input, quit;        // input comes once; a drain meets WM_QUIT
  uint32_t waitedOne;      // the timeout of the last single wait
  std::string trace;       // w for each wait without end, JN for each WM_JOB_DONE with result N
};
extern FakeWorkerOs fakeWorker;
