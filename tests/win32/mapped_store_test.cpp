// The store on real files, mappings, views and a mutex.
#include <windows.h>
#include <gtest/gtest.h>
#include <string.h>
#include <fstream>
#include <iterator>
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

// Load and save move a window at a time through a mapping that ends after a
// window or inside one; a load clears what it does not fill; a save cuts a longer file.
TEST(StoreWin32, LoadAndSaveCopyWholeFiles) {
  char in[MAX_PATH], out[MAX_PATH];
  GetTempPathA(MAX_PATH, in);
  lstrcatA(lstrcpyA(out, in), "sw_out.bin"), lstrcatA(in, "sw_in.bin");
  std::string data(100000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = char(i * 7 + 1);
  for (uint32_t extra : {0x20000u, 100000u}) {
    std::ofstream(in, std::ios::binary) << data;
    std::ofstream(out, std::ios::binary) << std::string(200000, 'o');
    MappedStore s = {0, 0, extra};
    uint8_t* p = nullptr;
    ASSERT_EQ(RC_OK, StoreOpen(&s));
    ASSERT_EQ(RC_OK, StoreMap(&s, extra - 1, 1, &p, 0));
    *p = 0xEE;  // a stale byte where the load writes nothing
    StoreRelease(&s);
    ASSERT_EQ(RC_OK, StoreLoad(&s, in, 0));
    ASSERT_EQ(RC_OK, StoreMap(&s, extra - 1, 1, &p, 0));
    EXPECT_EQ(extra == 100000 ? uint8_t(data.back()) : 0, *p);
    StoreRelease(&s);
    ASSERT_EQ(RC_OK, StoreSave(&s, out, 0));
    std::ifstream saved(out, std::ios::binary);
    EXPECT_TRUE(s.dataLength == 100000 && std::string(std::istreambuf_iterator<char>(saved), {}) == data);
    saved.close(), StoreClose(&s);
  }
  DeleteFileA(in), DeleteFileA(out);
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
