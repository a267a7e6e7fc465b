// The worker's platform: Win32 events, threads and the thread's message queue.
#include <windows.h>

#include "support/worker.h"

// The systems we run on know the wake bits QS_KEY to QS_HOTKEY only: NT
// before Windows 8 refuses any bit above them, and this SDK's QS_ALLINPUT
// carries newer ones (0x4FF and up), so the mask is written as a number.
static const DWORD kWakeMask = 0xFF;
static_assert((QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT |
               QS_SENDMESSAGE | QS_HOTKEY) == kWakeMask,
              "wake mask");
static_assert(WAIT_OBJECT_0 == WAIT_SIGNALLED && WAIT_TIMEOUT == 0x102 &&
                  WAIT_TIMEOUT == WAIT_TIMED_OUT && INFINITE == WORKER_WAIT_FOREVER,
              "wait results");
static_assert(WM_JOB_DONE == WM_APP + 2 && WM_APP == 0x8000 && PM_REMOVE == 1, "messages");

void* WorkerNewEvent() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }
void WorkerSetEvent(void* event) { SetEvent(event); }
void WorkerResetEvent(void* event) { ResetEvent(event); }
void WorkerCloseHandle(void* handle) { CloseHandle(handle); }
uint32_t WorkerWaitOne(void* handle, uint32_t timeout) {
  return WaitForSingleObject(handle, timeout);
}

uint32_t WorkerWaitThree(void* const* events, int input, uint32_t timeout) {
  HANDLE* three = const_cast<HANDLE*>(events);
  if (input) return MsgWaitForMultipleObjects(3, three, FALSE, timeout, kWakeMask);
  return WaitForMultipleObjects(3, three, FALSE, timeout);
}

static DWORD WINAPI PlainThread(LPVOID w) { return WorkerLoop(static_cast<Worker*>(w)); }
static DWORD WINAPI PumpingThread(LPVOID w) {
  return WorkerLoopWithMessages(static_cast<Worker*>(w));
}

void* WorkerStartThread(Worker* w, int pump, int priority, uint32_t* threadId) {
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, pump ? PumpingThread : PlainThread, w, 0, &id);
  *threadId = id;
  if (thread && priority) SetThreadPriority(thread, priority);
  return thread;
}

int WorkerDrainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return 1;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

void WorkerPostDone(void* window, void* thread, int32_t last) {
  if (IsWindow(static_cast<HWND>(window)))
    PostMessageA(static_cast<HWND>(window), WM_JOB_DONE, reinterpret_cast<WPARAM>(thread), last);
}
