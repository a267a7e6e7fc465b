// The store and the record walk on real files, mappings, views, a mutex and
// the worker's thread.
#include <gtest/gtest.h>

#include <fstream>

#include "support/record_walk.h"
#include "tests/win32/handle_probe.h"

static const uint32_t K64 = 0x10000;

// The tests' files live in the temporary folder, made the current one.
[[maybe_unused]] static const bool inTempFolder = [] {
  char t[MAX_PATH];
  return GetTempPathA(MAX_PATH, t) && SetCurrentDirectoryA(t);
}();

// Writes n bytes to the file, byte i being i * 7 + 1, or every one fill;
// gives the bytes back.
static std::string Fill(const char* path, size_t n, int fill = -1) {
  std::string bytes(n, char(fill));
  for (size_t i = 0; fill < 0 && i < n; ++i) bytes[i] = char(i * 7 + 1);
  std::ofstream(path, std::ios::binary) << bytes;
  return bytes;
}

// Opens a file store over sw_store.bin, written afresh with n bytes.
static ResultCode OpenFileStore(MappedStore* s, size_t n) {
  Fill(lstrcpyA(s->fileName, "sw_store.bin"), n);
  return StoreOpen(s);
}

template <class Task>
static DWORD WINAPI RunTask(LPVOID task) {
  return (*static_cast<Task*>(task))();
}

// Runs the task on a thread of its own to its end: what it returned.
template <class Task>
static DWORD OnThread(Task task) {
  HANDLE t = CreateThread(nullptr, 0, RunTask<Task>, &task, 0, nullptr);
  DWORD got =
      WaitForSingleObject(t, 5000);  // STILL_ACTIVE (259) for a thread that has not ended by then
  GetExitCodeThread(t, &got);
  CloseHandle(t);
  return got;
}

// Whether another thread gets the store's lock at once, given back by its
// last owner (not abandoned).
static bool LockFree(MappedStore* s) {
  return OnThread([s] {
    return DWORD(WaitForSingleObject(s->lock, 0) == WAIT_OBJECT_0 && ReleaseMutex(s->lock));
  });
}

// A mapping of 640 bytes: views end with it, well inside the first window.
TEST(StoreWin32, TemporaryStoreIsAnOdcFileAsLongAsItsMappingUntilClosed) {
  std::string before = HandleFootprint();
  for (int i = 0; i < 100; ++i) {
    MappedStore s = {STORE_LOCK, 0, 640};
    uint8_t* p = nullptr;
    ASSERT_TRUE(StoreOpen(&s) == RC_OK && StoreMap(&s, 600, 40, &p, 0) == RC_OK);
    p[39] = 7;
    EXPECT_TRUE(GetFileSize(s.file, nullptr) == 640 &&
                !strncmp(strrchr(s.tempName, '\\') + 1, "odc", 3))
        << s.tempName;
    StoreRelease(&s), StoreClose(&s);
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(s.tempName));  // gone
  }
  EXPECT_EQ(before, HandleFootprint());
  void* base = nullptr;
  EXPECT_TRUE(ReserveAddressSpace(&base, 100) == RC_OK && VirtualFree(base, 0, MEM_RELEASE));
}

// A row maps a range of a file store, exactly as long as its file, then a
// byte inside the view, and reads back the result, the window after both
// and whether the address holds that byte; or on a failure whether
// the out slot was cleared and the view and the lock given back.
TEST(StoreWin32, MapPlacesWindowsWithinTheMapping) {
  struct {
    size_t file;
    uint32_t capacity, window;
    int32_t offset;
    uint32_t length;
    const char* want;
  } rows[] = {
      {4 * K64, 0, 0, 65530, 10, "0 [0,131072) at"},              // the range crosses: two windows
      {4 * K64, 0, 65537, 70000, 10, "0 [65536,196608) at"},      // windows of whole granules
      {640, 1, 0xFFFFFFFF, 600, 40, "0 [0,640) at"},              // a file smaller than a window
      {100000, 0x40000001, 0, 99990, 10, "0 [65536,100000) at"},  // the last window, in part
      {640, 0, 0, 600, 41, "16 cleared"},                         // past the mapping's end
      {2 * K64, 2 * K64, 0, K64 + 10, K64, "21 cleared"},         // the window passes capacity
      {4 * K64, 0, 0, -1, 1, "16 cleared"},                       // the window starts below 0
  };
  for (auto& r : rows) {
    MappedStore s{STORE_FILE | STORE_LOCK, r.capacity, 0, r.window};
    ASSERT_EQ(RC_OK, OpenFileStore(&s, r.file));
    uint8_t stale = 0, *p = &stale;
    int rc = StoreMap(&s, r.offset, r.length, &p, 0);
    if (rc == RC_OK) rc = StoreMap(&s, r.offset + 8, 1, &p, 0);
    std::string got =
        std::to_string(rc) +
        (rc ? "" : " [" + std::to_string(s.windowStart) + "," + std::to_string(s.windowEnd) + ")");
    if (rc == RC_OK && *p == uint8_t((r.offset + 8) * 7 + 1)) got += " at";
    if (rc && !p && !s.view && LockFree(&s)) got += " cleared";
    EXPECT_EQ(r.want, got);
    StoreClose(&s), DeleteFileA(s.fileName);
  }
}

static std::string trace;
static HANDLE called = CreateEventA(nullptr, TRUE, FALSE, nullptr);  // set at each callback call
// The callback's answers in turn: + or - moves one record and answers 2,
// = stays and answers 2, c cancels and stays, a digit ends the walk with it;
// then + while ready and 0 past the end.
static const char* answers;

// Traces each call: R (ready), N (negative) or E (past the end) with the
// position, F with the result; ! marks a record that does not start with
// its position's byte, @ a call on a worker's request off its thread.
static int32_t Callback(MappedStore* s, WalkRequest* r) {
  SetEvent(called);
  trace += std::string(trace.empty() ? "" : " ") + "RNE?F"[r->phase] +
           std::to_string(r->phase == WALK_FINISHED ? r->result : r->position);
  if (r->record && r->record[0] != uint8_t(r->position * 7 + 1)) trace += "!";
  if (r->worker && r->worker->thread && GetCurrentThreadId() != r->worker->threadId) trace += "@";
  if (r->phase == WALK_FINISHED) return 0;
  char a = *answers ? *answers++ : r->phase == WALK_READY ? '+' : '0';
  if (a == 'c') StoreWalkCancel(s, r);
  r->position += a == '+' ? int32_t(r->recordSize) : a == '-' ? -int32_t(r->recordSize) : 0;
  return strchr("+-=c", a) ? WALK_CONTINUE : a - '0';
}

// A row walks 64-byte records in a file of just them: d directly, w on the
// worker, u on a worker never started, l with the store's lock held by this
// thread (the walk starts on a thread of its own), a after a thread ended
// holding it. The trace ends with
// each WM_JOB_DONE's result as JN, marked ? unless it names the worker's
// window and thread.
TEST(StoreWin32, WalkPasses) {
  struct {
    uint32_t records, capacity, window, need;
    int32_t start;
    const char* answers;
    char how;
    int rc;
    const char* trace;
  } rows[] = {
      {10, 0, 0, 64, 0, "", 'd', 0, "R0 R64 R128 R192 R256 R320 R384 R448 R512 R576 E640 F0"},
      {10, 0, 0, 64, 0, "", 'w', 3, "R0 R64 R128 R192 R256 R320 R384 R448 R512 R576 E640 F0 J0"},
      {1, 0, 0, 64, -64, "=++=-7", 'd', 7, "N-64 N-64 R0 E64 E64 R0 F7"},
      {2, K64, 2 * K64, 64, 0, "", 'd', RC_NO_ROOM, "F21"},  // no window within capacity
      {2, K64, 2 * K64, 64, 0, "", 'w', 3, "F21 J21"},
      {2, 0, 0, 64, 0, "", 'l', RC_FAILED, ""},
      {2, 0, 0, 64, 0, "", 'a', 0, "R0 R64 E128 F0"},  // the lock is taken over
      {2, 0, 0, 64, 0, "", 'u', 0, "R0 R64 E128 F0"},  // a worker that cannot take it: walked here
      {2, 0, 0, K64 + 1, 0, "", 'd', RC_BAD_ARG, ""},  // more than a view covers
      {2, 0, 0, 64, 0, "7", 'w', 3, "R0"},             // ends the job at once
      {1, 0, 0, 64, -64, "c", 'w', 3, "N-64 F2 J2"},
  };
  Worker w = {CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)},
         unstarted = {};
  ASSERT_EQ(RC_OK, WorkerStart(&w, 0, 0));
  for (auto& row : rows) {
    MappedStore s{STORE_FILE | STORE_LOCK, row.capacity, 0, row.window};
    ASSERT_EQ(RC_OK, OpenFileStore(&s, row.records * 64));
    WalkRequest r{64,       row.need, 0,
                  {},       Callback, row.how == 'w' ? &w : row.how == 'u' ? &unstarted : nullptr,
                  row.start};
    trace.clear(), answers = row.answers, ResetEvent(called);
    if (row.how == 'l') StoreTakeLock(&s, 0);
    if (row.how == 'a')
      OnThread([&] { return DWORD(StoreTakeLock(&s, 0)); });  // and ends holding it
    EXPECT_EQ(DWORD(row.rc), OnThread([&] { return DWORD(StoreWalk(&s, &r)); })) << row.trace;
    if (row.how == 'l') StoreGiveLock(&s);
    if (row.how == 'w') WaitForSingleObject(called, 5000);  // the job has begun...
    WorkerWaitIdle(&w, 5000);                               // ...and ended
    for (MSG m; PeekMessageA(&m, nullptr, WM_JOB_DONE, WM_JOB_DONE, PM_REMOVE);)
      trace += " J" + std::to_string(m.lParam) +
               (m.wParam == WPARAM(w.thread) && m.hwnd == w.window ? "" : "?");
    EXPECT_EQ(row.trace, trace);
    EXPECT_TRUE(LockFree(&s) && !s.view) << row.trace;  // the lock and the view are given back
    StoreClose(&s), DeleteFileA(s.fileName);
  }
  WorkerStop(&w), DestroyWindow(static_cast<HWND>(w.window));
}

// Load and save move a window at a time through a mapping that ends after a
// window or inside one; a load clears what it does not fill; a save cuts a longer file.
TEST(StoreWin32, LoadAndSaveCopyWholeFiles) {
  const char *in = "sw_in.bin", *out = "sw_out.bin";
  for (uint32_t extra : {0x20000u, 100000u}) {
    std::string data = Fill(in, 100000);
    Fill(out, 200000, 'o');
    MappedStore s = {0, 0, extra};
    uint8_t* p = nullptr;
    ASSERT_TRUE(StoreOpen(&s) == RC_OK && StoreMap(&s, extra - 1, 1, &p, 0) == RC_OK);
    *p = 0xEE;  // a stale byte where the load writes nothing
    ASSERT_TRUE(StoreLoad(&s, in, 0) == RC_OK && StoreMap(&s, extra - 1, 1, &p, 0) == RC_OK);
    EXPECT_EQ(extra == 100000 ? uint8_t(data.back()) : 0, *p);
    ASSERT_EQ(RC_OK, StoreSave(&s, out, 0));
    std::ifstream saved(out, std::ios::binary);
    EXPECT_TRUE(s.dataLength == 100000 &&
                std::string(std::istreambuf_iterator<char>(saved), {}) == data);
    saved.close(), StoreClose(&s);
  }
  DeleteFileA(in), DeleteFileA(out);
}

// A file name that does not fit the store's 260 bytes is refused, not cut:
// the cut name would be another file, which a save overwrites.
TEST(StoreWin32, LoadAndSaveRefuseAFileNameThatDoesNotFit) {
  const std::string name(STORE_PATH_SIZE, 'n');
  MappedStore s = {0, 0, 640};
  ASSERT_EQ(StoreOpen(&s), RC_OK);
  EXPECT_EQ(StoreSave(&s, name.c_str(), 0), RC_BAD_ARG);
  EXPECT_EQ(StoreLoad(&s, name.c_str(), 0), RC_BAD_ARG);
  EXPECT_STREQ(s.fileName, "");
  StoreClose(&s);
}
