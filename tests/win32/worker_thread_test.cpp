// The worker on real threads, events and message queues.
#include <windows.h>
#include <gtest/gtest.h>
#include "support/worker.h"
#include "tests/win32/handle_probe.h"

namespace {

DWORD stepThread;
int32_t Step(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t) {
  stepThread = GetCurrentThreadId();
  return 0;
}
int32_t Finish(uintptr_t value, uintptr_t, uintptr_t, uintptr_t, int32_t) { return int32_t(value); }

TEST(WorkerThread, JobsRunOnTheThreadAndTellTheWindow) {
  HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  for (int pump = 0; pump < 2; ++pump) {
    Worker w = {window};
    ASSERT_EQ(RC_OK, WorkerStart(&w, 0, pump));
    WorkerJob job = {{}, MakeStage(Step), MakeStage(Finish, 42 + pump), {}};
    ASSERT_EQ(RC_OK, WorkerPost(&w, &job, 0));
    MSG msg = {};
    SetTimer(window, 1, 10000, nullptr);  // a deadline
    while (GetMessageA(&msg, nullptr, 0, 0) && msg.message != WM_JOB_DONE && msg.message != WM_TIMER)
      DispatchMessageA(&msg);
    EXPECT_EQ(UINT(WM_JOB_DONE), msg.message);
    EXPECT_EQ(window, msg.hwnd);
    EXPECT_EQ(WPARAM(w.thread), msg.wParam);
    EXPECT_EQ(42 + pump, msg.lParam);
    EXPECT_EQ(w.threadId, stepThread);
    ASSERT_EQ(RC_OK, WorkerWaitIdle(&w, 5000));
    // WM_QUIT wakes an idle pumping worker and ends its thread at once.
    DWORD code = 0;
    if (pump) PostThreadMessageA(w.threadId, WM_QUIT, 0, 0);
    EXPECT_EQ(pump ? WAIT_OBJECT_0 : WAIT_TIMEOUT, WaitForSingleObject(w.thread, pump ? 5000 : 100));
    EXPECT_EQ(pump ? 1u : STILL_ACTIVE, (GetExitCodeThread(w.thread, &code), code));
    EXPECT_EQ(RC_OK, WorkerStop(&w));
  }
  DestroyWindow(window);
}

TEST(WorkerThread, StartAndStopLeaveNoHandle) {
  std::string before;
  for (int i = 0; i <= 100; ++i) {
    if (i == 1) before = HandleFootprint();  // after the first thread's own set-up
    Worker w = {};
    ASSERT_EQ(RC_OK, WorkerStart(&w, 0, i & 1));
    ASSERT_EQ(RC_OK, WorkerStop(&w));
  }
  EXPECT_EQ(before, HandleFootprint());
}

}  // namespace
