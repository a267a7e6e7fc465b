// The record walk with a real store and a real worker thread, under Wine.
#include <windows.h>
#include <gtest/gtest.h>
#include <string.h>
#include "support/record_walk.h"

namespace {

const uint32_t K64 = 0x10000;

struct Seen {
  volatile LONG ready;
  volatile DWORD readyThread, finishedThread;
  volatile uint32_t sum;
};
Seen seen;

// Sums the first byte of each record and steps on; stops past the end.
int32_t SumFirstBytes(MappedStore*, WalkRequest* r) {
  if (r->phase == WALK_READY) {
    InterlockedIncrement(&seen.ready);
    seen.readyThread = GetCurrentThreadId();
    seen.sum += r->record[0];
    r->position += r->recordSize;
    return WALK_CONTINUE;
  }
  if (r->phase == WALK_FINISHED) seen.finishedThread = GetCurrentThreadId();
  return 0;
}

volatile LONG keepBusy = 0;
int32_t BusyStep(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t) {
  Sleep(1);
  return keepBusy ? JOB_CONTINUE : 0;
}

class WalkWin32Test : public ::testing::Test {
 protected:
  MappedStore s = {};
  WalkRequest r = {};
  Worker w = {};
  HWND window = nullptr;

  void SetUp() override {
    memset(const_cast<Seen*>(&seen), 0, sizeof seen);
    // 1000 records of 64 bytes in a temporary store; record i starts with i % 256.
    s.flags = STORE_LOCK;
    s.extraBytes = K64;
    ASSERT_EQ(RC_OK, StoreOpen(&s));
    uint8_t* p = nullptr;
    ASSERT_EQ(RC_OK, StoreMap(&s, 0, 64, &p, 0));
    for (int i = 0; i < 1000; ++i) p[i * 64] = static_cast<uint8_t>(i);
    StoreRelease(&s);
    s.dataLength = 64000;  // nothing else sets it for a fresh store
    r.recordSize = 64;
    r.windowNeed = 64;
    r.timeout = 1000;
    r.callback = SumFirstBytes;
    window = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    if (w.thread) WorkerStop(&w);
    StoreClose(&s);
    DestroyWindow(window);
  }
};

TEST_F(WalkWin32Test, IdleWorkerTakesTheWalk) {
  ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
  w.window = window;
  r.worker = &w;
  ASSERT_EQ(RC_QUEUED, StoreWalk(&s, &r));
  MSG msg = {};
  DWORD until = GetTickCount() + 5000;
  while (!PeekMessageA(&msg, window, WM_JOB_DONE, WM_JOB_DONE, PM_REMOVE) &&
         static_cast<LONG>(GetTickCount() - until) < 0)
    Sleep(5);
  ASSERT_EQ(WM_JOB_DONE, msg.message);
  EXPECT_EQ(0, msg.lParam);
  ASSERT_EQ(RC_OK, WorkerWaitIdle(&w, 2000));  // done has run
  EXPECT_EQ(1000, seen.ready);
  EXPECT_EQ(3 * 32640u + 232u * 231u / 2, seen.sum);  // 0..255 three times, then 0..231
  EXPECT_EQ(w.threadId, seen.readyThread);
  EXPECT_EQ(w.threadId, seen.finishedThread);
  // The worker gave the lock back: this thread can map at once.
  EXPECT_EQ(RC_OK, StoreMap(&s, 0, 1, nullptr, 0));
  StoreRelease(&s);
}

TEST_F(WalkWin32Test, BusyWorkerMeansDirectWalk) {
  ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
  keepBusy = 1;
  WorkerJob busy = {};
  busy.step = MakeStage(BusyStep);
  ASSERT_EQ(RC_OK, WorkerPost(&w, &busy, 0));
  while (WorkerWaitIdle(&w, 0) == RC_OK) Sleep(1);
  r.worker = &w;
  DWORD t0 = GetTickCount();
  EXPECT_EQ(0, StoreWalk(&s, &r));
  EXPECT_GE(GetTickCount() - t0, 900u);
  EXPECT_EQ(GetCurrentThreadId(), seen.readyThread);
  EXPECT_EQ(1000, seen.ready);
  keepBusy = 0;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
