// The worker's phase machine over fake events, pass by pass. A trace shows
// each pass: w when it waited for a signal (no job), p and sN fN dN for the
// stages with the `last` they got, JN for WM_JOB_DONE, x when the routine
// ended, . for a pass that did nothing.
#include <gtest/gtest.h>
#include <deque>
#include <sstream>
#include "tests/fakes/fake_worker.h"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // records given in part

namespace {

std::deque<int32_t> results;  // what the stages answer in turn; then 0

int32_t Stage(uintptr_t letter, uintptr_t, uintptr_t, uintptr_t, int32_t last) {
  fakeWorker.trace += char(letter) + (letter == 'p' ? "" : std::to_string(last));
  int32_t r = results.empty() ? 0 : results.front();
  if (!results.empty()) results.pop_front();
  return r;
}
int32_t Prepare(uintptr_t, uintptr_t, uintptr_t, uintptr_t) { return Stage('p', 0, 0, 0, 0); }

// One pass per word of the script, after what its letters do: g posts the
// job, G signals go alone, c cancel, s stop, i brings input, q WM_QUIT.
std::string Drive(const char* stages, const char* script, int pump) {
  fakeWorker = FakeWorkerOs{};
  WorkerJob job{MakePrepareStage(Prepare), MakeStage(Stage, 's'), MakeStage(Stage, 'f'),
                MakeStage(Stage, 'd')};
  if (!strchr(stages, 'p')) job.prepare.routine = nullptr;
  if (!strchr(stages, 'f')) job.finish.routine = nullptr;
  Worker w{&job};
  EXPECT_EQ(RC_OK, WorkerStart(&w, 0, pump));
  WorkerLoopState st;
  WorkerLoopBegin(&w, &st);
  std::istringstream words(script);
  std::string word, trace;
  while (words >> word) {
    for (char c : word) {
      if (c == 'g') WorkerPost(&w, &job, 0);
      if (strchr("Gcs", c)) WorkerSetEvent(c == 'G' ? w.goEvent : c == 'c' ? w.cancelEvent : w.stopEvent);
      fakeWorker.input |= c == 'i';
      fakeWorker.quit |= c == 'q';
    }
    fakeWorker.trace.clear();
    fakeWorker.waitedThree = 0;
    bool more = WorkerPass(&w, &st, pump);
    std::string pass = (fakeWorker.waitedThree == WORKER_WAIT_FOREVER ? "w" : "") + fakeWorker.trace;
    trace += (trace.empty() ? "" : " ") + (!more ? pass + "x" : pass.empty() ? "." : pass);
    if (!more) break;
  }
  return trace;
}

TEST(Worker, PhaseMachine) {
  struct {
    const char* stages;
    std::deque<int32_t> results;
    const char* script;
    int pump;
    const char* trace;
  } rows[] = {
      {"pf", {2, 2, 2, 2, 0, 5}, "g . . . . . .", 0, "wp s2 s2 s2 s2 f0J5d5 w"},
      {"f", {1}, "g . . .", 0, "w s2 f1J0d0 w"},    // no prepare: step gets 2
      {"p", {2}, "g . .", 0, "wp s2 J0d0"},         // no finish: the step's 0 goes on
      {"pf", {16}, "g . g", 0, "wp w wp"},          // a failing prepare ends silently
      {"pf", {2, 21}, "g . .", 0, "wp s2 w"},       // so does a failing step
      {"pf", {2, 2, 9}, "g . c .", 0, "wp s2 f2J9d9 w"},  // a cancel finishes in its pass
      {"pf", {}, "c gc . .", 0, "w wp s0 f0J0d0"},  // no job: dropped; go beats cancel
      {"pf", {2, 2, 2}, "g . Gs", 0, "wp s2 s2x"},  // stop beats go; the step still runs
      {"pf", {}, "g i . .", 1, "wp . s0 f0J0d0"},   // input: no phase step in that pass
      {"pf", {}, "gq", 1, "x"},                     // WM_QUIT: at once, go untaken
  };
  for (auto& row : rows) {
    results = row.results;
    EXPECT_EQ(row.trace, Drive(row.stages, row.script, row.pump)) << row.script;
  }
}

TEST(Worker, PostWaitsForIdleAndStartGivesBackWhatItMade) {
  fakeWorker = FakeWorkerOs{};
  Worker w{};
  WorkerJob job{{}, MakeStage(Stage, 's')}, other{{}, MakeStage(Stage, 'x')};
  ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
  EXPECT_EQ(RC_OK, WorkerPost(&w, &job, 0));
  EXPECT_EQ(1000u, fakeWorker.waitedOne);  // 0 means 1000
  WorkerResetEvent(w.idleEvent);           // the job was taken
  EXPECT_EQ(RC_TIMEOUT, WorkerPost(&w, &other, 0));
  EXPECT_EQ(uintptr_t('s'), w.job.step.param1);  // the job under way is untouched
  for (int made : {0, 3, 4}) {  // 4: every event, then no thread
    fakeWorker = FakeWorkerOs{};
    fakeWorker.eventsToMake = made;
    fakeWorker.noThread = true;
    w = Worker{};
    EXPECT_EQ(RC_FAILED, WorkerStart(&w, 0, 0));
    EXPECT_EQ(made, fakeWorker.closed);
    EXPECT_FALSE(w.thread || w.stopEvent || w.goEvent || w.cancelEvent || w.idleEvent);
  }
}

}  // namespace
