// The worker's platform: Win32 events, threads and the thread's message queue.
#include <windows.h>
#include "support/worker.h"

static void* NewEventWin32() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }
static void SignalWin32(void* e) { SetEvent(e); }
static void ResetWin32(void* e) { ResetEvent(e); }
static void CloseWin32(void* h) { CloseHandle(h); }
static uint32_t WaitWin32(void* h, uint32_t timeout) { return WaitForSingleObject(h, timeout); }

// The systems we run on know the wake bits QS_KEY to QS_HOTKEY only: NT
// before Windows 8 refuses any bit above them, and this SDK's QS_ALLINPUT
// carries newer ones (0x4FF and up), so the mask is written as a number.
static const DWORD kWakeMask = 0xFF;
static_assert((QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT |
               QS_SENDMESSAGE | QS_HOTKEY) == kWakeMask, "wake mask");
static_assert(WAIT_TIMEOUT == WAIT_TIMED_OUT && WAIT_OBJECT_0 == WAIT_SIGNALLED &&
                  INFINITE == WORKER_WAIT_FOREVER, "wait results");
static_assert(WM_JOB_DONE == WM_APP + 2 && PM_REMOVE == 1, "message numbers");

static uint32_t PollWin32(void* const* events, int input, uint32_t timeout) {
  HANDLE* three = const_cast<HANDLE*>(events);
  if (input) return MsgWaitForMultipleObjects(3, three, FALSE, timeout, kWakeMask);
  return WaitForMultipleObjects(3, three, FALSE, timeout);
}

static DWORD WINAPI PlainThread(LPVOID w) { return WorkerLoop(static_cast<Worker*>(w)); }
static DWORD WINAPI PumpingThread(LPVOID w) {
  return WorkerLoopWithMessages(static_cast<Worker*>(w));
}

static void* StartThreadWin32(Worker* w, int pump, uint32_t* id) {
  DWORD tid = 0;
  HANDLE h = CreateThread(nullptr, 0, pump ? PumpingThread : PlainThread, w, 0, &tid);
  *id = tid;
  return h;
}

static void SetPriorityWin32(void* t, int priority) { SetThreadPriority(t, priority); }

static int DrainMessagesWin32() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return 1;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

static int IsWindowWin32(void* w) { return IsWindow(static_cast<HWND>(w)); }

static void PostWin32(void* w, unsigned m, uintptr_t wp, intptr_t lp) {
  PostMessageA(static_cast<HWND>(w), m, wp, lp);
}

WorkerApi WorkerPlatform = {NewEventWin32,    SignalWin32,      ResetWin32,         CloseWin32,
                            WaitWin32,        PollWin32,        StartThreadWin32,   SetPriorityWin32,
                            DrainMessagesWin32, IsWindowWin32,  PostWin32};
