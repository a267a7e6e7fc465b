// The worker on a real thread, events and message queue. Jobs on it, and the
// WM_JOB_DONE they send, are seen by the record walk's Windows test.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/worker.h"
#include "tests/win32/handle_probe.h"

// WM_QUIT ends an idle pumping worker; both routines wake for the stop (one
// that slept on would take 3 s a cycle) and a hundred cycles leave no handle.
TEST(WorkerThread, QuitAndStopEndTheThreadClean) {
  Worker w = {};
  ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 1));
  for (int i = 0; i < 500 && !PostThreadMessageA(w.threadId, WM_QUIT, 0, 0); ++i)
    Sleep(10);  // once it has a queue
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(w.thread, 5000));
  EXPECT_EQ(RC_OK, WorkerStop(&w));
  std::string before;
  for (int i = 0; i <= 100; ++i) {
    if (i == 1) before = HandleFootprint();  // after the first thread's own set-up
    Worker cycle = {};
    ASSERT_TRUE(WorkerStart(&cycle, 0, i & 1) == RC_OK && WorkerStop(&cycle) == RC_OK);
  }
  EXPECT_EQ(before, HandleFootprint());
}
