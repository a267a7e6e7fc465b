// Classification of the running Windows version into one PlatformClass bit.
// The table is portable; the two queries that feed it are the Windows face.
#pragma once
#include <stdint.h>

#include "support/result_codes.h"

// One bit per recognised version; the 9x family lies below every NT value,
// so "NT 4.0 or later" is a plain class >= PC_NT4.
enum : uint32_t {
  PC_UNKNOWN = 0x00000000,
  PC_WIN95 = 0x00000001,        // common controls below 4.71
  PC_WIN95_CC471 = 0x00000002,  // common controls 4.71 up to below 5.80
  PC_WIN95_CC580 = 0x00000004,  // common controls 5.80 or later
  PC_WIN98 = 0x00000010,
  PC_WINME = 0x00000020,
  PC_NT3 = 0x00010000,
  PC_NT4 = 0x00020000,
  PC_NT50 = 0x00100000,
  PC_NT51 = 0x00200000,
  PC_NT52 = 0x00400000
};

enum : uint32_t {
  PLATFORM_WIN32_WINDOWS = 1,  // the 9x family
  PLATFORM_WIN32_NT = 2
};

// The class of the last successful probe; 0 until then.
extern uint32_t LastPlatformClass;

// Low 16 bits of each of major and minor: 5.80 is 0x00050050.
uint32_t PackModuleVersion(uint32_t major, uint32_t minor);

// The classification alone. commonControls is the packed version of the
// common controls, 0 when it is not known; it matters only for the first
// 9x release (minor 0), which without it is not recognised.
uint32_t ClassifyPlatform(uint32_t platformId, uint32_t major, uint32_t minor,
                          uint32_t commonControls);

// Sets *out (may be null) to 0, then to the class found. RC_OK or RC_FAILED.
ResultCode ProbePlatform(uint32_t* out);

// The packed version that the module's DllGetVersion reports.
// RC_OK, RC_BAD_ARG (nothing written) or RC_FAILED (version 0).
ResultCode QueryDllVersion(const char* fileName, uint32_t* version);
