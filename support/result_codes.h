// The support library's result numbers, shared by all of its routines.
#pragma once

enum ResultCode : int {
  RC_OK = 0,
  RC_QUEUED = 3,  // a walk handed to a worker
  RC_FAILED =
      16,  // a system call failed, a module or entry point is missing, a lock not had in time
  RC_BAD_ARG = 17,      // a null or empty argument, or a record in the wrong state
  RC_UNSUPPORTED = 19,  // a platform below NT 4.0
  RC_NO_ROOM = 21,      // beyond a store's capacity, or a mapping that cannot be made
  RC_TIMEOUT = 22,      // a worker wait ran out
  RC_TOO_SMALL = 23     // an output buffer too small
};
