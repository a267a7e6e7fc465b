#include "tests/fakes/fake_worker.h"

#include <utility>

FakeWorkerOs fakeWorker;

static int& Flag(void* handle) { return *static_cast<int*>(handle); }

void* WorkerNewEvent() { return &fakeWorker.signalled[fakeWorker.made++]; }
void WorkerSetEvent(void* event) { Flag(event) = 1; }
void WorkerResetEvent(void* event) { Flag(event) = 0; }
void WorkerCloseHandle(void*) {}

uint32_t WorkerWaitOne(void* handle, uint32_t timeout) {
  fakeWorker.waitedOne = timeout;
  return handle == &fakeWorker || Flag(handle) ? WAIT_SIGNALLED : WAIT_TIMED_OUT;
}

uint32_t WorkerWaitThree(void* const* events, int input, uint32_t timeout) {
  if (timeout == WORKER_WAIT_FOREVER) fakeWorker.trace += 'w';
  for (uint32_t i = 0; i < 3; ++i)
    if (Flag(events[i])) return i;
  // Input comes once.
  return std::exchange(fakeWorker.input, false) && input ? POLL_INPUT : WAIT_TIMED_OUT;
}

// The thread is the fake itself; it has always ended.
void* WorkerStartThread(Worker*, int, int, uint32_t*) { return &fakeWorker; }
int WorkerDrainMessages() { return fakeWorker.quit; }
void WorkerPostDone(void*, void*, int32_t last) { fakeWorker.trace += "J" + std::to_string(last); }
