// The Wininit.ini edit on a real file, in a temporary folder that stands in
// for the Windows folder (Wine would accept the delayed deletion instead).
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <iterator>
#include <string>
#include "dialog/self_removal.h"

static std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Wininit, EntryUnderTheHeaderAndTheFileEndsExactly) {
  char temp[MAX_PATH], exe[MAX_PATH], shortPath[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "sw_windows", path = folder + "\\Wininit.ini";
  CreateDirectoryA(folder.c_str(), nullptr);
  DeleteFileA(path.c_str());
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  ASSERT_GT(GetShortPathNameA(exe, shortPath, MAX_PATH), 0u);
  const std::string e = std::string("NUL=") + shortPath + "\r\n", boot = "[boot]\r\n[rename]\r\n\r\n";
  struct { std::string before, after; } cases[] = {
      {"<missing>", "[rename]\r\n" + e}, {boot + "C:\\A=C:\\B\r\n", boot + e + "C:\\A=C:\\B\r\n"}};
  for (auto& c : cases) {
    if (c.before != "<missing>") std::ofstream(path, std::ios::binary) << c.before;
    EXPECT_EQ(WriteWininitEntry(folder.c_str(), exe), 1);
    EXPECT_EQ(ReadAll(path), c.after);
  }
  // Open elsewhere without sharing: nothing written.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(WriteWininitEntry(folder.c_str(), exe), 0);
  CloseHandle(held);
  EXPECT_EQ(ReadAll(path), cases[1].after);
  DeleteFileA(path.c_str());
  RemoveDirectoryA(folder.c_str());
}
