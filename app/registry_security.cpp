#include "app/registry_security.h"

int PlanSecurityEntries(uint32_t flags, uint32_t administratorsAccess, uint32_t everyoneAccess,
                        SecurityEntryPlan (&plan)[2]) {
  int n = 0;
  // S-1-1-0 and S-1-5-32-544.
  if (flags & RS_EVERYONE) plan[n++] = {1, 1, {0, 0}, everyoneAccess, 5};
  if (flags & RS_ADMINISTRATORS) plan[n++] = {5, 2, {32, 544}, administratorsAccess, 2};
  return n;
}
