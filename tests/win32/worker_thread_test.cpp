// The worker on a real thread, events and message queue.
#include <windows.h>
#include <gtest/gtest.h>
#include "support/worker.h"
#include "tests/win32/handle_probe.h"

static int32_t Zero(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t) { return 0; }
static int32_t ThreadId(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t) { return int32_t(GetCurrentThreadId()); }

// A job's finish runs on the thread and the window hears of it; WM_QUIT ends
// an idle pumping worker; both routines wake for the stop (one that slept on
// would take 3 s a cycle) and a hundred cycles leave no handle.
TEST(WorkerThread, JobRunsOnTheThreadTellsTheWindowAndStopsClean) {
  HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  Worker w = {window};
  ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 1));
  WorkerJob job = {{}, MakeStage(Zero), MakeStage(ThreadId), {}};
  ASSERT_EQ(RC_OK, WorkerPost(&w, &job, 0));
  MSG msg = {};
  SetTimer(window, 1, 10000, nullptr);  // a deadline
  while (GetMessageA(&msg, nullptr, 0, 0) && msg.message != WM_JOB_DONE && msg.message != WM_TIMER) DispatchMessageA(&msg);
  // finish ran on the worker's thread
  EXPECT_TRUE(msg.message == WM_JOB_DONE && msg.hwnd == window && msg.wParam == WPARAM(w.thread) && msg.lParam == LPARAM(w.threadId));
  ASSERT_EQ(RC_OK, WorkerWaitIdle(&w, 5000));
  PostThreadMessageA(w.threadId, WM_QUIT, 0, 0);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(w.thread, 5000));
  EXPECT_EQ(RC_OK, WorkerStop(&w));
  DestroyWindow(window);
  std::string before;
  for (int i = 0; i <= 100; ++i) {
    if (i == 1) before = HandleFootprint();  // after the first thread's own set-up
    Worker cycle = {};
    ASSERT_TRUE(WorkerStart(&cycle, 0, i & 1) == RC_OK && WorkerStop(&cycle) == RC_OK);
  }
  EXPECT_EQ(before, HandleFootprint());
}
