// The worker's phase machine over fake events, pass by pass. A trace shows
// each pass: w when it waited for a signal (no job), p and sN fN dN for the
// stages with the `last` they got, JN for WM_JOB_DONE, x when the routine
// ended, . for a pass that did nothing.
#include <gtest/gtest.h>

#include <deque>
#include <sstream>

#include "tests/fakes/fake_worker.h"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // records given in part

static std::deque<int32_t> results;  // what the stages answer in turn; then 0

static int32_t Stage(uintptr_t letter, uintptr_t, uintptr_t, uintptr_t, int32_t last) {
  fakeWorker.trace += char(letter) + (letter == 'p' ? "" : std::to_string(last));
  int32_t r = 0;
  if (!results.empty()) r = results.front(), results.pop_front();
  return r;
}
static int32_t Prepare(uintptr_t, uintptr_t, uintptr_t, uintptr_t) {
  return Stage('p', 0, 0, 0, 0);
}

TEST(Worker, PhaseMachine) {
  // script: a pass per word, after its letters: g posts the job, G signals go
  // alone, c cancel, s stop, i brings input, q WM_QUIT.
  struct {
    bool prepare;
    std::deque<int32_t> results;
    const char* script;
    int pump;
    const char* trace;
  } rows[] = {
      {1, {2, 2, 2, 2, 0, 5}, "g . . . . . .", 0, "wp s2 s2 s2 s2 f0J5d5 w"},
      {0, {1}, "g . . .", 0, "w s2 f1J0d0 w"},          // no prepare: step gets 2
      {1, {2, 2, 0}, "g . g .", 0, "wp s2 s2 f0J0d0"},  // a post to a busy worker changes nothing
      {1, {16}, "g . g", 0, "wp w wp"},                 // a failing prepare ends silently
      {1, {2, 21}, "g . .", 0, "wp s2 w"},              // so does a failing step
      {1, {2, 2, 9}, "g . c .", 0, "wp s2 f2J9d9 w"},   // a cancel finishes in its pass
      {1, {}, "c gc . .", 0, "w wp s0 f0J0d0"},         // no job: dropped; go beats cancel
      {1, {2, 2, 2}, "g . Gs", 0, "wp s2 s2x"},         // stop beats go; the step still runs
      {1, {}, "g i . .", 1, "wp . s0 f0J0d0"},          // input: no phase step in that pass
      {1, {}, "gq", 1, "x"},                            // WM_QUIT: at once, go untaken
  };
  for (auto& row : rows) {
    fakeWorker = FakeWorkerOs{}, results = row.results;
    WorkerJob job{MakePrepareStage(row.prepare ? Prepare : nullptr), MakeStage(Stage, 's'),
                  MakeStage(Stage, 'f'), MakeStage(Stage, 'd')};
    Worker w{&job};
    ASSERT_EQ(RC_OK, WorkerStart(&w, 0, row.pump));
    WorkerLoopState st;
    WorkerLoopBegin(&w, &st);
    std::istringstream words(row.script);
    std::string word, trace;
    for (bool more = true; more && words >> word;) {
      for (char c : word) {
        if (c == 'g') WorkerPost(&w, &job, 0);
        if (strchr("Gcs", c))
          WorkerSetEvent(c == 'G' ? w.goEvent : c == 'c' ? w.cancelEvent : w.stopEvent);
        fakeWorker.input |= c == 'i', fakeWorker.quit |= c == 'q';
      }
      fakeWorker.trace.clear(), fakeWorker.waitedThree = 0;
      more = WorkerPass(&w, &st, row.pump);
      std::string pass =
          (fakeWorker.waitedThree == WORKER_WAIT_FOREVER ? "w" : "") + fakeWorker.trace;
      trace += (trace.empty() ? "" : " ") + (!more ? pass + "x" : pass.empty() ? "." : pass);
    }
    EXPECT_EQ(row.trace, trace) << row.script;
  }
}
