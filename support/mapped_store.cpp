// The mapped store: capacity and window rounding, window placement and the
// load and save loops, over the platform calls of mapped_store.h.
#include "support/mapped_store.h"

MemoryGeometry StoreGeometry = {0x1000, 0xFFF, 0xFFFFF000, 0x10000, 0xFFFF, 0xFFFF0000};

enum : uint32_t { OPEN_LOCK_TIMEOUT = 100, CLOSE_LOCK_TIMEOUT = 2000 };

static uint32_t RoundUpToGranularity(uint32_t x) {
  return (x + StoreGeometry.granularityMask) & StoreGeometry.granularityFloor;  // wraps on purpose
}

// Bounded copy of a name into a 260-byte field, always terminated.
// Copies a file name that fits whole; false, with nothing copied, for one
// that does not: a cut name is another file, which Save would overwrite.
static bool CopyName(char* to, const char* from) {
  uint32_t n = 0;
  while (n < STORE_PATH_SIZE && from[n]) ++n;
  if (n == STORE_PATH_SIZE) return false;
  for (uint32_t i = 0; i <= n; ++i) to[i] = from[i];
  return true;
}

bool StoreTakeLock(MappedStore* s, uint32_t timeout) {
  return !s->lock || StoreWaitLock(s->lock, timeout);
}

void StoreGiveLock(MappedStore* s) {
  if (s->lock) StoreReleaseLock(s->lock);
}

static void DropView(MappedStore* s) {
  if (s->view) StoreUnmapView(s->view);
  s->view = nullptr;
}

static bool IsFileStore(const MappedStore* s) { return (s->flags & STORE_FILE) != 0; }
static bool ReadOnly(const MappedStore* s) { return IsFileStore(s) && !(s->flags & STORE_WRITE); }

ResultCode PlaceWindow(MappedStore* s, int32_t offset, uint32_t length) {
  DropView(s);
  // 64-bit so that no sum near the top of the range can overflow.
  uint32_t floor = static_cast<uint32_t>(offset) & StoreGeometry.granularityFloor;
  int64_t start = static_cast<int32_t>(floor);
  int64_t end = start + s->windowSize;
  int64_t rangeEnd = static_cast<int64_t>(offset) + length;
  if (rangeEnd > end) end += s->windowSize;
  if (end > static_cast<int64_t>(s->capacity)) return RC_NO_ROOM;
  // The view stops where the mapping does; a range below 0 or past that
  // end cannot be had (the platform refuses such views).
  if (start < 0 || rangeEnd > static_cast<int64_t>(s->mappingSize)) return RC_FAILED;
  if (end > static_cast<int64_t>(s->mappingSize)) end = s->mappingSize;
  s->windowStart = static_cast<int32_t>(start);
  s->windowEnd = static_cast<int32_t>(end);
  s->view = StoreMapView(s->mapping, !ReadOnly(s), static_cast<uint32_t>(start),
                         static_cast<uint32_t>(end - start));
  return s->view ? RC_OK : RC_FAILED;
}

ResultCode StoreOpen(MappedStore* s) {
  if (!s || s->mapping || s->view) return RC_BAD_ARG;
  RefreshMemoryGeometry();
  s->file = STORE_NO_FILE;
  s->lock = nullptr;
  s->current = nullptr;
  s->windowStart = s->windowEnd = 0;
  s->dataLength = s->mappingSize = 0;
  if (!s->capacity || s->capacity > STORE_CAPACITY_MAX) s->capacity = STORE_CAPACITY_MAX;
  s->capacity = RoundUpToGranularity(s->capacity);
  s->windowSize = RoundUpToGranularity(s->windowSize);
  if (!s->windowSize) s->windowSize = StoreGeometry.granularity;

  ResultCode rc = RC_FAILED;
  bool readOnly = false;
  if (IsFileStore(s)) {
    if (!s->fileName[0]) return RC_BAD_ARG;
    readOnly = !(s->flags & STORE_WRITE);
    s->file = StoreOpenFile(s->fileName, readOnly ? OPEN_READ : OPEN_READ_WRITE);
  } else {
    if (!s->tempName[0]) StoreMakeTempFile(s->tempFolder, s->tempName);
    if (s->tempName[0]) s->file = StoreOpenFile(s->tempName, CREATE_NEW_READ_WRITE);
  }
  if (s->file != STORE_NO_FILE) {
    uint32_t size = StoreFileSize(s->file);
    uint64_t total = static_cast<uint64_t>(size) + s->extraBytes;  // no 32-bit wrap
    rc = RC_NO_ROOM;
    if (size != 0xFFFFFFFF) {
      s->dataLength = size;
      if (total <= s->capacity) {
        s->mappingSize = static_cast<uint32_t>(total);
        s->mapping = StoreCreateMapping(s->file, readOnly, s->mappingSize);
        if (s->mapping) rc = RC_OK;
      }
    }
    if (rc != RC_OK) {
      StoreCloseHandle(s->file);
      s->file = STORE_NO_FILE;
    }
  }
  if (rc != RC_OK) return rc;
  if (s->flags & STORE_LOCK) {
    s->lock = StoreNewLock();
    if (!s->lock) {
      StoreClose(s);
      return RC_FAILED;
    }
  }
  if (!IsFileStore(s) && s->fileName[0]) {
    rc = StoreLoad(s, nullptr, OPEN_LOCK_TIMEOUT);
    if (rc != RC_OK) StoreClose(s);
  }
  return rc;
}

ResultCode StoreClose(MappedStore* s) {
  if (!s) return RC_BAD_ARG;
  bool held = s->lock && StoreWaitLock(s->lock, CLOSE_LOCK_TIMEOUT);
  DropView(s);
  if (s->mapping) StoreCloseHandle(s->mapping);
  s->mapping = nullptr;
  if (s->file != STORE_NO_FILE && s->file) StoreCloseHandle(s->file);
  s->file = STORE_NO_FILE;
  if (s->lock) {
    if (held) StoreReleaseLock(s->lock);
    StoreCloseHandle(s->lock);
    s->lock = nullptr;
  }
  s->current = nullptr;
  s->windowStart = s->windowEnd = 0;
  s->dataLength = s->mappingSize = 0;
  if (!IsFileStore(s) && s->tempName[0]) StoreDeleteFile(s->tempName);
  return RC_OK;
}

ResultCode StoreMap(MappedStore* s, int32_t offset, uint32_t length, uint8_t** out,
                    uint32_t timeout) {
  if (!s || !s->mapping || !length || length > s->windowSize) return RC_BAD_ARG;
  if (out) *out = nullptr;  // a failed placement leaves no view to point into
  if (!StoreTakeLock(s, timeout)) return RC_FAILED;
  if (!StoreViewServes(s, offset, length)) {
    ResultCode rc = PlaceWindow(s, offset, length);
    if (rc != RC_OK) {
      StoreGiveLock(s);
      return rc;
    }
  }
  s->current = s->view + (static_cast<int64_t>(offset) - s->windowStart);
  if (out) *out = s->current;
  return RC_OK;
}

ResultCode StoreUnmap(MappedStore* s, uint32_t timeout) {
  if (!s) return RC_BAD_ARG;
  if (!s->mapping || !s->view) return RC_FAILED;
  if (!StoreTakeLock(s, timeout)) return RC_FAILED;
  DropView(s);
  StoreGiveLock(s);
  return RC_OK;
}

ResultCode StoreRelease(MappedStore* s) {
  if (!s) return RC_BAD_ARG;
  if (!s->lock) return RC_FAILED;
  StoreReleaseLock(s->lock);
  return RC_OK;
}

// Checks shared by load and save: a temporary store and a file name.
static ResultCode TakeName(MappedStore* s, const char* name) {
  if (!s || IsFileStore(s)) return RC_BAD_ARG;
  if (name && name[0] && !CopyName(s->fileName, name)) return RC_BAD_ARG;
  return s->fileName[0] ? RC_OK : RC_BAD_ARG;
}

// Moves the view on to the window after windowEnd, mapped as far as the
// mapping reaches: the length mapped, 0 when no view could be had.
static uint32_t NextWindow(MappedStore* s) {
  DropView(s);
  s->windowStart = s->windowEnd;
  s->windowEnd = static_cast<int32_t>(static_cast<uint32_t>(s->windowStart) + s->windowSize);
  uint32_t start = static_cast<uint32_t>(s->windowStart);
  if (start >= s->mappingSize) return 0;
  uint32_t length = s->mappingSize - start < s->windowSize ? s->mappingSize - start : s->windowSize;
  s->view = StoreMapView(s->mapping, 1, start, length);
  return s->view ? length : 0;
}

ResultCode StoreLoad(MappedStore* s, const char* name, uint32_t timeout) {
  ResultCode rc = TakeName(s, name);
  if (rc != RC_OK) return rc;
  void* file = StoreOpenFile(s->fileName, OPEN_READ);
  if (file == STORE_NO_FILE) return RC_FAILED;
  uint32_t size = StoreFileSize(file);
  if (size == 0xFFFFFFFF || size > s->mappingSize) {
    rc = RC_NO_ROOM;
  } else if (!StoreTakeLock(s, timeout)) {
    rc = RC_FAILED;
  } else {
    s->windowStart = s->windowEnd = 0;
    s->dataLength = size;
    s->current = nullptr;
    uint32_t pos = 0, chunk = 0, mapped = 0;
    while (pos < size) {
      chunk = size - pos < s->windowSize ? size - pos : s->windowSize;
      mapped = NextWindow(s);
      if (!mapped || !StoreReadAt(file, pos, s->view, chunk)) break;
      pos += chunk;
    }
    rc = pos == size ? RC_OK : RC_FAILED;
    s->windowStart = s->windowEnd = 0;
    // The rest of the last window reads as zeros, not as stale data.
    for (uint32_t i = chunk; s->view && i < mapped; ++i) s->view[i] = 0;
    DropView(s);
    StoreGiveLock(s);
  }
  StoreCloseHandle(file);
  return rc;
}

ResultCode StoreSave(MappedStore* s, const char* name, uint32_t timeout) {
  ResultCode rc = TakeName(s, name);
  if (rc != RC_OK) return rc;
  void* file = StoreOpenFile(s->fileName, CREATE_NEW_READ_WRITE);
  if (file == STORE_NO_FILE) return RC_FAILED;
  uint32_t n = s->dataLength;
  if (!n) {  // NOLINT(bugprone-branch-clone): an empty store and a lock not had fail alike
    rc = RC_FAILED;
  } else if (n > s->mappingSize) {
    rc = RC_NO_ROOM;
  } else if (!StoreTakeLock(s, timeout)) {
    rc = RC_FAILED;
  } else {
    s->windowStart = s->windowEnd = 0;
    s->current = nullptr;
    uint32_t pos = 0;
    while (pos < n) {
      uint32_t chunk = n - pos < s->windowSize ? n - pos : s->windowSize;
      if (!NextWindow(s) || !StoreWriteAt(file, pos, s->view, chunk)) break;
      pos += chunk;
    }
    rc = pos == n ? RC_OK : RC_FAILED;
    if (rc == RC_OK) StoreEndFileAt(file, pos);
    s->windowStart = s->windowEnd = 0;
    DropView(s);
    StoreGiveLock(s);
  }
  StoreCloseHandle(file);
  return rc;
}
