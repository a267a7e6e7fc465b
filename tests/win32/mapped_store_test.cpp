// The store and the record walk on real files, mappings, views, a mutex and
// the worker's thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <future>
#include <tuple>

#include "support/record_walk.h"
#include "tests/win32/handle_probe.h"

static const uint32_t K64 = 0x10000;

// Opens a file store over sw_store.bin in the temporary folder, written
// afresh with n bytes, byte i being i % 251 (no window size is a multiple).
static ResultCode OpenFileStore(MappedStore* s, size_t n) {
  std::string bytes(n, 0);
  for (size_t i = 0; i < n; ++i) bytes[i] = char(i % 251);
  GetTempPathA(MAX_PATH, s->fileName);
  std::ofstream(lstrcatA(s->fileName, "sw_store.bin"), std::ios::binary) << bytes;
  return StoreOpen(s);
}

// Whether another thread gets the store's lock at once, given back by its
// last owner (not abandoned).
static bool LockFree(HANDLE lock) {
  auto own = [](HANDLE m) { return WaitForSingleObject(m, 0) == WAIT_OBJECT_0 && ReleaseMutex(m); };
  return std::async(std::launch::async, own, lock).get();
}

// An unmap gives back the hold on the lock that it takes: after a map and its
// release, another thread gets the lock.
TEST(StoreWin32, UnmapGivesTheLockBack) {
  MappedStore s = {STORE_LOCK, 0, 640};
  ASSERT_EQ(RC_OK, StoreOpen(&s));
  ASSERT_EQ(RC_OK, StoreMap(&s, 0, 1, nullptr, 0));
  StoreRelease(&s);
  ASSERT_EQ(RC_OK, StoreUnmap(&s, 0));
  EXPECT_TRUE(LockFree(s.lock));
  StoreClose(&s);
}

// Closing a locked temporary store gives back all that it held: its handles
// (file, mapping, lock) and its file.
TEST(StoreWin32, CloseGivesBackHandlesAndFile) {
  std::string before = HandleFootprint();
  MappedStore s = {STORE_LOCK, 0, 640};
  ASSERT_EQ(RC_OK, StoreOpen(&s));
  StoreClose(&s);
  EXPECT_EQ(before, HandleFootprint());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(s.tempName));
}

// A row maps a range of a file store, exactly as long as its file, and reads
// back the result and the window's ends, with "at" when the address holds the
// range's first byte, or "held" when a failed map kept the lock.
TEST(StoreWin32, MapPlacesWindowsWithinTheMapping) {
  std::tuple<size_t, uint32_t, uint32_t, int32_t, uint32_t, const char*> rows[] = {
      {4 * K64, 0, 0, 65530, 10, "0 0-131072 at"},          // the range crosses: two windows
      {4 * K64, 0, 65537, 70000, 10, "0 65536-196608 at"},  // windows of whole granules
      {640, 1, 0xFFFFFFFF, 600, 40, "0 0-640 at"},          // a file smaller than a window
      {K64, 1, 0, 65526, 10, "0 0-65536 at"},               // up to the window's end: one
      {640, 0, 0, 600, 41, "16"},                           // past the mapping's end
  };
  for (auto& [file, capacity, window, offset, length, want] : rows) {
    MappedStore s{STORE_FILE | STORE_LOCK, capacity, 0, window};
    ASSERT_EQ(RC_OK, OpenFileStore(&s, file));
    uint8_t* p = nullptr;
    int rc = StoreMap(&s, offset, length, &p, 0);
    std::string got = std::to_string(rc);
    if (rc == RC_OK) got += " " + std::to_string(s.windowStart) + "-" + std::to_string(s.windowEnd);
    if (rc == RC_OK && *p == offset % 251) got += " at";
    if (rc && !LockFree(s.lock)) got += " held";
    EXPECT_EQ(want, got);
    StoreClose(&s);
  }
}

static std::string trace;
static void Note(const std::string& s) { trace += (trace.empty() ? "" : " ") + s; }
static const char* answers;
static HANDLE called;  // set at each callback call

// The callback's answers in turn: + moves on a record and goes on, c cancels
// and goes on in place, a digit ends the walk with it; then + while ready and
// 0 otherwise. It notes each call: R (ready), N (negative) or E (past the end)
// with the position, F with the result; ! marks a record that does not start
// with its position's byte, @ a call off the thread of the started worker that
// the walk names.
static int32_t Callback(MappedStore* s, WalkRequest* r) {
  SetEvent(called);
  Note("RNE?F"[r->phase] + std::to_string(r->phase == WALK_FINISHED ? r->result : r->position));
  if (r->record && r->record[0] != r->position % 251) trace += "!";
  if (r->worker && r->worker->thread && GetCurrentThreadId() != r->worker->threadId) trace += "@";
  if (r->phase == WALK_FINISHED) return 0;
  char a = *answers ? *answers++ : r->phase == WALK_READY ? '+' : '0';
  if (a == 'c') StoreWalkCancel(s, r);
  if (a == '+') r->position += r->recordSize;
  return a == '+' || a == 'c' ? WALK_CONTINUE : a - '0';
}

// Each row walks the two 64-byte records after the first 64 KiB of a file, in
// a store of 128 KiB capacity with the row's window size, from the row's start
// and with its answers: on this thread, on the worker or on a worker never
// started, and maybe after another thread ended holding the store's lock. The
// snapshot: the callback's calls, each WM_JOB_DONE's result as JN (? unless it
// names the worker's thread), "held" or "mapped" when the lock or the view was
// not given back, and StoreWalk's result as =N.
TEST(StoreWin32, Walk) {
  Worker w = {CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)};
  Worker unstarted = {};
  std::tuple<uint32_t, int32_t, const char*, Worker*, bool, const char*> rows[] = {
      {K64, -64, "+7", nullptr, 0, "N-64 R0 F7 =7"},                // below 0 first, then ready
      {2 * K64, K64, "", nullptr, 0, "F21 =21"},                    // no window within capacity
      {2 * K64, K64, "", &w, 0, "F21 J21 =3"},                      // alike on the worker
      {K64, K64, "7", &w, 0, "R65536 =3"},                          // ends the job at once
      {K64, K64, "c", &w, 0, "R65536 F2 J2 =3"},                    // cancelled
      {K64, K64, "", &unstarted, 0, "R65536 R65600 E65664 F0 =0"},  // walked here instead
      {K64, K64, "", nullptr, 1, "R65536 R65600 E65664 F0 =0"},     // the lock is taken over
  };
  called = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
  for (auto& [window, start, said, worker, abandoned, want] : rows) {
    MappedStore s{STORE_FILE | STORE_LOCK, 2 * K64, 0, window};
    ASSERT_EQ(RC_OK, OpenFileStore(&s, K64 + 128));
    WalkRequest r{64, 64, 0, {}, Callback, worker, start};
    trace.clear();
    answers = said;
    ResetEvent(called);
    if (abandoned) std::async(std::launch::async, StoreTakeLock, &s, 0).get();  // ends holding it
    int rc = StoreWalk(&s, &r);
    WaitForSingleObject(called, 5000);  // the walk has begun...
    WorkerWaitIdle(&w, 5000);           // ...and ended
    for (MSG m; PeekMessageA(&m, HWND(w.window), WM_JOB_DONE, WM_JOB_DONE, PM_REMOVE);)
      Note("J" + std::to_string(m.lParam) + (m.wParam == WPARAM(w.thread) ? "" : "?"));
    if (!LockFree(s.lock)) Note("held");
    if (s.view) Note("mapped");
    EXPECT_EQ(want, trace + " =" + std::to_string(rc));
    StoreClose(&s);
    DeleteFileA(s.fileName);
  }
  WorkerStop(&w);
}

// A file name that does not fit the store's 260 bytes is refused, not cut:
// the cut name would be another file, which a save overwrites.
TEST(StoreWin32, SaveRefusesAFileNameThatDoesNotFit) {
  MappedStore s = {};
  EXPECT_EQ(RC_BAD_ARG, StoreSave(&s, std::string(STORE_PATH_SIZE, 'n').c_str(), 0));
}

// A temporary store in a temporary folder named outside the code page (as
// the profile folder of a user so named is) makes its file there, by the
// folder's short path; on the 95 family, which has no such names, in one
// named in it ("summer" in French and Russian). After a load, the rest of
// the last window reads as zeros, not as the bytes that the store held there
// before.
TEST(StoreWin32, TemporaryStoreNamedOutsideTheCodePageLoadsAFile) {
  wchar_t name[MAX_PATH];
  const bool nt = !(GetVersion() & 0x80000000);
  const std::wstring folder = std::wstring(name, GetTempPathW(MAX_PATH, name)) +
                              (nt ? L"\u043b\u0435\u0442\u043e\\" : L"\u00e9t\u00e9\\");
  CreateDirectoryW(folder.c_str(), nullptr);
  SetEnvironmentVariableW(L"TMP", folder.c_str());
  MappedStore s = {0, 0, K64};
  uint8_t* p = nullptr;
  ASSERT_EQ(RC_OK, StoreOpen(&s));
  MultiByteToWideChar(CP_ACP, 0, s.tempName, -1, name, MAX_PATH);
  EXPECT_EQ(folder,
            std::wstring(name, GetLongPathNameW(name, name, MAX_PATH)).substr(0, folder.size()));
  ASSERT_EQ(RC_OK, StoreMap(&s, 0, K64, &p, 0));
  memset(p, 0xEE, K64);
  StoreRelease(&s);
  strcat(strcpy(s.fileName, s.tempName), ".in");
  std::ofstream(s.fileName, std::ios::binary) << std::string(100, 'x');
  ASSERT_EQ(RC_OK, StoreLoad(&s, nullptr, 0));
  ASSERT_EQ(RC_OK, StoreMap(&s, 0, K64, &p, 0));
  EXPECT_EQ(K64 - 100, std::count(p + 100, p + K64, 0));
  StoreClose(&s);
}
