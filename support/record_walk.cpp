// The record walk: one pass shared by the direct walk and the worker's step.
#include "support/record_walk.h"

// One pass at the current position. When no view can be had the callback
// is not called: the status is WALK_CONTINUE and *placeFailure says why
// (RC_NO_ROOM or RC_FAILED).
static int32_t WalkPass(MappedStore* s, WalkRequest* r, ResultCode* placeFailure) {
  int32_t pos = r->position;  // the callback may have moved it
  *placeFailure = RC_OK;
  if (pos < 0) {
    r->phase = WALK_NEGATIVE;
    r->record = nullptr;
    return r->callback(s, r);
  }
  if (static_cast<int64_t>(pos) + r->recordSize > static_cast<int64_t>(s->dataLength)) {
    r->phase = WALK_PAST_END;
    r->record = nullptr;
    return r->callback(s, r);
  }
  if (!StoreViewServes(s, pos, r->windowNeed)) *placeFailure = PlaceWindow(s, pos, r->windowNeed);
  if (!s->view) {
    if (*placeFailure == RC_OK) *placeFailure = RC_FAILED;
    return WALK_CONTINUE;
  }
  *placeFailure = RC_OK;
  s->current = s->view + (static_cast<int64_t>(pos) - s->windowStart);
  r->phase = WALK_READY;
  r->record = s->current;
  return r->callback(s, r);
}

// Drops the view and gives back the walk's hold on the lock.
static void EndWalk(MappedStore* s) {
  s->windowStart = s->windowEnd = 0;
  if (s->view) StoreUnmapView(s->view);
  s->view = nullptr;
  StoreGiveLock(s);
}

static void ReportFinished(MappedStore* s, WalkRequest* r, int32_t status) {
  r->phase = WALK_FINISHED;
  r->record = nullptr;
  r->result = status;
  r->callback(s, r);
}

int32_t WalkPrepare(uintptr_t store, uintptr_t request, uintptr_t, uintptr_t) {
  MappedStore* s = reinterpret_cast<MappedStore*>(store);
  WalkRequest* r = reinterpret_cast<WalkRequest*>(request);
  if (!s || !r) return RC_BAD_ARG;
  return StoreTakeLock(s, r->timeout) ? int32_t(JOB_CONTINUE) : int32_t(RC_FAILED);
}

int32_t WalkStep(uintptr_t store, uintptr_t request, uintptr_t, uintptr_t, int32_t last) {
  MappedStore* s = reinterpret_cast<MappedStore*>(store);
  WalkRequest* r = reinterpret_cast<WalkRequest*>(request);
  if (!s || !r) return RC_BAD_ARG;
  if (last != WALK_CONTINUE) return last;
  ResultCode placeFailure;
  int32_t status = WalkPass(s, r, &placeFailure);
  if (status == WALK_CONTINUE && placeFailure == RC_OK) return status;
  if (status == WALK_CONTINUE || status == 0 || status == 1) {
    // The walk ends here. A window that cannot be had ends it as on the
    // calling thread, with the reason: the worker only goes on to finish
    // after 0 or 1, so the status travels in `result` and finish reports it.
    r->result = status == WALK_CONTINUE ? placeFailure : status;
    return status == WALK_CONTINUE ? 1 : status;
  }
  // Any other status ends the job without the finish stage; give the view
  // and the lock back here so that they do not stay with the thread.
  EndWalk(s);
  return status;
}

int32_t WalkFinish(uintptr_t store, uintptr_t request, uintptr_t, uintptr_t, int32_t last) {
  MappedStore* s = reinterpret_cast<MappedStore*>(store);
  WalkRequest* r = reinterpret_cast<WalkRequest*>(request);
  if (!s || !r) return RC_BAD_ARG;
  EndWalk(s);
  // After a cancel last is the step's 2; after an end, the step left the
  // status in result.
  return last == 0 || last == 1 ? r->result : last;
}

int32_t WalkDone(uintptr_t store, uintptr_t request, uintptr_t, uintptr_t, int32_t last) {
  MappedStore* s = reinterpret_cast<MappedStore*>(store);
  WalkRequest* r = reinterpret_cast<WalkRequest*>(request);
  if (s && r) ReportFinished(s, r, last);
  return 0;
}

ResultCode StoreWalk(MappedStore* s, WalkRequest* r) {
  if (!s || !s->mapping || !r || !r->callback) return RC_BAD_ARG;
  if (!r->recordSize || r->recordSize > s->dataLength) return RC_BAD_ARG;
  // A need that no view of the walk can cover would have the callback read
  // past the view.
  if (r->windowNeed > s->windowSize || r->windowNeed > s->mappingSize) return RC_BAD_ARG;
  if (r->worker) {
    uintptr_t ps = reinterpret_cast<uintptr_t>(s), pr = reinterpret_cast<uintptr_t>(r);
    WorkerJob job;
    job.prepare = MakePrepareStage(WalkPrepare, ps, pr);
    job.step = MakeStage(WalkStep, ps, pr);
    job.finish = MakeStage(WalkFinish, ps, pr);
    job.done = MakeStage(WalkDone, ps, pr);
    if (WorkerPost(r->worker, &job, 0) == RC_OK) return RC_QUEUED;
    // The worker cannot take it: walk here instead.
  }
  if (!StoreTakeLock(s, r->timeout)) return RC_FAILED;
  int32_t status = WALK_CONTINUE;
  while (status == WALK_CONTINUE) {
    ResultCode placeFailure;
    status = WalkPass(s, r, &placeFailure);
    // A window that cannot be mapped would be retried for ever here, where
    // nobody can cancel: end the walk with the reason instead.
    if (status == WALK_CONTINUE && placeFailure != RC_OK) status = placeFailure;
  }
  EndWalk(s);
  ReportFinished(s, r, status);
  return static_cast<ResultCode>(status);  // the callback's status, whatever it is
}

ResultCode StoreWalkCancel(MappedStore* s, WalkRequest* r) {
  if (!s || !s->mapping || !r || !r->callback) return RC_BAD_ARG;
  if (r->worker) WorkerCancel(r->worker, 0);
  return RC_OK;
}
