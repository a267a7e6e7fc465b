// The mapped store with real files, mappings and a mutex, under Wine.
#include <windows.h>
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>
#include "support/mapped_store.h"
#include "tests/win32/handle_probe.h"

namespace {

const uint32_t K64 = 0x10000;

std::string TempPath(const char* leaf) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  return std::string(dir) + "sw_store_" + leaf;
}

void WriteBytes(const std::string& name, const std::vector<uint8_t>& b) {
  HANDLE f = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  if (!b.empty()) WriteFile(f, b.data(), static_cast<DWORD>(b.size()), &n, nullptr);
  CloseHandle(f);
}

std::vector<uint8_t> ReadBytes(const std::string& name) {
  std::vector<uint8_t> b;
  HANDLE f = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return b;
  b.resize(GetFileSize(f, nullptr));
  DWORD n = 0;
  if (!b.empty()) ReadFile(f, b.data(), static_cast<DWORD>(b.size()), &n, nullptr);
  CloseHandle(f);
  return b;
}

std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 13 + 5);
  return b;
}

bool Exists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

DWORD SizeOf(const char* name) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  return GetFileAttributesExA(name, GetFileExInfoStandard, &d) ? d.nFileSizeLow : 0xFFFFFFFF;
}

class StoreWin32Test : public ::testing::Test {
 protected:
  MappedStore s = {};
  void TearDown() override { StoreClose(&s); }
};

TEST_F(StoreWin32Test, TemporaryStoreLifecycle) {
  s.flags = STORE_LOCK;
  s.extraBytes = 1048576;
  ASSERT_EQ(RC_OK, StoreOpen(&s));
  EXPECT_EQ(0u, s.dataLength);
  EXPECT_EQ(1048576u, s.mappingSize);
  const char* leaf = strrchr(s.tempName, '\\');
  ASSERT_NE(nullptr, leaf);
  EXPECT_EQ(0, strncmp(leaf + 1, "odc", 3)) << s.tempName;
  EXPECT_EQ(1048576u, SizeOf(s.tempName));
  EXPECT_EQ(RC_BAD_ARG, StoreOpen(&s));  // already open
  EXPECT_EQ(K64, StoreGeometry.granularity);

  uint8_t* p = nullptr;
  ASSERT_EQ(RC_OK, StoreMap(&s, 70000, 10, &p, 100));
  memcpy(p, "record", 6);
  EXPECT_EQ(RC_OK, StoreRelease(&s));
  EXPECT_EQ(RC_OK, StoreUnmap(&s, 100));
  uint8_t* q = nullptr;
  ASSERT_EQ(RC_OK, StoreMap(&s, 70000, 10, &q, 100));  // placed and mapped afresh
  EXPECT_EQ(0, memcmp(q, "record", 6));
  uint8_t* r = nullptr;
  ASSERT_EQ(RC_OK, StoreMap(&s, 70100, 10, &r, 100));  // same window, held twice
  EXPECT_EQ(100, r - q);
  StoreRelease(&s);
  StoreRelease(&s);
  EXPECT_EQ(RC_FAILED, StoreMap(&s, 1048576, 1, &p, 100));  // the view is refused

  std::string kept = s.tempName;
  EXPECT_EQ(RC_OK, StoreClose(&s));
  EXPECT_FALSE(Exists(kept.c_str()));
  EXPECT_EQ(kept, s.tempName);
  ASSERT_EQ(RC_OK, StoreOpen(&s));  // the same name again
  EXPECT_TRUE(Exists(kept.c_str()));
}

TEST_F(StoreWin32Test, LoadAndSaveRealFiles) {
  std::string in = TempPath("in.bin"), out = TempPath("out.bin");
  std::vector<uint8_t> data = Pattern(100000);
  WriteBytes(in, data);
  s.extraBytes = 131072;
  lstrcpynA(s.fileName, in.c_str(), sizeof s.fileName);
  ASSERT_EQ(RC_OK, StoreOpen(&s));  // loads fileName
  EXPECT_EQ(100000u, s.dataLength);
  WriteBytes(out, Pattern(200000));  // a longer file is cut to size
  ASSERT_EQ(RC_OK, StoreSave(&s, out.c_str(), 0));
  EXPECT_EQ(data, ReadBytes(out));
  DeleteFileA(in.c_str());
  DeleteFileA(out.c_str());
}

TEST_F(StoreWin32Test, FileStoreMapsInPlace) {
  std::string name = TempPath("file.bin");
  WriteBytes(name, Pattern(2 * K64));
  s.flags = STORE_FILE | STORE_WRITE;
  lstrcpynA(s.fileName, name.c_str(), sizeof s.fileName);
  ASSERT_EQ(RC_OK, StoreOpen(&s));
  uint8_t* p = nullptr;
  ASSERT_EQ(RC_OK, StoreMap(&s, K64 + 3, 4, &p, 0));
  EXPECT_EQ(static_cast<uint8_t>((K64 + 3) * 13 + 5), *p);
  *p = 0xAB;
  StoreClose(&s);
  EXPECT_EQ(0xAB, ReadBytes(name)[K64 + 3]);
  EXPECT_TRUE(Exists(name.c_str()));
  DeleteFileA(name.c_str());
}

struct Contender {
  MappedStore* store;
  uint32_t timeout;
  int result;
  DWORD gotAt;
};

DWORD WINAPI MapFromOtherThread(LPVOID arg) {
  Contender* c = static_cast<Contender*>(arg);
  c->result = StoreMap(c->store, 10, 10, nullptr, c->timeout);
  c->gotAt = GetTickCount();
  if (c->result == RC_OK) StoreRelease(c->store);
  return 0;
}

int MapOnThread(Contender* c) {
  HANDLE t = CreateThread(nullptr, 0, MapFromOtherThread, c, 0, nullptr);
  return t ? (WaitForSingleObject(t, 10000), CloseHandle(t), 1) : 0;
}

TEST_F(StoreWin32Test, LockMakesThreadsWaitForEachOther) {
  s.flags = STORE_LOCK;
  s.extraBytes = 2 * K64;
  ASSERT_EQ(RC_OK, StoreOpen(&s));
  ASSERT_EQ(RC_OK, StoreMap(&s, 0, 10, nullptr, 0));
  Contender quick = {&s, 100, -1, 0};
  ASSERT_TRUE(MapOnThread(&quick));
  EXPECT_EQ(RC_FAILED, quick.result);

  // A patient thread gets the lock once this one lets go.
  Contender patient = {&s, 10000, -1, 0};
  HANDLE t = CreateThread(nullptr, 0, MapFromOtherThread, &patient, 0, nullptr);
  ASSERT_NE(nullptr, t);
  Sleep(300);
  EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(t, 0));
  DWORD releasedAt = GetTickCount();
  StoreRelease(&s);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(t, 5000));
  CloseHandle(t);
  EXPECT_EQ(RC_OK, patient.result);
  EXPECT_GE(patient.gotAt, releasedAt);
  // Unmap needs the lock too, which is free again.
  EXPECT_EQ(RC_OK, StoreUnmap(&s, 100));
}

TEST_F(StoreWin32Test, OpenCloseCyclesLeakNoHandles) {
  auto cycle = [](uint32_t flags) {
    MappedStore x = {};
    x.flags = flags;
    x.extraBytes = K64;
    if (StoreOpen(&x) != RC_OK) return false;
    bool ok = StoreMap(&x, 0, 16, nullptr, 0) == RC_OK;
    if (flags & STORE_LOCK) StoreRelease(&x);
    StoreClose(&x);
    return ok && !Exists(x.tempName);
  };
  ASSERT_TRUE(cycle(STORE_LOCK));
  std::string before = HandleFootprint();
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(cycle(i & 1 ? STORE_LOCK : 0)) << i;
  EXPECT_EQ(before, HandleFootprint());
}

TEST(MemoryWin32, ReserveAddressSpace) {
  void* base = nullptr;
  ASSERT_EQ(RC_OK, ReserveAddressSpace(&base, 100));
  MEMORY_BASIC_INFORMATION mbi;
  ASSERT_NE(0u, VirtualQuery(base, &mbi, sizeof mbi));
  EXPECT_EQ(static_cast<DWORD>(MEM_RESERVE), mbi.State);
  VirtualFree(base, 0, MEM_RELEASE);
  EXPECT_EQ(RC_BAD_ARG, ReserveAddressSpace(&base, 0));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
