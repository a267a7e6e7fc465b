#include "tests/fakes/fake_worker.h"

FakeWorkerPlatform FakeWorkerOs;

namespace {

const uintptr_t kEventBase = 0x1000, kThreadBase = 0x9000;

int IndexOf(void* h) {
  uintptr_t v = reinterpret_cast<uintptr_t>(h);
  if (v < kEventBase || v >= kEventBase + FakeWorkerOs.signalled.size()) return -1;
  return static_cast<int>(v - kEventBase);
}

void* NewEvent() {
  FakeWorkerPlatform& f = FakeWorkerOs;
  if (static_cast<int>(f.signalled.size()) >= f.eventsToMake) return nullptr;
  f.signalled.push_back(0);
  f.open.push_back(1);
  return reinterpret_cast<void*>(kEventBase + f.signalled.size() - 1);
}

void Signal(void* e) { FakeWorkerOs.Set(e); }
void ResetEvent(void* e) {
  int i = IndexOf(e);
  if (i >= 0) FakeWorkerOs.signalled[i] = 0;
}

void Close(void* h) {
  int i = IndexOf(h);
  if (i >= 0)
    FakeWorkerOs.open[i] = 0;
  else
    ++FakeWorkerOs.threadsClosed;
}

uint32_t Wait(void* h, uint32_t timeout) {
  FakeWorkerOs.waits.push_back(timeout);
  int i = IndexOf(h);
  if (i < 0) return WAIT_SIGNALLED;  // the thread has ended
  return FakeWorkerOs.signalled[i] ? WAIT_SIGNALLED : WAIT_TIMED_OUT;
}

uint32_t Poll(void* const* events, int input, uint32_t) {
  for (uint32_t k = 0; k < 3; ++k)
    if (FakeWorkerOs.IsSet(events[k])) return k;
  if (input && FakeWorkerOs.input) return POLL_INPUT;
  return POLL_NONE;
}

void* StartThread(Worker*, int, uint32_t* id) {
  if (FakeWorkerOs.failThread) return nullptr;
  *id = 100 + FakeWorkerOs.threadsStarted;
  return reinterpret_cast<void*>(kThreadBase + FakeWorkerOs.threadsStarted++);
}

void SetPriority(void*, int) {}

int DrainMessages() {
  ++FakeWorkerOs.drains;
  FakeWorkerOs.input = false;
  return FakeWorkerOs.quit;
}

int IsWindowHandle(void* w) { return w == FakeWorkerOs.validWindow; }

void Post(void* w, unsigned m, uintptr_t wp, intptr_t lp) {
  FakeWorkerOs.posts.push_back({w, m, wp, lp});
}

}  // namespace

void FakeWorkerPlatform::Install() {
  WorkerPlatform = {NewEvent,    Signal,        ResetEvent,     Close, Wait, Poll, StartThread,
                    SetPriority, DrainMessages, IsWindowHandle, Post};
}

void FakeWorkerPlatform::Reset() {
  *this = FakeWorkerPlatform();
  Install();
}

int FakeWorkerPlatform::OpenHandles() const {
  int n = threadsStarted - threadsClosed;
  for (int o : open) n += o;
  return n;
}

bool FakeWorkerPlatform::IsSet(void* e) const {
  int i = IndexOf(e);
  return i >= 0 && signalled[i];
}

void FakeWorkerPlatform::Set(void* e) {
  int i = IndexOf(e);
  if (i >= 0) signalled[i] = 1;
}

WorkerApi WorkerPlatform;
