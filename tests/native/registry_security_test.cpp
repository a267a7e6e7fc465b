#include <gtest/gtest.h>
#include <string>
#include "app/registry_security.h"

TEST(RegistrySecurity, FlagsChooseTheEntriesEveryoneFirst) {
  // "authority/count-sub-sub:access:trustee type" per entry.
  struct { uint32_t flags; const char* entries; } cases[] = {
      {0x30, "1/1-0-0:9:5 5/2-32-544:7:2 "}, {0x10, "1/1-0-0:9:5 "}, {0x20, "5/2-32-544:7:2 "},
      {0xFFFFFF20, "5/2-32-544:7:2 "}, {0xFFFFFFCF, ""}, {0, ""}};
  for (auto& c : cases) {
    SecurityEntryPlan plan[2];
    std::string out;
    for (int i = 0, n = PlanSecurityEntries(c.flags, 7, 9, plan); i < n; ++i) {
      const SecurityEntryPlan& p = plan[i];
      out += std::to_string(p.authority) + "/" + std::to_string(p.subCount) + "-" + std::to_string(p.sub[0]) + "-" +
             std::to_string(p.sub[1]) + ":" + std::to_string(p.access) + ":" + std::to_string(p.trusteeType) + " ";
    }
    EXPECT_EQ(out, c.entries) << std::hex << c.flags;
  }
}
