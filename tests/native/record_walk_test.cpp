// The record walk, direct and on a worker driven pass by pass, over the
// fake file system and fake events.
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>
#include "support/record_walk.h"
#include "tests/fakes/fake_store.h"
#include "tests/fakes/fake_worker.h"

namespace {

const uint32_t K64 = 0x10000;

struct Call {
  int32_t phase, position, result;
  bool hasRecord;
  uint8_t first;
};
std::vector<Call> calls;
int lockHoldsInCallback = -1;

// Records every call; in READY steps on by one record, past the end stops.
int32_t Typical(MappedStore*, WalkRequest* r) {
  calls.push_back({r->phase, r->position, r->result, r->record != nullptr,
                   r->record ? r->record[0] : uint8_t(0)});
  lockHoldsInCallback = FakeStore.lockHolds;
  if (r->phase == WALK_READY) {
    r->position += r->recordSize;
    return WALK_CONTINUE;
  }
  return 0;
}

// Answers from a script, moving position as told; the last entry repeats.
struct Script {
  int32_t answer, move;
};
std::vector<Script> script;
size_t scriptAt = 0;
int32_t Scripted(MappedStore* s, WalkRequest* r) {
  Typical(s, r);
  if (r->phase == WALK_FINISHED) return 0;
  const Script& sc = script[scriptAt < script.size() ? scriptAt++ : script.size() - 1];
  r->position = calls.back().position + sc.move;
  return sc.answer;
}

class WalkTest : public ::testing::Test {
 protected:
  MappedStore s{};
  WalkRequest r{};

  void SetUp() override {
    FakeStore.Reset();
    FakeWorkerOs.Reset();
    calls.clear();
    script.clear();
    scriptAt = 0;
  }
  void TearDown() override {
    StoreClose(&s);
    EXPECT_EQ(0, FakeStore.openHandles);
    EXPECT_EQ(0, FakeStore.liveViews);
  }
  // A file store of n records of `size` bytes; record i starts with byte i.
  // Views are whole windows, so the mapping reaches two windows past the data.
  void OpenRecords(uint32_t n, uint32_t size, uint32_t flags = STORE_LOCK, uint32_t cap = 0) {
    FakeStoreBytes b(n * size);
    for (uint32_t i = 0; i < n; ++i) b[i * size] = static_cast<uint8_t>(i);
    FakeStore.Put("rec.bin", b);
    s.flags = STORE_FILE | STORE_WRITE | flags;
    s.capacity = cap;
    s.extraBytes = 2 * K64;
    strcpy(s.fileName, "rec.bin");
    ASSERT_EQ(RC_OK, StoreOpen(&s));
    r.recordSize = size;
    r.windowNeed = size;
    r.callback = Typical;
  }
  std::vector<int32_t> Phases() {
    std::vector<int32_t> p;
    for (const Call& c : calls) p.push_back(c.phase);
    return p;
  }
};

TEST_F(WalkTest, TypicalDirectWalkVisitsEveryRecord) {
  OpenRecords(10, 100);
  EXPECT_EQ(0, StoreWalk(&s, &r));
  ASSERT_EQ(12u, calls.size());
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(WALK_READY, calls[i].phase);
    EXPECT_EQ(i * 100, calls[i].position);
    EXPECT_EQ(i, calls[i].first);
  }
  EXPECT_EQ(WALK_PAST_END, calls[10].phase);
  EXPECT_EQ(1000, calls[10].position);
  EXPECT_FALSE(calls[10].hasRecord);
  EXPECT_EQ(WALK_FINISHED, calls[11].phase);
  EXPECT_EQ(0, calls[11].result);
  EXPECT_FALSE(calls[11].hasRecord);
  EXPECT_EQ(0, lockHoldsInCallback);  // the last call runs unlocked
  EXPECT_EQ(nullptr, s.view);
  EXPECT_EQ(0, s.windowStart);
  EXPECT_EQ(0, s.windowEnd);
  EXPECT_EQ(1u, FakeStore.views.size());
}

TEST_F(WalkTest, RefusesBadArguments) {
  EXPECT_EQ(RC_BAD_ARG, StoreWalk(&s, &r));  // store not open
  OpenRecords(4, 16);
  EXPECT_EQ(RC_BAD_ARG, StoreWalk(nullptr, &r));
  EXPECT_EQ(RC_BAD_ARG, StoreWalk(&s, nullptr));
  for (uint32_t size : {0u, 65u}) {
    r.recordSize = size;
    EXPECT_EQ(RC_BAD_ARG, StoreWalk(&s, &r));
  }
  r.recordSize = 16;
  r.callback = nullptr;
  EXPECT_EQ(RC_BAD_ARG, StoreWalk(&s, &r));
  EXPECT_EQ(RC_BAD_ARG, StoreWalkCancel(&s, &r));
  EXPECT_TRUE(calls.empty());
  r.callback = Typical;
  EXPECT_EQ(RC_OK, StoreWalkCancel(&s, &r));  // no worker: nothing to cancel
}

TEST_F(WalkTest, LockNotHadEndsWithoutCallback) {
  OpenRecords(4, 16);
  FakeStore.lockBusy = true;
  r.timeout = 40;
  EXPECT_EQ(RC_FAILED, StoreWalk(&s, &r));
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(40u, FakeStore.lockTimeouts.back());
}

TEST_F(WalkTest, ScriptedPositionsAndStatuses) {
  struct Case {
    const char* name;
    int32_t start;
    std::vector<Script> script;
    int32_t want;
    std::vector<int32_t> phases;
  } cases[] = {
      {"record as big as the data", 0, {{2, 64}, {0, 0}}, 0, {WALK_READY, WALK_PAST_END, 4}},
      {"negative repeats until moved", -5, {{2, 0}, {2, 0}, {2, 5}, {7, 0}}, 7,
       {WALK_NEGATIVE, WALK_NEGATIVE, WALK_NEGATIVE, WALK_READY, 4}},
      {"past end, then back in range", 64, {{2, 0}, {2, -64}, {1, 0}}, 1,
       {WALK_PAST_END, WALK_PAST_END, WALK_READY, 4}},
  };
  OpenRecords(1, 64);
  for (const Case& c : cases) {
    calls.clear();
    script = c.script;
    scriptAt = 0;
    r.position = c.start;
    r.callback = Scripted;
    EXPECT_EQ(c.want, StoreWalk(&s, &r)) << c.name;
    EXPECT_EQ(c.phases, Phases()) << c.name;
    EXPECT_EQ(c.want, calls.back().result) << c.name;
  }
}

TEST_F(WalkTest, UnmappableWindowEndsDirectWalk) {
  // Capacity of one window: a record in the second window cannot be placed.
  OpenRecords(2, K64, STORE_LOCK, K64 * 4);
  s.capacity = K64;
  script = {{2, K64}};
  r.callback = Scripted;
  EXPECT_EQ(RC_NO_ROOM, StoreWalk(&s, &r));
  EXPECT_EQ((std::vector<int32_t>{WALK_READY, WALK_FINISHED}), Phases());
  EXPECT_EQ(RC_NO_ROOM, calls.back().result);
  EXPECT_EQ(0, FakeStore.lockHolds);

  // The platform refuses the view.
  calls.clear();
  scriptAt = 0;
  r.position = 0;
  FakeStore.viewsToMap = 0;
  EXPECT_EQ(RC_FAILED, StoreWalk(&s, &r));
  EXPECT_EQ((std::vector<int32_t>{WALK_FINISHED}), Phases());
  EXPECT_EQ(RC_FAILED, calls.back().result);
  EXPECT_EQ(0, FakeStore.lockHolds);
}

class WalkOnWorkerTest : public WalkTest {
 protected:
  Worker w{};
  WorkerLoopState st{};
  void SetUp() override {
    WalkTest::SetUp();
    ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
    w.window = FakeWorkerOs.validWindow;
    WorkerLoopBegin(&w, &st);
    r.worker = &w;
  }
  void TearDown() override {
    WorkerStop(&w);
    WalkTest::TearDown();
  }
  void Passes(int n) {
    for (int i = 0; i < n; ++i) WorkerPass(&w, &st, 0);
  }
};

TEST_F(WalkOnWorkerTest, QueuedWalkRunsOnTheWorker) {
  OpenRecords(3, 100);
  EXPECT_EQ(RC_QUEUED, StoreWalk(&s, &r));
  EXPECT_TRUE(calls.empty());
  Passes(1);  // prepare takes the lock
  EXPECT_EQ(1, FakeStore.lockHolds);
  Passes(4);  // three records and the end
  EXPECT_EQ(4u, calls.size());
  EXPECT_TRUE(FakeWorkerOs.posts.empty());
  Passes(1);  // finish, message, done
  EXPECT_EQ((std::vector<int32_t>{0, 0, 0, WALK_PAST_END, WALK_FINISHED}), Phases());
  EXPECT_EQ(0, FakeStore.lockHolds);
  EXPECT_EQ(nullptr, s.view);
  ASSERT_EQ(1u, FakeWorkerOs.posts.size());
  EXPECT_EQ(0, FakeWorkerOs.posts[0].lParam);
  EXPECT_TRUE(FakeWorkerOs.IsSet(w.idleEvent));
}

TEST_F(WalkOnWorkerTest, CancelWhileRetryingUnmappableWindow) {
  OpenRecords(2, 100);
  FakeStore.viewsToMap = 0;
  EXPECT_EQ(RC_QUEUED, StoreWalk(&s, &r));
  Passes(5);  // steps keep answering 2 without calling back
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(RC_OK, StoreWalkCancel(&s, &r));  // the wait runs out: still 0
  Passes(1);
  EXPECT_EQ((std::vector<int32_t>{WALK_FINISHED}), Phases());
  EXPECT_EQ(2, calls[0].result);
  EXPECT_EQ(0, FakeStore.lockHolds);
}

TEST_F(WalkOnWorkerTest, OtherStatusOnWorkerGivesViewAndLockBack) {
  OpenRecords(2, 100);
  script = {{7, 0}};
  r.callback = Scripted;
  EXPECT_EQ(RC_QUEUED, StoreWalk(&s, &r));
  Passes(3);  // the job ends without finish and done
  EXPECT_EQ((std::vector<int32_t>{WALK_READY}), Phases());
  EXPECT_TRUE(FakeWorkerOs.posts.empty());
  EXPECT_EQ(0, FakeStore.lockHolds);
  EXPECT_EQ(nullptr, s.view);
}

}  // namespace
