// A background thread that runs one four-stage job at a time. The owner
// drives it through four manual-reset events and the job record only; the
// thread takes one phase step per pass, polling the events between steps and
// waiting for them while it has no job.
#pragma once
#include <stdint.h>

#include "support/result_codes.h"

// Posted to Worker.window when a job has finished: wParam = the worker's
// thread handle, lParam = the job's final result.
enum : unsigned { WM_JOB_DONE = 0x8002 };

// A stage result of 2 asks for another step call (after prepare: move on).
enum : int32_t { JOB_CONTINUE = 2 };

enum : int32_t { PHASE_IDLE = -1, PHASE_PREPARE = 0, PHASE_STEP = 1, PHASE_FINISH = 2 };

// prepare is called with its four words; step, finish and done also get the
// previous result of the job as `last`.
typedef int32_t (*JobPrepareRoutine)(uintptr_t, uintptr_t, uintptr_t, uintptr_t);
typedef int32_t (*JobStageRoutine)(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t last);
typedef void (*JobRoutine)();  // stored form; cast back to the stage's own type

struct JobStage {
  JobRoutine routine;  // may be null
  uintptr_t param1, param2, param3, param4;
};

struct WorkerJob {
  JobStage prepare, step, finish, done;
};

struct Worker {
  void* window;  // receives WM_JOB_DONE; may be null or stale
  void* thread;  // null while not started
  void* stopEvent;
  void* goEvent;
  void* cancelEvent;
  void* idleEvent;
  uint32_t threadId;
  WorkerJob job;
};

// Fills a stage; the casts keep the two routine shapes apart at the call.
inline JobStage MakePrepareStage(JobPrepareRoutine r, uintptr_t p1 = 0, uintptr_t p2 = 0,
                                 uintptr_t p3 = 0, uintptr_t p4 = 0) {
  JobStage s = {reinterpret_cast<JobRoutine>(r), p1, p2, p3, p4};
  return s;
}
inline JobStage MakeStage(JobStageRoutine r, uintptr_t p1 = 0, uintptr_t p2 = 0, uintptr_t p3 = 0,
                          uintptr_t p4 = 0) {
  JobStage s = {reinterpret_cast<JobRoutine>(r), p1, p2, p3, p4};
  return s;
}

ResultCode WorkerStart(Worker* worker, int priority, int pump);
ResultCode WorkerStop(Worker* worker);
ResultCode WorkerPost(Worker* worker, const WorkerJob* job, uint32_t timeout);
ResultCode WorkerCancel(Worker* worker, uint32_t timeout);
ResultCode WorkerWaitIdle(Worker* worker, uint32_t timeout);
ResultCode WorkerReservedA(Worker* worker);
ResultCode WorkerReservedB(Worker* worker);

// The two thread routines; each returns 1 as the thread's exit code.
uint32_t WorkerLoop(Worker* worker);
uint32_t WorkerLoopWithMessages(Worker* worker);

// One pass of the thread routine: poll, then at most one phase step.
// Returns 0 when the routine must end. Exposed so a pass can be driven alone.
struct WorkerLoopState {
  int32_t phase;
  int32_t last;
  int running;
};
void WorkerLoopBegin(Worker* worker, WorkerLoopState* state);
int WorkerPass(Worker* worker, WorkerLoopState* state, int pump);

// Wait results and timeouts of the platform calls below; POLL_INPUT: input
// reached the thread's queue.
enum : uint32_t {
  WAIT_SIGNALLED = 0,
  POLL_INPUT = 3,
  WAIT_TIMED_OUT = 0x102,
  WORKER_WAIT_FOREVER = 0xFFFFFFFF
};

// The platform under the worker, resolved at link time: Win32 events, threads
// and the thread's queue in worker_win32.cpp, a fake in the native tests.
void* WorkerNewEvent();  // unnamed, manual reset, not signalled; null on failure
void WorkerSetEvent(void* event);
void WorkerResetEvent(void* event);
void WorkerCloseHandle(void* handle);
// WAIT_SIGNALLED, WAIT_TIMED_OUT or anything else for a failure.
uint32_t WorkerWaitOne(void* handle, uint32_t timeout);
// Waits up to timeout for one of three events: the index of the first
// signalled one; with input set, POLL_INPUT when input reached the thread's
// queue; any other value when nothing came.
uint32_t WorkerWaitThree(void* const* events, int input, uint32_t timeout);
// Starts the thread on WorkerLoop, or WorkerLoopWithMessages with pump, at the
// given priority (0: normal); null on failure.
void* WorkerStartThread(Worker* worker, int pump, int priority, uint32_t* threadId);
// Removes, translates and dispatches every waiting message; 1 on WM_QUIT.
int WorkerDrainMessages();
// Posts WM_JOB_DONE (the thread, the result) to window when it is a window.
void WorkerPostDone(void* window, void* thread, int32_t last);
