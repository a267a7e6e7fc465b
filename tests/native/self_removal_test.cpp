#include <gtest/gtest.h>
#include <string>
#include "dialog/self_removal.h"

TEST(InsertRenameEntry, WorkedExamplesAndOddFiles) {
  const std::string e = "NUL=C:\\APPS\\PROG.EXE\r\n", h = "[rename]\r\n", z("a\0", 2);  // L = 22
  struct { std::string text, want; } cases[] = {
      {"", h + e}, {h + "\r\nC:\\OLD.TXT=C:\\NEW.TXT\r\n", h + "\r\n" + e + "C:\\OLD.TXT=C:\\NEW.TXT\r\n"},
      {"[boot]\r\nx=1", "[boot]\r\nx=1" + h + e}, {"[Rename]\r\n", "[Rename]\r\n" + h + e}, {"[rename]\n", "[rename]\n" + h + e},
      {"x" + h + "\n\r\ny", "x" + h + "\n\r\n" + e + "y"}, {h, h + e}, {z + h, z + h + h + e}};  // the search ends at a zero byte
  for (auto& c : cases) {
    std::string buffer = c.text + std::string(e.size() + 10, '\0');
    uint32_t n = InsertRenameEntry((unsigned char*)&buffer[0], (uint32_t)c.text.size(), e.data(), (uint32_t)e.size());
    EXPECT_EQ(buffer.substr(0, n), c.want);
  }
}
