// The worker's phase machine and its waits over fake events, pass by pass.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/fakes/fake_worker.h"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // records given in part

static const char* toAnswer;  // what the stages answer in turn, a digit each; then 0

static int32_t Stage(uintptr_t letter, uintptr_t, uintptr_t, uintptr_t, int32_t last) {
  fakeWorker.trace += char(letter) + (letter == 'p' ? "" : std::to_string(last));
  return *toAnswer ? *toAnswer++ - '0' : 0;
}
static int32_t Prep(uintptr_t, uintptr_t, uintptr_t, uintptr_t) { return Stage('p', 0, 0, 0, 0); }

// A row gives a job with or without prepare, what its stages answer, and a
// script that runs a pass per word, after its letters: g posts the job, G
// signals go alone, c cancel, s stop, i brings input, q WM_QUIT (to a pumping
// worker). The trace shows each pass: w when it waited for a signal (no job),
// p and sN fN dN for the stages with the `last` they got, JN for WM_JOB_DONE,
// x when the routine ended, . for a pass that did nothing.
TEST(Worker, PhaseMachine) {
  std::tuple<bool, const char*, const char*, int, const char*> rows[] = {
      {0, "1", "g . . .", 0, "w s2 f1J0d0 w"},      // no prepare: step gets 2
      {1, "220", "g . g .", 0, "wp s2 s2 f0J0d0"},  // a post to a busy worker changes nothing
      {1, "7", "g . g", 0, "wp w wp"},              // a failing prepare ends silently
      {1, "27", "g . .", 0, "wp s2 w"},             // so does a failing step
      {1, "229", "g . c .", 0, "wp s2 f2J9d9 w"},   // a cancel finishes in its pass
      {1, "", "c gc . .", 0, "w wp s0 f0J0d0"},     // no job: dropped; go beats cancel
      {1, "222", "g . Gs", 0, "wp s2 s2x"},         // stop beats go; the step still runs
      {1, "", "g i . .", 1, "wp . s0 f0J0d0"},      // input: no phase step in that pass
      {1, "", "gq", 1, ".x"},                       // WM_QUIT: at once, go untaken
  };
  for (auto& [prepare, answers, script, pump, want] : rows) {
    fakeWorker = FakeWorkerOs{};
    toAnswer = answers;
    WorkerJob job{MakePrepareStage(prepare ? Prep : nullptr), MakeStage(Stage, 's'),
                  MakeStage(Stage, 'f'), MakeStage(Stage, 'd')};
    Worker w{&job};  // a window (any address will do), so that WM_JOB_DONE is posted
    ASSERT_EQ(RC_OK, WorkerStart(&w, 0, pump));
    WorkerLoopState st;
    WorkerLoopBegin(&w, &st);
    for (const char* c = script;; ++c) {
      if (*c == 'g') WorkerPost(&w, &job, 0);
      if (*c == 'G' || *c == 'c' || *c == 's')
        WorkerSetEvent(*c == 'G' ? w.goEvent : *c == 'c' ? w.cancelEvent : w.stopEvent);
      fakeWorker.input |= *c == 'i';
      fakeWorker.quit |= *c == 'q';
      if (*c && *c != ' ') continue;  // a pass at each space and at the end
      fakeWorker.trace += fakeWorker.trace.empty() ? "" : " ";
      size_t before = fakeWorker.trace.size();
      bool more = WorkerPass(&w, &st, pump);
      fakeWorker.trace += fakeWorker.trace.size() == before ? "." : "";
      fakeWorker.trace += more ? "" : "x";
      if (!more || !*c) break;
    }
    EXPECT_EQ(want, fakeWorker.trace) << script;
  }
}

// Post and cancel read a timeout of 0 as a second's wait for the idle worker.
TEST(Worker, PostAndCancelWaitASecondForATimeoutOfZero) {
  fakeWorker = FakeWorkerOs{};
  WorkerJob job{{}, MakeStage(Stage, 's')};
  Worker w{};
  ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
  WorkerPost(&w, &job, 0);
  EXPECT_EQ(1000u, fakeWorker.waitedOne);
  WorkerCancel(&w, 0);
  EXPECT_EQ(1000u, fakeWorker.waitedOne);
}
