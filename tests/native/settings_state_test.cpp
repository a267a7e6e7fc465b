#include <gtest/gtest.h>
#include "settings/settings_state.h"

TEST(SettingsLayout, PackedDateEntryNamesAndStoredModes) {
  EXPECT_EQ(PackDate(2003, 12, 17), 0x07D30C11u);
  struct { int index; const char* name; } names[] = {{0, "Bitmap00"}, {7, "Bitmap07"}, {31, "Bitmap31"}, {100, "Bitmap100"}, {-1, "Bitmap-1"}};
  for (auto& c : names) {
    char name[ENTRY_NAME_SIZE];
    FormatEntryName(name, c.index);
    EXPECT_STREQ(name, c.name);
  }
  const char stored[] = "BDMNWOdxb", loaded[] = "BDMNWOOOOO";
  for (int i = 0; i < 10; ++i) EXPECT_EQ(ModeFromStoredByte(stored[i]), loaded[i]) << i;
}
