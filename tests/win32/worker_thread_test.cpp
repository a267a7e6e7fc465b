// The worker on a real thread, events and message queue. Jobs on it, and the
// WM_JOB_DONE they send, are seen by the record walk's Windows test.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/worker.h"
#include "tests/win32/handle_probe.h"

// A stop wakes an idle worker of either routine: its thread has ended, and is
// gone, when WorkerStop returns, not left waiting past the stop's own waits.
TEST(WorkerThread, StopEndsAnIdleThread) {
  for (int pump = 0; pump < 2; ++pump) {
    Worker w = {};
    ASSERT_EQ(RC_OK, WorkerStart(&w, 0, pump));
    WorkerStop(&w);
    EXPECT_EQ(nullptr, OpenThread(SYNCHRONIZE, FALSE, w.threadId)) << "pump " << pump;
  }
}

// A hundred start and stop cycles, of both routines, leave no handle behind.
TEST(WorkerThread, StartAndStopLeaveNoHandle) {
  std::string before;
  for (int i = 0; i <= 100; ++i) {
    if (i == 1) before = HandleFootprint();  // after the first thread's own set-up
    Worker w = {};
    ASSERT_EQ(RC_OK, WorkerStart(&w, 0, i & 1));
    WorkerStop(&w);
  }
  EXPECT_EQ(before, HandleFootprint());
}
