// The worker's operations and its phase machine, driven pass by pass
// against fake events.
#include <gtest/gtest.h>
#include <string>
#include "support/worker.h"
#include "tests/fakes/fake_worker.h"

namespace {

std::string trace;  // stage calls in order: "p", then s/f/d with the `last` they got
int32_t prepareResult, finishResult;
std::vector<int32_t> steps;  // step results in turn; 0 once used up
size_t stepAt;

int32_t Prepare(uintptr_t, uintptr_t, uintptr_t, uintptr_t) {
  trace += "p ";
  return prepareResult;
}
int32_t Step(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t last) {
  trace += "s" + std::to_string(last) + " ";
  return stepAt < steps.size() ? steps[stepAt++] : 0;
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
    prepareResult = finishResult = 0;
    steps.clear();
    stepAt = 0;
    job = {MakePrepareStage(Prepare), MakeStage(Step), MakeStage(Finish), MakeStage(Done)};
    ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
    w.window = FakeWorkerOs.validWindow;
    WorkerLoopBegin(&w, &st);
  }
  void Passes(int n, int pump = 0) {
    for (int i = 0; i < n; ++i) WorkerPass(&w, &st, pump);
  }
  bool Idle() { return FakeWorkerOs.IsSet(w.idleEvent); }
};

TEST_F(WorkerTest, StartRefusesAStartedWorkerAndFailedStartReleasesAll) {
  EXPECT_TRUE(Idle());
  EXPECT_EQ(RC_BAD_ARG, WorkerStart(&w, 0, 0));
  EXPECT_EQ(1, FakeWorkerOs.threadsStarted);
  for (int made : {0, 3, 4}) {  // 4: all events, then the thread fails
    FakeWorkerOs.Reset();
    FakeWorkerOs.eventsToMake = made == 4 ? 4 : made;
    FakeWorkerOs.failThread = made == 4;
    Worker x{};
    EXPECT_EQ(RC_FAILED, WorkerStart(&x, 5, 1));
    EXPECT_EQ(0, FakeWorkerOs.OpenHandles()) << made;
    EXPECT_EQ(nullptr, x.idleEvent);
    EXPECT_EQ(nullptr, x.thread);
  }
}

TEST_F(WorkerTest, StopClosesAllAndLaterCallsAreRefused) {
  WorkerPost(&w, &job, 0);
  EXPECT_EQ(RC_OK, WorkerStop(&w));
  EXPECT_EQ(0, FakeWorkerOs.OpenHandles());
  EXPECT_EQ(nullptr, w.goEvent);
  EXPECT_EQ(FakeWorkerOs.validWindow, w.window);  // kept, like threadId and job
  EXPECT_EQ((std::vector<uint32_t>{1000, 1000, 2000}), FakeWorkerOs.waits);
  for (int rc : {WorkerStop(&w), WorkerPost(&w, &job, 0), WorkerCancel(&w, 0),
                 WorkerWaitIdle(&w, 0), WorkerReservedA(&w)})
    EXPECT_EQ(RC_BAD_ARG, rc);
}

TEST_F(WorkerTest, PostRefusesBadJobsAndTimesOutOnBusyWorker) {
  EXPECT_EQ(RC_FAILED, WorkerReservedB(&w));
  WorkerJob noStep = job;
  noStep.step.routine = nullptr;
  EXPECT_EQ(RC_BAD_ARG, WorkerPost(&w, &noStep, 0));
  EXPECT_FALSE(FakeWorkerOs.IsSet(w.goEvent));
  EXPECT_EQ(RC_OK, WorkerPost(&w, &job, 0));
  Passes(1);  // taken: busy
  WorkerJob other = job;
  other.step.param1 = 77;
  EXPECT_EQ(RC_TIMEOUT, WorkerPost(&w, &other, 0));
  EXPECT_EQ(0u, w.job.step.param1);  // the job under way is untouched
  EXPECT_EQ(RC_TIMEOUT, WorkerWaitIdle(&w, 0));
  EXPECT_EQ((std::vector<uint32_t>{1000, 1000, 0}), FakeWorkerOs.waits);
}

TEST_F(WorkerTest, OneStageStepPerPass) {
  steps = {2, 2, 2, 0};
  finishResult = 5;
  WorkerPost(&w, &job, 0);
  const char* expected[] = {"p ", "p s0 ", "p s0 s2 ", "p s0 s2 s2 ", "p s0 s2 s2 s2 ",
                            "p s0 s2 s2 s2 f0 d5 "};
  for (const char* e : expected) {
    Passes(1);
    EXPECT_EQ(e, trace);
    EXPECT_EQ(e == expected[5], Idle());
  }
  ASSERT_EQ(1u, FakeWorkerOs.posts.size());
  EXPECT_EQ(WM_JOB_DONE, FakeWorkerOs.posts[0].message);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(w.thread), FakeWorkerOs.posts[0].wParam);
  EXPECT_EQ(5, FakeWorkerOs.posts[0].lParam);
}

TEST_F(WorkerTest, StageResultsDecideTheRoute) {
  struct Case {
    bool prepare, finish;
    int32_t prepared;
    std::vector<int32_t> steps;
    const char* trace;
    size_t posts;
  } cases[] = {
      {false, false, 0, {1}, "s2 d1 ", 1},         // no prepare counts as 2
      {true, true, 16, {}, "p ", 0},               // a failing prepare ends silently
      {true, true, 2, {2, 21}, "p s2 s2 ", 0},     // so does a failing step
      {true, true, -1, {}, "p ", 0},
  };
  for (const Case& c : cases) {
    w = Worker{};
    SetUp();
    job.prepare.routine = c.prepare ? job.prepare.routine : nullptr;
    job.finish.routine = c.finish ? job.finish.routine : nullptr;
    prepareResult = c.prepared;
    steps = c.steps;
    EXPECT_EQ(RC_OK, WorkerPost(&w, &job, 0));
    Passes(5);
    EXPECT_EQ(c.trace, trace);
    EXPECT_TRUE(Idle());
    EXPECT_EQ(c.posts, FakeWorkerOs.posts.size());
  }
}

TEST_F(WorkerTest, StopBeatsGoBeatsCancel) {
  WorkerPost(&w, &job, 0);
  FakeWorkerOs.Set(w.cancelEvent);  // in the same pass as go: lost
  steps = {2, 0};
  Passes(3);
  EXPECT_EQ("p s0 s2 ", trace);
  FakeWorkerOs.Set(w.stopEvent);
  FakeWorkerOs.Set(w.goEvent);
  EXPECT_EQ(0, WorkerPass(&w, &st, 0));  // the pass's step still runs
  EXPECT_EQ("p s0 s2 f0 d0 ", trace);
  EXPECT_TRUE(FakeWorkerOs.IsSet(w.goEvent));
  EXPECT_EQ(1u, WorkerLoop(nullptr));
}

TEST_F(WorkerTest, CancelFinishesInTheSamePassWithLatestResult) {
  steps = {2, 2, 2};
  finishResult = 9;
  WorkerPost(&w, &job, 0);
  Passes(2);
  EXPECT_EQ(RC_TIMEOUT, WorkerCancel(&w, 0));  // not seen yet
  Passes(1);
  EXPECT_EQ("p s0 f2 d9 ", trace);
  EXPECT_EQ(9, FakeWorkerOs.posts.at(0).lParam);
  EXPECT_EQ(RC_OK, WorkerCancel(&w, 0));  // idle: at once
  Passes(1);
  EXPECT_EQ(PHASE_IDLE, st.phase);
  EXPECT_TRUE(Idle());
}

TEST_F(WorkerTest, PumpingLoopDrainsSkipsOnInputAndQuits) {
  WorkerPost(&w, &job, 0);
  w.window = reinterpret_cast<void*>(0xDEAD);  // stale: no message, done still runs
  Passes(2, 1);
  EXPECT_EQ(2, FakeWorkerOs.drains);
  WorkerApi saved = WorkerPlatform;
  WorkerPlatform.DrainMessages = [] { return 0; };  // input stays pending
  FakeWorkerOs.input = true;
  Passes(1, 1);
  EXPECT_EQ("p s0 ", trace);  // no phase step while input arrives
  WorkerPlatform = saved;
  Passes(1, 1);
  EXPECT_EQ("p s0 f0 d0 ", trace);
  EXPECT_TRUE(FakeWorkerOs.posts.empty());
  WorkerPost(&w, &job, 0);
  FakeWorkerOs.quit = true;
  EXPECT_EQ(0, WorkerPass(&w, &st, 1));
  EXPECT_TRUE(FakeWorkerOs.IsSet(w.goEvent));  // events untouched
}

}  // namespace
