// In-memory events, thread and message queue for the worker's native tests.
// No thread runs: a test drives the thread routine pass by pass.
#pragma once
#include <stdint.h>
#include <vector>
#include "support/worker.h"

struct FakeWorkerPost {
  void* window;
  unsigned message;
  uintptr_t wParam;
  intptr_t lParam;
};

struct FakeWorkerPlatform {
  std::vector<int> signalled;   // per event made, in creation order
  std::vector<int> open;        // per event made: not yet closed
  std::vector<uint32_t> waits;  // timeouts passed to Wait, in order
  std::vector<FakeWorkerPost> posts;
  int eventsToMake = 1 << 30;   // NewEvent fails once this many were made
  bool failThread = false;
  bool input = false;           // the thread's queue reports input
  bool quit = false;            // the next drain meets WM_QUIT
  int threadsStarted = 0, threadsClosed = 0, drains = 0;
  void* validWindow = reinterpret_cast<void*>(0x5150);

  void Install();
  void Reset();
  int OpenHandles() const;
  bool IsSet(void* event) const;
  void Set(void* event);
};

extern FakeWorkerPlatform FakeWorkerOs;
