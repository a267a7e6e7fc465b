// The Wininit.ini edit on a real file, in a temporary folder that stands in
// for the Windows folder (Wine would accept the delayed deletion instead).
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>

#include "dialog/self_removal.h"

TEST(Wininit, AMissingFileIsCreatedAndOneHeldElsewhereLeftAlone) {
  char temp[MAX_PATH], exe[MAX_PATH], shortPath[MAX_PATH];
  std::string folder = std::string(temp, GetTempPathA(MAX_PATH, temp)) + "sw_windows",
              path = folder + "\\Wininit.ini";
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  ASSERT_GT(GetShortPathNameA(exe, shortPath, MAX_PATH), 0u);
  CreateDirectoryA(folder.c_str(), nullptr), DeleteFileA(path.c_str());
  auto content = [&] {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(WriteWininitEntry(folder.c_str(), exe), 1);
  EXPECT_EQ(content(),
            std::string("[rename]\r\nNUL=") + shortPath + "\r\n");  // the file ends exactly there
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(WriteWininitEntry(folder.c_str(), exe), 0);
  CloseHandle(held);
  EXPECT_EQ(content(), std::string("[rename]\r\nNUL=") + shortPath + "\r\n");  // unchanged
  DeleteFileA(path.c_str()), RemoveDirectoryA(folder.c_str());
}
