// The worker's operations and its phase machine, driven pass by pass
// against fake events.
#include <gtest/gtest.h>
#include <string>
#include "support/worker.h"
#include "tests/fakes/fake_worker.h"

namespace {

std::string trace;           // stage calls, in order: "p", "s2", "f0", "d0" (letter, last)
int32_t prepareResult = 0;
std::vector<int32_t> stepResults;
size_t stepIndex = 0;
int32_t finishResult = 0;

int32_t Prepare(uintptr_t, uintptr_t, uintptr_t, uintptr_t) {
  trace += "p ";
  return prepareResult;
}
int32_t Step(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t last) {
  trace += "s" + std::to_string(last) + " ";
  return stepIndex < stepResults.size() ? stepResults[stepIndex++] : 0;
}
int32_t Finish(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t last) {
  trace += "f" + std::to_string(last) + " ";
  return finishResult;
}
int32_t Done(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t last) {
  trace += "d" + std::to_string(last) + " ";
  return 99;
}

class WorkerTest : public ::testing::Test {
 protected:
  Worker w{};
  WorkerLoopState st{};
  WorkerJob job{};

  void SetUp() override {
    FakeWorkerOs.Reset();
    trace.clear();
    prepareResult = 0;
    stepResults.clear();
    stepIndex = 0;
    finishResult = 0;
    job.prepare = MakePrepareStage(Prepare);
    job.step = MakeStage(Step);
    job.finish = MakeStage(Finish);
    job.done = MakeStage(Done);
    ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
    WorkerLoopBegin(&w, &st);
  }
  void Pass(int pump = 0) { WorkerPass(&w, &st, pump); }
  bool Idle() { return FakeWorkerOs.IsSet(w.idleEvent); }
};

TEST_F(WorkerTest, StartMakesFourEventsAndSignalsIdle) {
  EXPECT_NE(nullptr, w.thread);
  EXPECT_EQ(100u, w.threadId);
  EXPECT_EQ(0, FakeWorkerOs.lastPump);
  EXPECT_TRUE(Idle());
  EXPECT_EQ(RC_BAD_ARG, WorkerStart(&w, 0, 0));  // already started: untouched
  EXPECT_EQ(1, FakeWorkerOs.threadsStarted);
  EXPECT_EQ(RC_BAD_ARG, WorkerStart(nullptr, 0, 0));
}

TEST_F(WorkerTest, FailedStartReleasesWhatItMade) {
  for (int made : {0, 2, 3}) {
    FakeWorkerOs.Reset();
    FakeWorkerOs.eventsToMake = made;
    Worker x{};
    EXPECT_EQ(RC_FAILED, WorkerStart(&x, 0, 1));
    EXPECT_EQ(0, FakeWorkerOs.OpenHandles()) << made;
    EXPECT_EQ(nullptr, x.stopEvent);
    EXPECT_EQ(nullptr, x.idleEvent);
  }
  FakeWorkerOs.Reset();
  FakeWorkerOs.failThread = true;
  Worker x{};
  EXPECT_EQ(RC_FAILED, WorkerStart(&x, 5, 1));
  EXPECT_EQ(0, FakeWorkerOs.OpenHandles());
  EXPECT_EQ(nullptr, x.thread);
  EXPECT_EQ(0, FakeWorkerOs.lastPriority);
}

TEST_F(WorkerTest, StopClosesEverythingAndKeepsWindowAndJob) {
  w.window = FakeWorkerOs.validWindow;
  WorkerPost(&w, &job, 0);
  EXPECT_EQ(RC_OK, WorkerStop(&w));
  EXPECT_EQ(0, FakeWorkerOs.OpenHandles());
  EXPECT_EQ(nullptr, w.thread);
  EXPECT_EQ(nullptr, w.goEvent);
  EXPECT_EQ(FakeWorkerOs.validWindow, w.window);
  EXPECT_EQ(100u, w.threadId);
  EXPECT_EQ(job.step.routine, w.job.step.routine);
  EXPECT_EQ((std::vector<uint32_t>{1000, 1000, 2000}), FakeWorkerOs.waits);
  EXPECT_EQ(RC_BAD_ARG, WorkerStop(&w));
  // Every other operation now refuses the record.
  EXPECT_EQ(RC_BAD_ARG, WorkerPost(&w, &job, 0));
  EXPECT_EQ(RC_BAD_ARG, WorkerCancel(&w, 0));
  EXPECT_EQ(RC_BAD_ARG, WorkerWaitIdle(&w, 0));
  EXPECT_EQ(RC_BAD_ARG, WorkerReservedA(&w));
  EXPECT_EQ(RC_BAD_ARG, WorkerReservedB(nullptr));
}

TEST_F(WorkerTest, PostChecksAndTimeouts) {
  EXPECT_EQ(RC_FAILED, WorkerReservedA(&w));
  EXPECT_EQ(RC_FAILED, WorkerReservedB(&w));
  WorkerJob noStep = job;
  noStep.step.routine = nullptr;
  EXPECT_EQ(RC_BAD_ARG, WorkerPost(&w, &noStep, 0));
  EXPECT_EQ(RC_BAD_ARG, WorkerPost(&w, nullptr, 0));
  EXPECT_FALSE(FakeWorkerOs.IsSet(w.goEvent));

  EXPECT_EQ(RC_OK, WorkerPost(&w, &job, 0));
  EXPECT_TRUE(FakeWorkerOs.IsSet(w.goEvent));
  Pass();  // the worker takes the job: busy now
  EXPECT_FALSE(Idle());
  WorkerJob other = job;
  other.step.param1 = 77;
  EXPECT_EQ(RC_TIMEOUT, WorkerPost(&w, &other, 0));
  EXPECT_EQ(0u, w.job.step.param1);  // the job under way is untouched
  EXPECT_EQ(RC_TIMEOUT, WorkerWaitIdle(&w, 0));
  EXPECT_EQ((std::vector<uint32_t>{1000, 1000, 0}), FakeWorkerOs.waits);
  EXPECT_EQ(RC_TIMEOUT, WorkerPost(&w, &other, 250));
  EXPECT_EQ(250u, FakeWorkerOs.waits.back());
}

TEST_F(WorkerTest, JobRunsOneStageStepPerPass) {
  w.window = FakeWorkerOs.validWindow;
  stepResults = {2, 2, 2, 0};
  finishResult = 5;
  WorkerPost(&w, &job, 0);
  const char* expected[] = {"p ", "p s0 ", "p s0 s2 ", "p s0 s2 s2 ", "p s0 s2 s2 s2 ",
                            "p s0 s2 s2 s2 f0 d5 "};
  for (const char* e : expected) {
    Pass();
    EXPECT_EQ(e, trace);
    EXPECT_EQ(e == expected[5], Idle());  // busy from the go signal to the end
  }
  EXPECT_TRUE(Idle());
  EXPECT_EQ(PHASE_IDLE, st.phase);
  ASSERT_EQ(1u, FakeWorkerOs.posts.size());
  EXPECT_EQ(WM_JOB_DONE, FakeWorkerOs.posts[0].message);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(w.thread), FakeWorkerOs.posts[0].wParam);
  EXPECT_EQ(5, FakeWorkerOs.posts[0].lParam);
  Pass();  // idle passes call nothing
  EXPECT_EQ(expected[5], trace);
}

TEST_F(WorkerTest, MissingPrepareGivesTwoAndMissingFinishKeepsStepResult) {
  job.prepare.routine = nullptr;
  job.finish.routine = nullptr;
  stepResults = {1};
  WorkerPost(&w, &job, 0);
  for (int i = 0; i < 3; ++i) Pass();
  EXPECT_EQ("s2 d1 ", trace);
  EXPECT_TRUE(FakeWorkerOs.posts.empty());  // no window set
  EXPECT_TRUE(Idle());
}

TEST_F(WorkerTest, FailingPrepareOrStepEndsJobSilently) {
  struct Case {
    int32_t prepare;
    std::vector<int32_t> steps;
    const char* trace;
  } cases[] = {{16, {}, "p "}, {-1, {}, "p "}, {2, {2, 21}, "p s2 s2 "}, {1, {3}, "p s1 "}};
  w.window = FakeWorkerOs.validWindow;
  for (const Case& c : cases) {
    trace.clear();
    prepareResult = c.prepare;
    stepResults = c.steps;
    stepIndex = 0;
    EXPECT_EQ(RC_OK, WorkerPost(&w, &job, 0));
    for (int i = 0; i < 5; ++i) Pass();
    EXPECT_EQ(c.trace, trace);
    EXPECT_TRUE(Idle());
    EXPECT_TRUE(FakeWorkerOs.posts.empty());
  }
}

TEST_F(WorkerTest, StopBeatsGoBeatsCancel) {
  // go and cancel in one pass: the job starts, the cancel is lost.
  WorkerPost(&w, &job, 0);
  FakeWorkerOs.Set(w.cancelEvent);
  stepResults = {2, 0};
  Pass();
  EXPECT_FALSE(FakeWorkerOs.IsSet(w.cancelEvent));
  EXPECT_EQ(PHASE_STEP, st.phase);
  Pass();
  Pass();
  EXPECT_EQ("p s0 s2 ", trace);

  // stop with go: the stop wins, the phase step still runs, then the loop ends.
  FakeWorkerOs.Set(w.stopEvent);
  FakeWorkerOs.Set(w.goEvent);
  EXPECT_EQ(0, WorkerPass(&w, &st, 0));
  EXPECT_EQ("p s0 s2 f0 d0 ", trace);
  EXPECT_FALSE(FakeWorkerOs.IsSet(w.stopEvent));
  EXPECT_TRUE(FakeWorkerOs.IsSet(w.goEvent));
  EXPECT_EQ(0, WorkerPass(&w, &st, 0));
  EXPECT_EQ(1u, WorkerLoop(nullptr));
}

TEST_F(WorkerTest, CancelRunsFinishWithLatestResultInSamePass) {
  w.window = FakeWorkerOs.validWindow;
  stepResults = {2, 2, 2, 2};
  finishResult = 9;
  WorkerPost(&w, &job, 0);
  Pass();
  Pass();
  EXPECT_EQ(RC_TIMEOUT, WorkerCancel(&w, 0));  // not seen yet
  Pass();
  EXPECT_EQ("p s0 f2 d9 ", trace);
  EXPECT_EQ(9, FakeWorkerOs.posts.at(0).lParam);
  EXPECT_EQ(RC_OK, WorkerCancel(&w, 0));
  // A cancel on an idle worker changes nothing else.
  Pass();
  EXPECT_EQ(PHASE_IDLE, st.phase);
  EXPECT_TRUE(Idle());
  EXPECT_EQ(1u, FakeWorkerOs.posts.size());
}

TEST_F(WorkerTest, StaleWindowGetsNoMessageButDoneRuns) {
  w.window = reinterpret_cast<void*>(0xDEAD);
  WorkerPost(&w, &job, 0);
  for (int i = 0; i < 3; ++i) Pass();
  EXPECT_EQ("p s0 f0 d0 ", trace);
  EXPECT_TRUE(FakeWorkerOs.posts.empty());
}

TEST_F(WorkerTest, FailedPollCountsAsNothing) {
  WorkerPost(&w, &job, 0);
  FakeWorkerOs.failPoll = true;
  Pass();
  EXPECT_EQ("", trace);
  FakeWorkerOs.failPoll = false;
  Pass();
  EXPECT_EQ("p ", trace);
}

TEST_F(WorkerTest, PumpingLoopDrainsFirstAndSkipsStepOnInput) {
  WorkerPost(&w, &job, 0);
  Pass(1);  // takes go, prepares
  EXPECT_EQ(1, FakeWorkerOs.drains);
  FakeWorkerOs.input = true;
  Pass(1);  // the drain clears input; step runs
  EXPECT_EQ("p s0 ", trace);
  // Input arriving between drain and poll: no phase step this pass.
  WorkerApi saved = WorkerPlatform;
  WorkerPlatform.DrainMessages = [] { return 0; };
  FakeWorkerOs.input = true;
  Pass(1);
  EXPECT_EQ("p s0 ", trace);
  WorkerPlatform = saved;
  Pass(1);
  EXPECT_EQ("p s0 f0 d0 ", trace);

  // WM_QUIT ends at once with the events untouched.
  WorkerPost(&w, &job, 0);
  FakeWorkerOs.quit = true;
  EXPECT_EQ(0, WorkerPass(&w, &st, 1));
  EXPECT_TRUE(FakeWorkerOs.IsSet(w.goEvent));
  EXPECT_EQ("p s0 f0 d0 ", trace);
}

}  // namespace
