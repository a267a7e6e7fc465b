// The worker's operations and its phase machine, over the platform calls of
// worker.h.
#include "support/worker.h"

static uint32_t OrDefault(uint32_t timeout) { return timeout ? timeout : 1000; }

static ResultCode WaitResult(uint32_t w) {
  if (w == WAIT_SIGNALLED) return RC_OK;
  return w == WAIT_TIMED_OUT ? RC_TIMEOUT : RC_FAILED;
}

// Closes every event the record holds and clears its slots.
static void CloseEvents(Worker* w) {
  void** events[4] = {&w->stopEvent, &w->goEvent, &w->cancelEvent, &w->idleEvent};
  for (int i = 0; i < 4; ++i) {
    if (*events[i]) WorkerCloseHandle(*events[i]);
    *events[i] = nullptr;
  }
}

ResultCode WorkerStart(Worker* w, int priority, int pump) {
  if (!w || w->thread) return RC_BAD_ARG;
  void** events[4] = {&w->stopEvent, &w->goEvent, &w->cancelEvent, &w->idleEvent};
  int made = 0;
  for (; made < 4; ++made) {
    *events[made] = WorkerNewEvent();
    if (!*events[made]) break;
  }
  if (made < 4) {
    CloseEvents(w);
    return RC_FAILED;
  }
  uint32_t id = 0;
  void* thread = WorkerStartThread(w, pump, priority, &id);
  if (!thread) {
    CloseEvents(w);
    return RC_FAILED;
  }
  w->thread = thread;
  w->threadId = id;
  WorkerSetEvent(w->idleEvent);
  return RC_OK;
}

ResultCode WorkerStop(Worker* w) {
  if (!w || !w->thread) return RC_BAD_ARG;
  WorkerSetEvent(w->cancelEvent);
  WorkerWaitOne(w->idleEvent, 1000);
  WorkerResetEvent(w->goEvent);
  WorkerResetEvent(w->cancelEvent);
  WorkerResetEvent(w->idleEvent);
  WorkerSetEvent(w->stopEvent);
  WorkerWaitOne(w->thread, 2000);
  WorkerCloseHandle(w->thread);
  w->thread = nullptr;
  CloseEvents(w);
  return RC_OK;
}

ResultCode WorkerPost(Worker* w, const WorkerJob* job, uint32_t timeout) {
  if (!w || !w->thread || !job || !job->step.routine) return RC_BAD_ARG;
  ResultCode rc = WaitResult(WorkerWaitOne(w->idleEvent, OrDefault(timeout)));
  if (rc != RC_OK) return rc;
  w->job = *job;
  WorkerSetEvent(w->goEvent);
  return RC_OK;
}

ResultCode WorkerCancel(Worker* w, uint32_t timeout) {
  if (!w || !w->thread) return RC_BAD_ARG;
  WorkerSetEvent(w->cancelEvent);
  return WaitResult(WorkerWaitOne(w->idleEvent, OrDefault(timeout)));
}

ResultCode WorkerWaitIdle(Worker* w, uint32_t timeout) {
  if (!w || !w->thread) return RC_BAD_ARG;
  return WaitResult(WorkerWaitOne(w->idleEvent, timeout));
}

ResultCode WorkerReservedA(Worker* w) { return !w || !w->thread ? RC_BAD_ARG : RC_FAILED; }
ResultCode WorkerReservedB(Worker* w) { return !w || !w->thread ? RC_BAD_ARG : RC_FAILED; }

static int32_t CallStage(const JobStage& s, int32_t last) {
  return reinterpret_cast<JobStageRoutine>(s.routine)(s.param1, s.param2, s.param3, s.param4, last);
}

static int MovesOn(int32_t r) { return r == 0 || r == 1; }

// Back to idle; the owner sees it through idleEvent.
static void EndJob(Worker* w, WorkerLoopState* st) {
  WorkerSetEvent(w->idleEvent);
  st->phase = PHASE_IDLE;
}

void WorkerLoopBegin(Worker* w, WorkerLoopState* st) {
  st->phase = PHASE_IDLE;
  st->last = 0;
  st->running = w != nullptr;
}

int WorkerPass(Worker* w, WorkerLoopState* st, int pump) {
  if (!st->running) return 0;
  if (pump && WorkerDrainMessages()) {
    st->running = 0;  // WM_QUIT: end at once, events untouched
    return 0;
  }
  void* const* events = &w->stopEvent;  // stop, go, cancel: next to each other
  // Without a job there is nothing to do until a signal (or input) comes:
  // wait for it rather than spin.
  uint32_t polled =
      WorkerWaitThree(events, pump, st->phase == PHASE_IDLE ? uint32_t(WORKER_WAIT_FOREVER) : 0u);
  if (polled == 0) {
    WorkerResetEvent(w->stopEvent);
    st->running = 0;
  } else if (polled == 1) {
    WorkerResetEvent(w->goEvent);
    WorkerResetEvent(w->cancelEvent);
    WorkerResetEvent(w->idleEvent);
    st->phase = PHASE_PREPARE;
  } else if (polled == 2) {
    WorkerResetEvent(w->cancelEvent);
    if (st->phase != PHASE_IDLE) st->phase = PHASE_FINISH;
  } else if (pump && polled == POLL_INPUT) {
    return 1;  // input arrived: empty the queue first, next pass
  }

  const WorkerJob& job = w->job;
  switch (st->phase) {
    case PHASE_PREPARE:
      st->last = job.prepare.routine ? reinterpret_cast<JobPrepareRoutine>(job.prepare.routine)(
                                           job.prepare.param1, job.prepare.param2,
                                           job.prepare.param3, job.prepare.param4)
                                     : JOB_CONTINUE;
      if (MovesOn(st->last) || st->last == JOB_CONTINUE)
        st->phase = PHASE_STEP;
      else
        EndJob(w, st);
      break;
    case PHASE_STEP:
      if (!job.step.routine) {
        EndJob(w, st);
        break;
      }
      st->last = CallStage(job.step, st->last);
      if (MovesOn(st->last))
        st->phase = PHASE_FINISH;
      else if (st->last != JOB_CONTINUE)
        EndJob(w, st);
      break;
    case PHASE_FINISH:
      if (job.finish.routine) st->last = CallStage(job.finish, st->last);
      if (w->window) WorkerPostDone(w->window, w->thread, st->last);
      if (job.done.routine) CallStage(job.done, st->last);
      EndJob(w, st);
      break;
    default:
      break;
  }
  return st->running;
}

static uint32_t RunLoop(Worker* w, int pump) {
  WorkerLoopState st;
  WorkerLoopBegin(w, &st);
  while (WorkerPass(w, &st, pump)) {
  }
  return 1;
}

uint32_t WorkerLoop(Worker* w) { return RunLoop(w, 0); }
uint32_t WorkerLoopWithMessages(Worker* w) { return RunLoop(w, 1); }
