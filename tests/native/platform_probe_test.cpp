#include <gtest/gtest.h>
#include "app/platform_probe.h"
#include "tests/fakes/fake_platform_services.h"

namespace {

TEST(PlatformProbe, ClassifiesEveryKnownVersionAndNothingElse) {
  struct Case {
    uint32_t id, major, minor, cc, cls;
  } cases[] = {
      {2, 3, 51, 0, PC_NT3},   {2, 4, 7, 0, PC_NT4},     {2, 5, 0, 0, PC_NT50},
      {2, 5, 1, 0, PC_NT51},   {2, 5, 2, 0, PC_NT52},    {2, 5, 3, 0, 0},
      {2, 6, 0, 0, 0},         {1, 4, 10, 0, PC_WIN98},
      {1, 4, 90, 0, PC_WINME}, {1, 5, 10, 0, PC_WIN98},  {1, 4, 20, 0, 0},
      {1, 4, 0, 0x40046, PC_WIN95},        {1, 4, 0, 0x40047, PC_WIN95_CC471},
      {1, 4, 0, 0x5004F, PC_WIN95_CC471},  {1, 4, 0, 0x50050, PC_WIN95_CC580},
      {1, 4, 0, 0, 0},         {0, 4, 0, 0x50051, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClassifyPlatform(c.id, c.major, c.minor, c.cc), c.cls)
        << c.id << " " << c.major << "." << c.minor << " cc " << std::hex << c.cc;
  EXPECT_EQ(PackModuleVersion(0x12345, 0xABCDE), 0x2345BCDEu);
}

TEST(PlatformProbe, StoresTheClassAndAsksForCommonControlsOnlyOnWindows95) {
  FakeModules.Reset();
  FakeModules.platformId = 2, FakeModules.major = 5, FakeModules.minor = 1;
  uint32_t cls = 99;
  EXPECT_EQ(ProbePlatform(&cls), RC_OK);
  EXPECT_EQ(cls, PC_NT51);
  EXPECT_EQ(LastPlatformClass, PC_NT51);
  EXPECT_TRUE(FakeModules.loadRequests.empty());

  FakeModules.platformId = 1, FakeModules.major = 4, FakeModules.minor = 0;
  FakeModules.dllMajor = 4, FakeModules.dllMinor = 71;
  EXPECT_EQ(ProbePlatform(nullptr), RC_OK);
  EXPECT_EQ(LastPlatformClass, PC_WIN95_CC471);
  EXPECT_EQ(FakeModules.loadRequests, std::vector<std::string>{"comctl32.dll"});
  EXPECT_EQ(FakeModules.loaded, 0);
}

TEST(PlatformProbe, FailuresLeaveZeroAndKeepTheLastClass) {
  void (*cases[])() = {
      [] { FakeModules.versionFails = true; },
      [] { FakeModules.modules.erase("comctl32.dll"); },
      [] { FakeModules.modules["comctl32.dll"].clear(); },  // no DllGetVersion
      [] { FakeModules.dllResult = -2147467259L; },
      [] { FakeModules.dllMajor = 0, FakeModules.dllMinor = 0; },
  };
  int n = 0;
  for (auto arrange : cases) {
    FakeModules.Reset();
    FakeModules.platformId = 1, FakeModules.major = 4, FakeModules.minor = 0;
    LastPlatformClass = PC_WIN98;
    arrange();
    uint32_t cls = 99;
    EXPECT_EQ(ProbePlatform(&cls), RC_FAILED) << n;
    EXPECT_EQ(cls, 0u) << n;
    EXPECT_EQ(LastPlatformClass, PC_WIN98) << n;
    EXPECT_EQ(FakeModules.loaded, 0) << n++;
  }
}

TEST(PlatformProbe, QueryDllVersionChecksArgumentsAndPassesAClearedRecord) {
  FakeModules.Reset();
  uint32_t v = 1234;
  EXPECT_EQ(QueryDllVersion("", &v), RC_BAD_ARG);
  EXPECT_EQ(QueryDllVersion(nullptr, &v), RC_BAD_ARG);
  EXPECT_EQ(QueryDllVersion("comctl32.dll", nullptr), RC_BAD_ARG);
  EXPECT_EQ(v, 1234u);
  EXPECT_TRUE(FakeModules.loadRequests.empty());

  FakeModules.dllMajor = 0x10006, FakeModules.dllMinor = 0x20001;
  EXPECT_EQ(QueryDllVersion("comctl32.dll", &v), RC_OK);
  EXPECT_EQ(v, 0x00060001u);  // only the low 16 bits of each part
  EXPECT_TRUE(FakeModules.dllRecordCleared);
  EXPECT_EQ(FakeModules.loaded, 0);
}

}  // namespace
