// The store on real files, mappings, views and a mutex.
#include <windows.h>
#include <gtest/gtest.h>
#include <string.h>
#include "support/mapped_store.h"
#include "tests/win32/handle_probe.h"

namespace {

DWORD SizeOf(const char* name) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  return GetFileAttributesExA(name, GetFileExInfoStandard, &d) ? d.nFileSizeLow : 0xFFFFFFFF;
}

TEST(StoreWin32, FileStoreAsSmallAsItsFileMapsInPlace) {
  MappedStore s = {STORE_FILE | STORE_WRITE};
  GetTempFileNameA(".", "sw", 0, s.fileName);
  HANDLE f = CreateFileA(s.fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  SetFilePointer(f, 640, nullptr, FILE_BEGIN);
  SetEndOfFile(f);
  CloseHandle(f);
  uint8_t* p = nullptr;
  ASSERT_EQ(RC_OK, StoreOpen(&s));
  ASSERT_EQ(RC_OK, StoreMap(&s, 600, 40, &p, 0));
  p[39] = 7;
  StoreClose(&s);
  s.flags = STORE_FILE;  // read-only now
  ASSERT_EQ(RC_OK, StoreOpen(&s));
  ASSERT_EQ(RC_OK, StoreMap(&s, 639, 1, &p, 0));
  EXPECT_EQ(7, *p);
  EXPECT_EQ(RC_FAILED, StoreMap(&s, 639, 2, &p, 0));  // past the file's end
  StoreClose(&s);
  EXPECT_EQ(640u, SizeOf(s.fileName));
  DeleteFileA(s.fileName);
}

TEST(StoreWin32, TemporaryStoreLivesInAnOdcFileAsLongAsItsMapping) {
  MappedStore s = {0, 0, 1048576};
  ASSERT_EQ(RC_OK, StoreOpen(&s));
  EXPECT_EQ(1048576u, SizeOf(s.tempName));
  EXPECT_EQ(0, strncmp(strrchr(s.tempName, '\\') + 1, "odc", 3)) << s.tempName;
  EXPECT_EQ(65536u, StoreGeometry.granularity);
  StoreClose(&s);
  EXPECT_EQ(0xFFFFFFFF, SizeOf(s.tempName));  // deleted, the name kept
  s.tempFolder = "C:\\no such folder";
  s.tempName[0] = 0;
  EXPECT_EQ(RC_FAILED, StoreOpen(&s));  // no temporary file can be made there
  void* base = nullptr;
  MEMORY_BASIC_INFORMATION mbi = {};
  ASSERT_EQ(RC_OK, ReserveAddressSpace(&base, 100));
  VirtualQuery(base, &mbi, sizeof mbi);
  EXPECT_EQ(DWORD(MEM_RESERVE), mbi.State);
  EXPECT_EQ(4096u, mbi.RegionSize);
  VirtualFree(base, 0, MEM_RELEASE);
}

DWORD WINAPI MapAndEnd(LPVOID store) {  // ends holding what it took
  return StoreMap(static_cast<MappedStore*>(store), 0, 1, nullptr, 200);
}

DWORD MapOnOtherThread(MappedStore* s) {
  DWORD rc = 99;
  HANDLE t = CreateThread(nullptr, 0, MapAndEnd, s, 0, nullptr);
  WaitForSingleObject(t, 5000);
  GetExitCodeThread(t, &rc);
  CloseHandle(t);
  return rc;
}

TEST(StoreWin32, LockIsOwnedByAThreadAndTakenWhenAbandoned) {
  MappedStore s = {STORE_LOCK, 0, 65536};
  ASSERT_EQ(RC_OK, StoreOpen(&s));
  ASSERT_EQ(RC_OK, StoreMap(&s, 0, 1, nullptr, 0));
  EXPECT_EQ(DWORD(RC_FAILED), MapOnOtherThread(&s));  // waits 200 ms in vain
  StoreRelease(&s);
  EXPECT_EQ(DWORD(RC_OK), MapOnOtherThread(&s));
  EXPECT_EQ(RC_OK, StoreMap(&s, 0, 1, nullptr, 0));  // its last owner ended holding it
  StoreRelease(&s);
  std::string before = HandleFootprint();
  for (int i = 0; i < 100; ++i) {
    MappedStore x = {STORE_LOCK, 0, 65536};
    ASSERT_EQ(RC_OK, StoreOpen(&x));
    ASSERT_EQ(RC_OK, StoreMap(&x, 0, 16, nullptr, 0));
    StoreClose(&x);
  }
  EXPECT_EQ(before, HandleFootprint());
  StoreClose(&s);
}

}  // namespace
