#include "app/platform_probe.h"

#include <gtest/gtest.h>

#include <tuple>

// Every version of the table, with the common controls' version where it
// decides, and a neighbour of each that is not recognised.
TEST(PlatformProbe, ClassifiesEveryKnownVersionAndNothingElse) {
  const uint32_t NT = PLATFORM_WIN32_NT, W9X = PLATFORM_WIN32_WINDOWS;
  const std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, uint32_t> cases[] = {
      {NT, 3, 51, 0, PC_NT3},
      {NT, 4, 0, 0, PC_NT4},
      {NT, 5, 0, 0, PC_NT50},
      {NT, 5, 1, 0, PC_NT51},
      {NT, 5, 2, 0, PC_NT52},
      {NT, 5, 3, 0, PC_UNKNOWN},
      {W9X, 4, 10, 0, PC_WIN98},
      {W9X, 4, 90, 0, PC_WINME},
      {W9X, 4, 20, 0x50051, PC_UNKNOWN},
      {W9X, 4, 0, 0x40046, PC_WIN95},
      {W9X, 4, 0, 0x40047, PC_WIN95_CC471},
      {W9X, 4, 0, 0x5004F, PC_WIN95_CC471},
      {W9X, 4, 0, 0x50050, PC_WIN95_CC580},
      {W9X, 4, 0, 0, PC_UNKNOWN},
      {3, 4, 0, 0x50051, PC_UNKNOWN}};
  for (const auto& [id, major, minor, commonControls, cls] : cases)
    EXPECT_EQ(cls, ClassifyPlatform(id, major, minor, commonControls))
        << id << " " << major << "." << minor << " cc " << std::hex << commonControls;
}

// The common controls report major and minor apart: 5.79 is just below 5.80.
TEST(PlatformProbe, PacksTheMajorAboveTheMinor) {
  EXPECT_EQ(0x0005004Fu, PackModuleVersion(5, 79));
}
