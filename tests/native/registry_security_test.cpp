#include <gtest/gtest.h>
#include <stdio.h>
#include <string>
#include "app/registry_security.h"

TEST(RegistrySecurity, FlagsChooseTheEntriesEveryoneFirst) {
  // "authority/count-sub-sub:access:trustee type" per entry.
  struct Case {
    uint32_t flags;
    const char* entries;
  } cases[] = {{0x30, "1/1-0-0:9:5 5/2-32-544:7:2 "}, {0x10, "1/1-0-0:9:5 "},
               {0x20, "5/2-32-544:7:2 "}, {0xFFFFFF20, "5/2-32-544:7:2 "},
               {0xFFFFFFCF, ""}, {0, ""}};
  for (const Case& c : cases) {
    SecurityEntryPlan plan[2];
    std::string out;
    for (int i = 0, n = PlanSecurityEntries(c.flags, 7, 9, plan); i < n; ++i) {
      char entry[64];
      snprintf(entry, sizeof entry, "%u/%u-%u-%u:%u:%u ", plan[i].authority, plan[i].subCount,
               plan[i].sub[0], plan[i].sub[1], plan[i].access, plan[i].trusteeType);
      out += entry;
    }
    EXPECT_EQ(out, c.entries) << std::hex << c.flags;
  }
}
