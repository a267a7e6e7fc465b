#include <gtest/gtest.h>
#include "dialog/link_labels.h"

// Only a change of the flag repaints; any nonzero wParam counts as over.
TEST(LinkLabels, HoverDecisionAndColour) {
  LinkLabel label = {1620, nullptr, nullptr, 0, ""};
  struct { uintptr_t wParam; bool repaint; uint32_t color; } steps[] = {
      {1, true, 0x0000FF}, {1, false, 0x0000FF}, {7, false, 0x0000FF}, {0, true, 0xFF0000}, {0, false, 0xFF0000},
      {7, true, 0x0000FF}};
  for (auto& s : steps) {
    EXPECT_EQ(SetLinkHover(&label, s.wParam), s.repaint);
    EXPECT_EQ(LinkColor(label), s.color);
  }
}
