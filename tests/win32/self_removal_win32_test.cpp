// The Wininit.ini edit on a real file, with the working folder standing in
// for the Windows folder (Wine would accept the delayed deletion instead).
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>

#include "dialog/self_removal.h"

// A missing file is created with the header and the entry. The second edit
// finds the header, so the room that the mapping added for one is cut off
// again: the file ends right after the second entry.
TEST(Wininit, TheFileEndsWhereTheEditedTextEnds) {
  char exe[MAX_PATH], shortPath[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  ASSERT_GT(GetShortPathNameA(exe, shortPath, MAX_PATH), 0u);
  const std::string entry = std::string("NUL=") + shortPath + "\r\n";
  std::string text = "[rename]\r\n";
  DeleteFileA("Wininit.ini");
  for (int edit = 0; edit < 2; ++edit) {
    ASSERT_EQ(1, WriteWininitEntry(".", exe));
    std::ifstream in("Wininit.ini", std::ios::binary);
    text += entry;
    EXPECT_EQ(text, std::string(std::istreambuf_iterator<char>(in), {})) << edit;
  }
  DeleteFileA("Wininit.ini");
}
