// Events as flags and no thread: a native test drives the thread routine
// pass by pass. What can be refused: an event, the thread.
#pragma once
#include <string>
#include "support/worker.h"

struct FakeWorkerOs {
  int signalled[4];                 // the events, in the order made
  int made, closed;                 // events made; handles closed
  int eventsToMake = 4;             // later events are refused
  bool noThread, input, quit;       // thread refused; input comes once; a drain meets WM_QUIT
  uint32_t waitedThree;             // the last timeout the thread waited for
  std::string trace;                // JN for each WM_JOB_DONE with result N
};
extern FakeWorkerOs fakeWorker;
