// The worker's platform: Win32 events, threads and the thread's message queue.
#include <windows.h>
#include "support/worker.h"

static void* NewEventWin32() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }
static void SignalWin32(void* e) { SetEvent(e); }
static void ResetWin32(void* e) { ResetEvent(e); }
static void CloseWin32(void* h) { CloseHandle(h); }
static uint32_t WaitWin32(void* h, uint32_t timeout) { return WaitForSingleObject(h, timeout); }

static uint32_t PollWin32(void* const* events, int input) {
  HANDLE* three = const_cast<HANDLE*>(events);
  if (input) return MsgWaitForMultipleObjects(3, three, FALSE, 0, QS_ALLINPUT);
  return WaitForMultipleObjects(3, three, FALSE, 0);
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
