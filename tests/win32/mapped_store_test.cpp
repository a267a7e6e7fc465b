// The store on real files, mappings, views and a mutex.
#include <windows.h>
#include <gtest/gtest.h>
#include <string.h>
#include "support/mapped_store.h"
#include "tests/win32/handle_probe.h"

static DWORD SizeOf(const char* name) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  return GetFileAttributesExA(name, GetFileExInfoStandard, &d) ? d.nFileSizeLow : 0xFFFFFFFF;
}

// A mapping of 640 bytes: views end with it, well inside the first window.
TEST(StoreWin32, TemporaryStoreIsAnOdcFileAsLongAsItsMappingUntilClosed) {
  std::string before = HandleFootprint();
  for (int i = 0; i < 100; ++i) {
    MappedStore s = {STORE_LOCK, 0, 640};
    uint8_t* p = nullptr;
    ASSERT_EQ(RC_OK, StoreOpen(&s));
    ASSERT_EQ(RC_OK, StoreMap(&s, 600, 40, &p, 0));
    p[39] = 7;
    EXPECT_EQ(RC_FAILED, StoreMap(&s, 600, 41, &p, 0));  // past the mapping
    EXPECT_EQ(640u, SizeOf(s.tempName));
    EXPECT_EQ(0, strncmp(strrchr(s.tempName, '\\') + 1, "odc", 3)) << s.tempName;
    StoreRelease(&s);
    StoreClose(&s);
    ASSERT_EQ(0xFFFFFFFF, SizeOf(s.tempName));  // gone
  }
  EXPECT_EQ(before, HandleFootprint());
  void* base = nullptr;
  ASSERT_EQ(RC_OK, ReserveAddressSpace(&base, 100));
  EXPECT_TRUE(VirtualFree(base, 0, MEM_RELEASE));
}

static DWORD WINAPI MapAndEnd(LPVOID store) {  // ends holding what it took
  return StoreMap(static_cast<MappedStore*>(store), 0, 1, nullptr, 200);
}

TEST(StoreWin32, LockIsOwnedByAThreadAndTakenOverWhenAbandoned) {
  MappedStore s = {STORE_LOCK, 0, 65536};
  ASSERT_EQ(RC_OK, StoreOpen(&s));
  ASSERT_EQ(RC_OK, StoreMap(&s, 0, 1, nullptr, 0));
  for (int rc : {RC_FAILED, RC_OK}) {  // held here, it waits in vain; then it gets it
    HANDLE t = CreateThread(nullptr, 0, MapAndEnd, &s, 0, nullptr);
    DWORD got = 99;
    WaitForSingleObject(t, 5000);
    EXPECT_TRUE(GetExitCodeThread(t, &got) && got == DWORD(rc));
    CloseHandle(t);
    if (rc == RC_FAILED) StoreRelease(&s);
  }
  EXPECT_EQ(RC_OK, StoreMap(&s, 0, 1, nullptr, 0));  // its last owner ended holding it
  StoreClose(&s);
}
