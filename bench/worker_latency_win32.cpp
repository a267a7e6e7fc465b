// A worker's post-to-done latency for an empty job (median of 1000), and
// the CPU time that an idle worker of each kind uses over two seconds.
#include <stdlib.h>

#include "bench/bench_common_win32.h"
#include "support/worker.h"

static volatile LONG doneCount = 0;
static volatile double doneAt = 0;

static int32_t EmptyStep(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t) { return 0; }
static int32_t MarkDone(uintptr_t, uintptr_t, uintptr_t, uintptr_t, int32_t) {
  doneAt = Now();
  InterlockedIncrement(&doneCount);
  return 0;
}

static int ByValue(const void* a, const void* b) {
  double x = *static_cast<const double*>(a), y = *static_cast<const double*>(b);
  return x < y ? -1 : x > y;
}

static double CpuSeconds(HANDLE thread) {
  FILETIME c, e, k, u;
  GetThreadTimes(thread, &c, &e, &k, &u);
  ULARGE_INTEGER kk, uu;
  kk.LowPart = k.dwLowDateTime;
  kk.HighPart = k.dwHighDateTime;
  uu.LowPart = u.dwLowDateTime;
  uu.HighPart = u.dwHighDateTime;
  return (kk.QuadPart + uu.QuadPart) / 1e7;
}

// With the argument "idle": only start a worker and leave it idle for two
// seconds, so that the calling script can measure the Wine server's share.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR args, int) {
  Worker w = {};
  if (WorkerStart(&w, 0, 0) != RC_OK) {
    Say("worker: cannot start\n");
    return 1;
  }
  if (args && lstrcmpA(args, "idle") == 0) {
    Sleep(2000);
    WorkerStop(&w);
    return 0;
  }
  WorkerJob job = {};
  job.step = MakeStage(EmptyStep);
  job.done = MakeStage(MarkDone);
  static double latency[1000];
  for (int i = 0; i < 1000; ++i) {
    LONG before = doneCount;
    double t0 = Now();
    WorkerPost(&w, &job, 0);
    while (doneCount == before) {
    }
    latency[i] = doneAt - t0;
    WorkerWaitIdle(&w, INFINITE);
  }
  qsort(latency, 1000, sizeof latency[0], ByValue);
  Say("post to done  median %.1f us   90th %.1f us   max %.1f us (1000 empty jobs)\n",
      latency[500] * 1e6, latency[900] * 1e6, latency[999] * 1e6);

  WorkerStop(&w);

  // CPU time of an idle worker over two seconds, for each thread routine.
  double cpu[2] = {0, 0}, wall[2] = {0, 0};
  for (int pump = 0; pump < 2; ++pump) {
    Worker idle = {};
    if (WorkerStart(&idle, 0, pump) != RC_OK) continue;
    Sleep(100);  // past the thread's start-up
    double c0 = CpuSeconds(idle.thread), t0 = Now();
    Sleep(2000);
    cpu[pump] = CpuSeconds(idle.thread) - c0;
    wall[pump] = Now() - t0;
    WorkerStop(&idle);
  }
  Say("idle worker   %.0f ms CPU in %.2f s, pumping %.0f ms CPU in %.2f s (target close to 0)\n",
      cpu[0] * 1e3, wall[0], cpu[1] * 1e3, wall[1]);
  return 0;
}
