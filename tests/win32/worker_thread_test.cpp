// The worker with real Win32 events, threads and message queues, under Wine.
#include <windows.h>
#include <gtest/gtest.h>
#include "support/worker.h"
#include "tests/win32/handle_probe.h"

namespace {

volatile LONG stepCalls = 0;
volatile DWORD stepThread = 0;
volatile LONG holdBusy = 0;  // while set, step keeps asking for more
volatile LONG doneResult = -100;

int32_t Step(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t) {
  stepThread = GetCurrentThreadId();
  if (InterlockedIncrement(&stepCalls) < 3 || holdBusy) {
    Sleep(1);
    return JOB_CONTINUE;
  }
  return 0;
}
int32_t Finish(uintptr_t p1, uintptr_t, uintptr_t, uintptr_t, int32_t last) {
  return last == 0 ? static_cast<int32_t>(p1) : last;
}
int32_t Done(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t last) {
  doneResult = last;
  return 0;
}

WorkerJob MakeJob(uintptr_t finishValue) {
  WorkerJob job = {};
  job.step = MakeStage(Step);
  job.finish = MakeStage(Finish, finishValue);
  job.done = MakeStage(Done);
  return job;
}

// Waits for WM_JOB_DONE on this thread's queue; false after `ms`.
bool WaitJobDone(MSG* out, DWORD ms) {
  DWORD until = GetTickCount() + ms;
  for (;;) {
    while (PeekMessageA(out, nullptr, 0, 0, PM_REMOVE)) {
      if (out->message == WM_JOB_DONE) return true;
      DispatchMessageA(out);
    }
    if (static_cast<LONG>(GetTickCount() - until) >= 0) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

class WorkerThreadTest : public ::testing::Test {
 protected:
  Worker w = {};
  HWND window = nullptr;
  void SetUp() override {
    stepCalls = 0;
    holdBusy = 0;
    doneResult = -100;
    window = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
  }
  void TearDown() override {
    if (w.thread) WorkerStop(&w);
    DestroyWindow(window);
  }
};

TEST_F(WorkerThreadTest, JobRunsOnItsThreadAndTellsTheWindow) {
  ASSERT_EQ(RC_OK, WorkerStart(&w, THREAD_PRIORITY_BELOW_NORMAL, 0));
  w.window = window;
  WorkerJob job = MakeJob(42);
  ASSERT_EQ(RC_OK, WorkerPost(&w, &job, 0));
  MSG msg;
  ASSERT_TRUE(WaitJobDone(&msg, 5000));
  EXPECT_EQ(window, msg.hwnd);
  EXPECT_EQ(42, msg.lParam);
  EXPECT_EQ(reinterpret_cast<WPARAM>(w.thread), msg.wParam);
  EXPECT_EQ(w.threadId, stepThread);
  EXPECT_NE(GetCurrentThreadId(), stepThread);
  EXPECT_EQ(RC_OK, WorkerWaitIdle(&w, 2000));
  EXPECT_EQ(42, doneResult);
  EXPECT_EQ(3, stepCalls);
}

TEST_F(WorkerThreadTest, BusyWorkerTimesOutPostAndCancelEndsIt) {
  ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 1));
  w.window = window;
  holdBusy = 1;
  WorkerJob job = MakeJob(5);
  ASSERT_EQ(RC_OK, WorkerPost(&w, &job, 0));
  while (WorkerWaitIdle(&w, 0) == RC_OK) Sleep(1);  // until the job is taken
  DWORD t0 = GetTickCount();
  EXPECT_EQ(RC_TIMEOUT, WorkerPost(&w, &job, 0));
  DWORD took = GetTickCount() - t0;
  EXPECT_GE(took, 900u);
  EXPECT_LE(took, 3000u);
  EXPECT_EQ(RC_TIMEOUT, WorkerWaitIdle(&w, 0));
  EXPECT_EQ(RC_OK, WorkerCancel(&w, 0));
  MSG msg;
  ASSERT_TRUE(WaitJobDone(&msg, 2000));
  EXPECT_EQ(2, msg.lParam);  // finish saw the step's "go on"
  EXPECT_EQ(2, doneResult);
}

TEST_F(WorkerThreadTest, StopEndsTheThread) {
  ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
  HANDLE copy = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), w.thread, GetCurrentProcess(), &copy, 0,
                              FALSE, DUPLICATE_SAME_ACCESS));
  EXPECT_EQ(RC_OK, WorkerStop(&w));
  EXPECT_EQ(nullptr, w.thread);
  EXPECT_EQ(nullptr, w.idleEvent);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(copy, 0));
  DWORD code = 0;
  GetExitCodeThread(copy, &code);
  EXPECT_EQ(1u, code);
  CloseHandle(copy);
}

TEST_F(WorkerThreadTest, StartStopCyclesLeakNoHandles) {
  Worker warm = {};
  WorkerStart(&warm, 0, 0);
  WorkerStop(&warm);
  std::string before = HandleFootprint();
  for (int i = 0; i < 1000; ++i) {
    Worker x = {};
    ASSERT_EQ(RC_OK, WorkerStart(&x, 0, i & 1));
    ASSERT_EQ(RC_OK, WorkerStop(&x));
  }
  EXPECT_EQ(before, HandleFootprint());
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
