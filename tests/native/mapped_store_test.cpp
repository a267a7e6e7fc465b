// The mapped store's rounding, window placement and load/save loops against
// an in-memory file system.
#include <gtest/gtest.h>
#include <string.h>
#include "support/mapped_store.h"
#include "tests/fakes/fake_store.h"

namespace {

const uint32_t K64 = 0x10000;

FakeStoreBytes Pattern(size_t n) {
  FakeStoreBytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 7 + 1);
  return b;
}

class StoreTest : public ::testing::Test {
 protected:
  MappedStore s{};
  void SetUp() override { FakeStore.Reset(); }
  void TearDown() override {
    StoreClose(&s);
    EXPECT_EQ(0, FakeStore.openHandles);
    EXPECT_EQ(0, FakeStore.liveViews);
  }
  // A temporary store with room for `extra` bytes.
  int OpenTemp(uint32_t extra, uint32_t window = K64, uint32_t flags = 0) {
    s.flags = flags;
    s.extraBytes = extra;
    s.windowSize = window;
    return StoreOpen(&s);
  }
  int OpenFileStore(const char* name, uint32_t flags, uint32_t capacity = 0) {
    s.flags = STORE_FILE | flags;
    s.capacity = capacity;
    strcpy(s.fileName, name);
    return StoreOpen(&s);
  }
};

TEST_F(StoreTest, CapacityAndWindowAreNormalised) {
  struct Case {
    uint32_t capacity, window, granularity, wantCapacity, wantWindow;
  } cases[] = {
      {0, 0, K64, 0x40000000, K64},
      {0x40000001, 65537, K64, 0x40000000, 131072},
      {1, 1, K64, K64, K64},
      {0x3FFFFFFF, 0xFFFFFFFF, K64, 0x40000000, K64},  // window rounding wraps to 0
      {5000, 5000, 0x1000, 0x2000, 0x2000},
  };
  for (const Case& c : cases) {
    FakeStore.Reset();
    FakeStore.granularity = c.granularity;
    s = MappedStore{};
    s.capacity = c.capacity;
    s.windowSize = c.window;
    s.extraBytes = c.granularity;
    ASSERT_EQ(RC_OK, StoreOpen(&s));
    EXPECT_EQ(c.wantCapacity, s.capacity) << c.capacity;
    EXPECT_EQ(c.wantWindow, s.windowSize) << c.window;
    StoreClose(&s);
  }
  EXPECT_EQ(0x1000u, StoreGeometry.granularity);
  EXPECT_EQ(0xFFFFF000u, StoreGeometry.granularityFloor);
}

TEST_F(StoreTest, GeometryAndReservation) {
  FakeStore.pageSize = 0x2000;
  void* base = reinterpret_cast<void*>(1);
  EXPECT_EQ(RC_BAD_ARG, ReserveAddressSpace(nullptr, 10));
  EXPECT_EQ(RC_BAD_ARG, ReserveAddressSpace(&base, 0));
  EXPECT_EQ(RC_OK, ReserveAddressSpace(&base, 0x2001));
  EXPECT_EQ(0x4000u, FakeStore.reserved.back());
  EXPECT_EQ(0x1FFFu, StoreGeometry.pageMask);
  FakeStore.failReserve = true;
  EXPECT_EQ(RC_FAILED, ReserveAddressSpace(&base, 1));
  EXPECT_EQ(nullptr, base);
}

TEST_F(StoreTest, TemporaryStoreOpenAndClose) {
  EXPECT_EQ(RC_NO_ROOM, OpenTemp(0));  // nothing to map
  std::string first = s.tempName;
  EXPECT_EQ(0, first.rfind("C:\\TEMP\\odc", 0));
  EXPECT_EQ(STORE_NO_FILE, s.file);
  StoreClose(&s);
  EXPECT_FALSE(FakeStore.Exists(first));

  ASSERT_EQ(RC_OK, OpenTemp(1048576));
  EXPECT_EQ(0u, s.dataLength);
  EXPECT_EQ(1048576u, s.mappingSize);
  EXPECT_EQ(first, s.tempName);  // a kept name is used again
  EXPECT_EQ(1048576u, FakeStore.Bytes(first).size());
  EXPECT_EQ(RC_BAD_ARG, StoreOpen(&s));  // already open
  StoreClose(&s);
  EXPECT_FALSE(FakeStore.Exists(first));
  EXPECT_EQ(first, s.tempName);
}

TEST_F(StoreTest, TemporaryFolderChoice) {
  s.tempFolder = "D:\\work";
  ASSERT_EQ(RC_OK, OpenTemp(K64));
  EXPECT_EQ(0, std::string(s.tempName).rfind("D:\\work\\odc", 0));
  StoreClose(&s);
  for (int variant = 0; variant < 3; ++variant) {
    s = MappedStore{};
    FakeStore.failTempName = variant == 0;
    FakeStore.systemTemp = variant == 1 ? "" : "C:\\TEMP";
    FakeStore.systemTempResult = variant == 2 ? 300 : 0;  // folder needs a bigger buffer
    EXPECT_EQ(RC_FAILED, OpenTemp(K64)) << variant;
    EXPECT_EQ('\0', s.tempName[0]);
  }
}

TEST_F(StoreTest, FileStoreOpenFailures) {
  EXPECT_EQ(RC_BAD_ARG, OpenFileStore("", 0));
  EXPECT_EQ(RC_FAILED, OpenFileStore("missing.bin", 0));
  FakeStore.Put("a.bin", Pattern(1000));
  FakeStore.failSize = true;
  EXPECT_EQ(RC_NO_ROOM, OpenFileStore("a.bin", 0));
  FakeStore.failSize = false;
  FakeStore.Put("big.bin", Pattern(K64 + 1));
  EXPECT_EQ(RC_NO_ROOM, OpenFileStore("big.bin", 0, K64));
  FakeStore.failMapping = true;
  EXPECT_EQ(RC_NO_ROOM, OpenFileStore("a.bin", 0));
  FakeStore.failMapping = false;
  FakeStore.failLock = true;
  EXPECT_EQ(RC_FAILED, OpenFileStore("a.bin", STORE_LOCK));
  EXPECT_EQ(nullptr, s.mapping);
  EXPECT_EQ(0, FakeStore.openHandles);
  EXPECT_EQ(RC_BAD_ARG, StoreOpen(nullptr));
  EXPECT_EQ(RC_BAD_ARG, StoreClose(nullptr));
}

TEST_F(StoreTest, HugeExtraBytesDoNotWrapPastCapacity) {
  FakeStore.Put("a.bin", Pattern(K64));
  s.extraBytes = 0xFFFF0000;  // file size + extra wraps to 0 in 32 bits
  EXPECT_EQ(RC_NO_ROOM, OpenFileStore("a.bin", STORE_WRITE));
  EXPECT_TRUE(FakeStore.mappingSizes.empty());
}

TEST_F(StoreTest, MapPlacesOneOrTwoWindows) {
  FakeStore.Put("a.bin", Pattern(4 * K64));
  ASSERT_EQ(RC_OK, OpenFileStore("a.bin", STORE_LOCK));
  struct Case {
    int32_t offset;
    uint32_t length;
    int32_t start, end;
  } cases[] = {{65530, 10, 0, 2 * K64}, {70000, 10, K64, 2 * K64}, {K64, K64, K64, 2 * K64},
               {K64 + 1, K64, K64, 3 * K64}};
  for (const Case& c : cases) {
    uint8_t* p = nullptr;
    StoreUnmap(&s, 0);
    ASSERT_EQ(RC_OK, StoreMap(&s, c.offset, c.length, &p, 0)) << c.offset;
    EXPECT_EQ(c.start, s.windowStart);
    EXPECT_EQ(c.end, s.windowEnd);
    EXPECT_EQ(p, s.current);
    EXPECT_EQ(p, s.view + (c.offset - c.start));
    EXPECT_EQ(static_cast<uint8_t>(c.offset * 7 + 1), *p);
    EXPECT_EQ(0, FakeStore.views.back().write);  // read-only file store
    EXPECT_EQ(1, FakeStore.lockHolds);
    EXPECT_EQ(RC_OK, StoreRelease(&s));
  }
  EXPECT_EQ(0, FakeStore.lockHolds);
}

TEST_F(StoreTest, MapsInsideOneWindowShareTheView) {
  FakeStore.Put("a.bin", Pattern(2 * K64));
  ASSERT_EQ(RC_OK, OpenFileStore("a.bin", STORE_WRITE));
  uint8_t *a, *b;
  ASSERT_EQ(RC_OK, StoreMap(&s, 100, 8, &a, 0));
  ASSERT_EQ(RC_OK, StoreMap(&s, 5000, 8, &b, 0));
  EXPECT_EQ(4900, b - a);
  EXPECT_EQ(1u, FakeStore.views.size());
  EXPECT_EQ(1, FakeStore.views[0].write);
  EXPECT_EQ(RC_FAILED, StoreRelease(&s));  // no lock
  // Map, unmap, map again: a fresh window.
  EXPECT_EQ(RC_OK, StoreUnmap(&s, 0));
  EXPECT_EQ(nullptr, s.view);
  EXPECT_EQ(RC_FAILED, StoreUnmap(&s, 0));
  ASSERT_EQ(RC_OK, StoreMap(&s, 100, 8, &a, 0));
  EXPECT_EQ(2u, FakeStore.views.size());
  EXPECT_EQ(1, FakeStore.liveViews);
}

TEST_F(StoreTest, MapFailures) {
  FakeStore.Put("a.bin", Pattern(2 * K64));
  ASSERT_EQ(RC_OK, OpenFileStore("a.bin", STORE_LOCK | STORE_WRITE, 2 * K64));
  uint8_t* p = reinterpret_cast<uint8_t*>(1);
  EXPECT_EQ(RC_BAD_ARG, StoreMap(&s, 0, 0, &p, 0));
  EXPECT_EQ(RC_BAD_ARG, StoreMap(&s, 0, K64 + 1, &p, 0));
  EXPECT_EQ(RC_BAD_ARG, StoreMap(nullptr, 0, 1, &p, 0));
  EXPECT_TRUE(FakeStore.lockTimeouts.empty());  // lock left alone
  EXPECT_EQ(RC_NO_ROOM, StoreMap(&s, K64 + 10, K64, &p, 0));  // would end at 3 x 64K
  EXPECT_EQ(0, FakeStore.lockHolds);
  EXPECT_EQ(RC_FAILED, StoreMap(&s, -1, 1, &p, 0));  // window below 0: refused
  EXPECT_EQ(nullptr, s.view);
  EXPECT_EQ(0, FakeStore.lockHolds);
  // A hold the thread had before stays after a failed map.
  ASSERT_EQ(RC_OK, StoreMap(&s, 0, 1, &p, 0));
  EXPECT_EQ(RC_NO_ROOM, StoreMap(&s, K64 + 10, K64, &p, 0));
  EXPECT_EQ(1, FakeStore.lockHolds);
  StoreRelease(&s);
  FakeStore.lockBusy = true;
  EXPECT_EQ(RC_FAILED, StoreMap(&s, 0, 1, &p, 25));
  EXPECT_EQ(25u, FakeStore.lockTimeouts.back());
  EXPECT_EQ(RC_FAILED, StoreUnmap(&s, 0));  // no view
  FakeStore.lockBusy = false;
}

TEST_F(StoreTest, LoadAndSaveInWindows) {
  FakeStoreBytes data = Pattern(100000);
  FakeStore.Put("in.bin", data);
  ASSERT_EQ(RC_OK, OpenTemp(131072, K64, STORE_LOCK));
  memset(FakeStore.Bytes(s.tempName).data(), 0xEE, 131072);  // stale bytes must go
  ASSERT_EQ(RC_OK, StoreLoad(&s, "in.bin", 0));
  EXPECT_EQ(100000u, s.dataLength);
  EXPECT_EQ(nullptr, s.view);
  EXPECT_EQ(0, s.windowStart);
  EXPECT_EQ(0, s.windowEnd);
  EXPECT_EQ(0, FakeStore.lockHolds);
  EXPECT_STREQ("in.bin", s.fileName);
  const FakeStoreBytes& backing = FakeStore.Bytes(s.tempName);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), backing.begin()));
  EXPECT_TRUE(std::all_of(backing.begin() + 100000, backing.begin() + 131072,
                          [](uint8_t b) { return b == 0; }));
  ASSERT_EQ(2u, FakeStore.views.size());
  EXPECT_EQ(K64, FakeStore.views[1].offset);

  ASSERT_EQ(RC_OK, StoreSave(&s, "out.bin", 0));
  EXPECT_EQ(data, FakeStore.Bytes("out.bin"));
  EXPECT_STREQ("out.bin", s.fileName);
  FakeStore.Put("out.bin", Pattern(200000));  // a longer file is cut to size
  ASSERT_EQ(RC_OK, StoreSave(&s, nullptr, 0));
  EXPECT_EQ(data, FakeStore.Bytes("out.bin"));
}

TEST_F(StoreTest, OpenLoadsNamedFileIntoTemporaryStore) {
  FakeStore.Put("in.bin", Pattern(5000));
  strcpy(s.fileName, "in.bin");
  ASSERT_EQ(RC_OK, OpenTemp(K64, K64, STORE_LOCK));
  EXPECT_EQ(5000u, s.dataLength);
  EXPECT_EQ(100u, FakeStore.lockTimeouts.back());
  StoreClose(&s);
  s = MappedStore{};
  strcpy(s.fileName, "missing.bin");
  EXPECT_EQ(RC_FAILED, OpenTemp(K64));
  EXPECT_EQ(nullptr, s.mapping);
}

TEST_F(StoreTest, LoadFailures) {
  FakeStore.Put("in.bin", Pattern(100000));
  FakeStore.Put("huge.bin", Pattern(200000));
  ASSERT_EQ(RC_OK, OpenTemp(100000));
  EXPECT_EQ(RC_NO_ROOM, StoreLoad(&s, "huge.bin", 0));
  EXPECT_EQ(0u, s.dataLength);  // only the name changed
  EXPECT_STREQ("huge.bin", s.fileName);
  EXPECT_EQ(RC_FAILED, StoreLoad(&s, "nothere.bin", 0));
  // The second window would pass the mapping's end: loaded only in part.
  EXPECT_EQ(RC_FAILED, StoreLoad(&s, "in.bin", 0));
  EXPECT_EQ(100000u, s.dataLength);
  EXPECT_EQ(nullptr, s.view);
  StoreClose(&s);

  s = MappedStore{};
  ASSERT_EQ(RC_OK, OpenTemp(131072));
  FakeStore.readsToDo = 1;
  EXPECT_EQ(RC_FAILED, StoreLoad(&s, "in.bin", 0));
  EXPECT_EQ(0, FakeStore.liveViews);
  FakeStore.readsToDo = 1 << 30;
  FakeStore.Put("empty.bin", {});
  EXPECT_EQ(RC_OK, StoreLoad(&s, "empty.bin", 0));
  EXPECT_EQ(0u, s.dataLength);
  s.fileName[0] = 0;
  EXPECT_EQ(RC_BAD_ARG, StoreLoad(&s, "", 0));
  EXPECT_EQ(RC_BAD_ARG, StoreSave(&s, nullptr, 0));
  EXPECT_EQ(RC_BAD_ARG, StoreLoad(nullptr, "x", 0));
}

TEST_F(StoreTest, SaveFailuresLeaveEmptyOrPartialFiles) {
  FakeStore.Put("in.bin", Pattern(100000));
  ASSERT_EQ(RC_OK, OpenTemp(131072, K64, STORE_LOCK));
  EXPECT_EQ(RC_FAILED, StoreSave(&s, "out.bin", 0));  // empty store
  EXPECT_TRUE(FakeStore.Bytes("out.bin").empty());
  ASSERT_EQ(RC_OK, StoreLoad(&s, "in.bin", 0));
  FakeStore.lockBusy = true;
  EXPECT_EQ(RC_FAILED, StoreSave(&s, "out.bin", 0));
  EXPECT_TRUE(FakeStore.Bytes("out.bin").empty());
  FakeStore.lockBusy = false;
  FakeStore.writesToDo = 1;
  EXPECT_EQ(RC_FAILED, StoreSave(&s, "out.bin", 0));
  EXPECT_EQ(static_cast<size_t>(K64), FakeStore.Bytes("out.bin").size());
  EXPECT_EQ(0, FakeStore.lockHolds);
  s.dataLength = 131073;
  EXPECT_EQ(RC_NO_ROOM, StoreSave(&s, "out.bin", 0));
  s.dataLength = 0;
}

TEST_F(StoreTest, FileStoreRefusesLoadAndSave) {
  FakeStore.Put("a.bin", Pattern(10));
  ASSERT_EQ(RC_OK, OpenFileStore("a.bin", STORE_WRITE));
  EXPECT_EQ(RC_BAD_ARG, StoreLoad(&s, "a.bin", 0));
  EXPECT_EQ(RC_BAD_ARG, StoreSave(&s, "b.bin", 0));
  StoreClose(&s);
  EXPECT_TRUE(FakeStore.Exists("a.bin"));  // a file store's file stays
}

}  // namespace
