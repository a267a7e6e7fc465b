// The record walk, on the calling thread and on a worker driven pass by pass,
// over files in memory and fake events. The trace shows each callback call:
// R (ready), N (negative) or E (past the end) with the position, F with the
// result; ! marks a record whose first byte is not its number.
#include <gtest/gtest.h>
#include <string.h>
#include "support/record_walk.h"
#include "tests/fakes/fake_store.h"
#include "tests/fakes/fake_worker.h"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // records given in part

static std::string trace;
// The callback's answers in turn: + or - moves one record and answers 2,
// = stays and answers 2, c cancels and stays, a digit ends the walk with it;
// then + while ready and 0 past the end.
static const char* answers;

static int32_t Callback(MappedStore* s, WalkRequest* r) {
  trace += std::string(trace.empty() ? "" : " ") + "RNE?F"[r->phase] + std::to_string(r->phase == WALK_FINISHED ? r->result : r->position);
  if (r->record && r->record[0] != uint8_t(r->position / r->recordSize)) trace += "!";
  if (r->phase == WALK_FINISHED) return 0;
  char a = *answers ? *answers++ : r->phase == WALK_READY ? '+' : '0';
  if (a == 'c') StoreWalkCancel(s, r);
  r->position += a == '+' ? int32_t(r->recordSize) : a == '-' ? -int32_t(r->recordSize) : 0;
  return strchr("+-=c", a) ? WALK_CONTINUE : a - '0';
}

// A row walks 64-byte records in a file of just them: d directly, w on a
// worker, b with a worker that stays busy, l with the store's lock busy. The
// trace ends with WM_JOB_DONE's result as JN.
TEST(Walk, Passes) {
  const uint32_t K64 = 0x10000;
  struct { uint32_t records, capacity, window, need; int32_t start; const char* answers; char how; int rc; const char* trace; } rows[] = {
      {10, 0, 0, 64, 0, "", 'd', 0, "R0 R64 R128 R192 R256 R320 R384 R448 R512 R576 E640 F0"},
      {10, 0, 0, 64, 0, "", 'w', 3, "R0 R64 R128 R192 R256 R320 R384 R448 R512 R576 E640 F0 J0"},
      {2, 0, 0, 64, 0, "", 'b', 0, "R0 R64 E128 F0"},
      {1, 0, 0, 64, -64, "=++=-7", 'd', 7, "N-64 N-64 R0 E64 E64 R0 F7"},
      {2, K64, 2 * K64, 64, 0, "", 'd', RC_NO_ROOM, "F21"},  // no window within capacity
      {2, K64, 2 * K64, 64, 0, "", 'w', 3, "F21 J21"},
      {2, 0, 0, 64, 0, "", 'l', RC_FAILED, ""},
      {2, 0, 0, K64 + 1, 0, "", 'd', RC_BAD_ARG, ""},  // more than a view covers
      {2, 0, 0, 64, 0, "7", 'w', 3, "R0"},              // ends the job at once
      {1, 0, 0, 64, -64, "c", 'w', 3, "N-64 F2 J2"},
  };
  for (auto& row : rows) {
    fakeStore = FakeStoreOs{}, fakeWorker = FakeWorkerOs{};
    std::vector<uint8_t>& file = fakeStore.files["rec.bin"];
    file.assign(row.records * 64, 0);
    for (uint32_t i = 0; i < row.records; ++i) file[i * 64] = uint8_t(i);
    MappedStore s{STORE_FILE | STORE_LOCK, row.capacity, 0, row.window};
    strcpy(s.fileName, "rec.bin");
    ASSERT_EQ(RC_OK, StoreOpen(&s));
    Worker w{&s};
    WorkerLoopState st;
    ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
    WorkerLoopBegin(&w, &st);
    if (row.how == 'b') WorkerResetEvent(w.idleEvent);
    WalkRequest r{64, row.need, 0, {}, Callback, strchr("wb", row.how) ? &w : nullptr, row.start};
    fakeStore.lockBusy = row.how == 'l', answers = row.answers;
    trace.clear();
    EXPECT_EQ(row.rc, StoreWalk(&s, &r)) << row.trace;
    for (int pass = 0; pass < 100 && (pass == 0 || st.phase != PHASE_IDLE); ++pass) WorkerPass(&w, &st, 0);
    EXPECT_EQ(row.trace, trace + (fakeWorker.trace.empty() ? "" : " " + fakeWorker.trace));
    EXPECT_TRUE(!fakeStore.holds && !s.view) << row.trace;  // the lock and the view are given back
  }
}
