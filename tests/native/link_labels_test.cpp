#include <gtest/gtest.h>
#include "dialog/link_labels.h"
#include "tests/fakes/fake_link_api.h"

namespace {

int siteWindow, mailWindow, creditWindow;  // addresses stand in for window handles
void* const Site = &siteWindow;
void* const Mail = &mailWindow;
void* const Credit = &creditWindow;

class LinkHover : public ::testing::Test {
 protected:
  void SetUp() override {
    LinkLabels[0].window = Site;
    LinkLabels[1].window = Mail;
    ClearLinkHover();
    FakeLinkCalls.Reset();
  }
  uint32_t Color(void* w) {
    uint32_t c = 0;
    EXPECT_TRUE(LinkColorFor(w, &c));
    return c;
  }
};

TEST_F(LinkHover, OnlyFlagChangesRepaint) {
  EXPECT_EQ(Color(Site), LINK_COLOR_PLAIN);
  EXPECT_EQ(OnLinkHover(1, Site), 0);
  EXPECT_EQ(Color(Site), LINK_COLOR_HOVERED);
  // Further movement over the hovered label: no change, no repaint.
  OnLinkHover(1, Site);
  OnLinkHover(7, Site);  // any nonzero wParam counts as over
  ASSERT_EQ(FakeLinkCalls.repainted.size(), 1u);
  OnLinkHover(0, Site);
  OnLinkHover(0, Site);
  EXPECT_EQ(Color(Site), LINK_COLOR_PLAIN);
  EXPECT_EQ(FakeLinkCalls.repainted, (std::vector<void*>{Site, Site}));
}

TEST_F(LinkHover, BothLabelsCanBeRedUntilTheFirstOnesNextTick) {
  OnLinkHover(1, Site);
  OnLinkHover(1, Mail);
  EXPECT_EQ(Color(Site), LINK_COLOR_HOVERED);
  EXPECT_EQ(Color(Mail), LINK_COLOR_HOVERED);
  OnLinkHover(0, Site);
  EXPECT_EQ(Color(Site), LINK_COLOR_PLAIN);
  EXPECT_EQ(Color(Mail), LINK_COLOR_HOVERED);
}

TEST_F(LinkHover, OtherWindowsAreLeftAlone) {
  EXPECT_EQ(OnLinkHover(1, Credit), 0);
  EXPECT_EQ(OnLinkHover(1, nullptr), 0);
  EXPECT_TRUE(FakeLinkCalls.repainted.empty());
  uint32_t c = 12345;
  EXPECT_FALSE(LinkColorFor(Credit, &c));
  EXPECT_FALSE(LinkColorFor(nullptr, &c));
  EXPECT_EQ(c, 12345u);
}

TEST_F(LinkHover, ATickLeavesUnlessThePointerIsOnTheLabelItself) {
  EXPECT_FALSE(LinkTickLeaves(true, true));
  EXPECT_TRUE(LinkTickLeaves(false, false));
  EXPECT_TRUE(LinkTickLeaves(true, false));  // another window covers the label
  EXPECT_TRUE(LinkTickLeaves(false, true));
}

}  // namespace
