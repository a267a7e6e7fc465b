// Result numbers of the support library's routines.
#pragma once
enum ResultCode { RC_OK = 0, RC_QUEUED = 3, RC_FAILED = 16, RC_BAD_ARG = 17, RC_UNSUPPORTED = 19, RC_NO_ROOM = 21, RC_TIMEOUT = 22, RC_TOO_SMALL = 23 };
