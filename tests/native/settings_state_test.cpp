#include <gtest/gtest.h>
#include <string.h>
#include "settings/settings_state.h"

TEST(SettingsLayout, InitialStateAndPackedDate) {
  SettingsRecord s = InitialSettingsState();
  EXPECT_EQ(s.Mode, 'O');
  EXPECT_EQ(s.SelectedBmp, -1);
  EXPECT_EQ(s.BmpCount, 0);
  EXPECT_STREQ(s.WinTileWallpaper, "0");
  EXPECT_STREQ(s.Path, "");

  uint32_t d = PackDate(2003, 12, 17);
  EXPECT_EQ(d, 0x07D30C11u);
  EXPECT_EQ(DateYear(d), 2003u);
  EXPECT_EQ(DateMonth(d), 12u);
  EXPECT_EQ(DateDay(d), 17u);
}

TEST(SettingsLayout, EntryNames) {
  struct Case {
    int index;
    const char* name;
  } cases[] = {{7, "Bitmap07"}, {31, "Bitmap31"}, {100, "Bitmap100"},
               {-2147483647 - 1, "Bitmap-2147483648"}};
  for (const Case& c : cases) {
    char name[ENTRY_NAME_SIZE];
    FormatEntryName(name, c.index);
    EXPECT_STREQ(name, c.name);
  }
}
