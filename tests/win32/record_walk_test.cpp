// The record walk with a real store and a real worker thread, under Wine.
#include <windows.h>
#include <gtest/gtest.h>
#include <string.h>
#include "support/record_walk.h"

namespace {

const uint32_t K64 = 0x10000;

struct Seen {
  volatile LONG ready, finished;
  volatile DWORD readyThread, finishedThread;
  volatile int32_t result;
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
  if (r->phase == WALK_FINISHED) {
    seen.finishedThread = GetCurrentThreadId();
    seen.result = r->result;
    InterlockedIncrement(&seen.finished);
  }
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
  uint32_t ExpectedSum() {
    uint32_t sum = 0;
    for (int i = 0; i < 1000; ++i) sum += i & 0xFF;
    return sum;
  }
};

TEST_F(WalkWin32Test, IdleWorkerTakesTheWalk) {
  ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
  w.window = window;
  r.worker = &w;
  ASSERT_EQ(RC_QUEUED, StoreWalk(&s, &r));
  MSG msg = {};
  DWORD until = GetTickCount() + 5000;
  bool got = false;
  while (!got && static_cast<LONG>(GetTickCount() - until) < 0) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      got = msg.message == WM_JOB_DONE;
    else
      Sleep(5);
  }
  ASSERT_TRUE(got);
  EXPECT_EQ(0, msg.lParam);
  ASSERT_EQ(RC_OK, WorkerWaitIdle(&w, 2000));  // done has run
  EXPECT_EQ(1000, seen.ready);
  EXPECT_EQ(ExpectedSum(), seen.sum);
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

TEST_F(WalkWin32Test, UnmappableWindowEndsDirectWalk) {
  // A read-only file store of 1000 bytes: a whole window cannot be mapped.
  char dir[MAX_PATH], name[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  wsprintfA(name, "%ssw_walk_%lu.bin", dir, GetCurrentProcessId());
  HANDLE f = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  char bytes[1000] = {};
  DWORD n = 0;
  WriteFile(f, bytes, sizeof bytes, &n, nullptr);
  CloseHandle(f);
  MappedStore file = {};
  file.flags = STORE_FILE | STORE_LOCK;
  lstrcpynA(file.fileName, name, sizeof file.fileName);
  ASSERT_EQ(RC_OK, StoreOpen(&file));
  EXPECT_EQ(RC_FAILED, StoreWalk(&file, &r));
  EXPECT_EQ(1, seen.finished);
  EXPECT_EQ(RC_FAILED, seen.result);
  EXPECT_EQ(0, seen.ready);

  // Past capacity: 21.
  s.capacity = K64;
  r.position = 0;
  s.dataLength = 64000;
  r.windowNeed = 64;
  EXPECT_EQ(0, StoreWalk(&s, &r));  // fits in the one window
  s.dataLength = K64 + 64;  // claims more than the one window holds
  r.position = K64 - 32;    // needs a second window, past capacity
  seen.finished = 0;
  EXPECT_EQ(RC_NO_ROOM, StoreWalk(&s, &r));
  EXPECT_EQ(RC_NO_ROOM, seen.result);
  EXPECT_EQ(1, seen.finished);
  StoreClose(&file);
  DeleteFileA(name);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
