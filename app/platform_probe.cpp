#include "app/platform_probe.h"

#include "app/startup.h"

uint32_t PlatformClass = 0;

static const uint32_t CC_471 = 0x00040047;
static const uint32_t CC_580 = 0x00050050;

uint32_t PackModuleVersion(uint32_t major, uint32_t minor) {
  return (major & 0xFFFFu) << 16 | (minor & 0xFFFFu);
}

uint32_t ClassifyPlatform(uint32_t platformId, uint32_t major, uint32_t minor,
                          uint32_t commonControls) {
  if (platformId == PLATFORM_WIN32_NT) {
    if (major == 3) return PC_NT3;
    if (major == 4) return PC_NT4;
    if (major == 5) {
      if (minor == 0) return PC_NT50;
      if (minor == 1) return PC_NT51;
      if (minor == 2) return PC_NT52;
    }
    return PC_UNKNOWN;
  }
  if (platformId == PLATFORM_WIN32_WINDOWS) {
    // Only the minor version tells the 9x releases apart.
    if (minor == 10) return PC_WIN98;
    if (minor == 90) return PC_WINME;
    if (minor != 0 || commonControls == 0) return PC_UNKNOWN;
    if (commonControls >= CC_580) return PC_WIN95_CC580;
    if (commonControls >= CC_471) return PC_WIN95_CC471;
    return PC_WIN95;
  }
  return PC_UNKNOWN;
}
