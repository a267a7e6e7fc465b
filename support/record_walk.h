// A walk over the fixed-size records of an open MappedStore, steered by a
// caller's callback that moves `position`. It runs on the calling thread, or
// as a WorkerJob when the request names a worker; either way the callback
// gets one last call in WALK_FINISHED with the final status.
#pragma once
#include <stdint.h>

#include "support/mapped_store.h"
#include "support/worker.h"

enum : int32_t { WALK_CONTINUE = 2 };
enum : int32_t { WALK_READY = 0, WALK_NEGATIVE = 1, WALK_PAST_END = 2, WALK_FINISHED = 4 };

struct WalkRequest;
typedef int32_t (*WalkCallback)(MappedStore* store, WalkRequest* request);

struct WalkRequest {
  uint32_t recordSize;  // 1 .. the store's dataLength
  uint32_t windowNeed;  // bytes from position the view must cover in WALK_READY
  uint32_t timeout;     // for the store's lock, in milliseconds
  uint8_t userArea[32];
  WalkCallback callback;
  Worker* worker;    // non-null: run the walk on that worker
  int32_t position;  // moved by the callback only
  int32_t result;    // the status that ended the walk
  int32_t phase;     // WALK_...
  uint8_t* record;   // the record at position, in WALK_READY only
};

ResultCode StoreWalk(MappedStore* store, WalkRequest* request);
ResultCode StoreWalkCancel(MappedStore* store, WalkRequest* request);

// The walk's four stages as a worker runs them: param1 the store, param2
// the request.
int32_t WalkPrepare(uintptr_t store, uintptr_t request, uintptr_t, uintptr_t);
int32_t WalkStep(uintptr_t store, uintptr_t request, uintptr_t, uintptr_t, int32_t last);
int32_t WalkFinish(uintptr_t store, uintptr_t request, uintptr_t, uintptr_t, int32_t last);
int32_t WalkDone(uintptr_t store, uintptr_t request, uintptr_t, uintptr_t, int32_t last);
