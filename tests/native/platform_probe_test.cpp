#include "app/platform_probe.h"

#include <gtest/gtest.h>

TEST(PlatformProbe, ClassifiesEveryKnownVersionAndNothingElse) {
  // platform id, major, minor, common controls version: class
  struct {
    uint32_t id, major, minor, commonControls, cls;
  } cases[] = {
      {2, 3, 51, 0, 0x10000},  {2, 3, 10, 0, 0x10000},  {2, 4, 0, 0, 0x20000},
      {2, 4, 7, 0, 0x20000},   {2, 5, 0, 0, 0x100000},  {2, 5, 1, 0, 0x200000},
      {2, 5, 2, 0, 0x400000},  {2, 5, 3, 0, 0},         {2, 6, 0, 0, 0},
      {2, 2, 0, 0, 0},         {1, 4, 10, 0, 0x10},     {1, 4, 10, 0x40046, 0x10},
      {1, 5, 10, 0, 0x10},     {1, 4, 90, 0, 0x20},     {1, 4, 20, 0x50051, 0},
      {1, 4, 0, 0x40046, 0x1}, {1, 4, 0, 0x40047, 0x2}, {1, 4, 0, PackModuleVersion(5, 79), 0x2},
      {1, 4, 0, 0x50050, 0x4}, {1, 4, 0, 0x50051, 0x4}, {1, 4, 0, 0x60000, 0x4},
      {1, 5, 0, 0x40047, 0x2}, {1, 4, 0, 0, 0},         {0, 4, 0, 0x50051, 0},
      {3, 4, 0, 0x50051, 0}};
  for (auto& c : cases)
    EXPECT_EQ(ClassifyPlatform(c.id, c.major, c.minor, c.commonControls), c.cls)
        << c.id << " " << c.major << "." << c.minor << " cc " << std::hex << c.commonControls;
}
