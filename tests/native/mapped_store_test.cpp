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
    EXPECT_EQ(0, FakeStore.lockHolds);
  }
  int Open(uint32_t flags, uint32_t extra, const char* file = "", uint32_t capacity = 0) {
    StoreClose(&s);
    s = MappedStore{};
    s.flags = flags;
    s.extraBytes = extra;
    s.capacity = capacity;
    strcpy(s.fileName, file);
    return StoreOpen(&s);
  }
};

TEST_F(StoreTest, CapacityAndWindowAreNormalised) {
  struct Case {
    uint32_t capacity, window, granularity, wantCapacity, wantWindow;
  } cases[] = {
      {0, 0, K64, 0x40000000, K64},
      {0x40000001, 65537, K64, 0x40000000, 131072},
      {1, 0xFFFFFFFF, K64, K64, K64},  // the window's rounding wraps to 0
      {5000, 5000, 0x1000, 0x2000, 0x2000},
  };
  for (const Case& c : cases) {
    FakeStore.granularity = c.granularity;
    s = MappedStore{};
    s.capacity = c.capacity;
    s.windowSize = c.window;
    s.extraBytes = c.granularity;
    ASSERT_EQ(RC_OK, StoreOpen(&s));
    EXPECT_EQ(c.wantCapacity, s.capacity);
    EXPECT_EQ(c.wantWindow, s.windowSize);
    StoreClose(&s);
  }
}

TEST_F(StoreTest, OpenResults) {
  FakeStore.Put("a.bin", Pattern(1000));
  struct Case {
    uint32_t flags, extra;
    const char* file;
    int want;
    void (*inject)();
  } cases[] = {
      {0, 0, "", RC_NO_ROOM, nullptr},  // a temporary store with nothing to map
      {0, K64, "", RC_FAILED, [] { FakeStore.failTempName = true; }},
      {0, K64, "", RC_FAILED, [] { FakeStore.systemTemp = ""; }},
      {0, K64, "", RC_FAILED, [] { FakeStore.systemTempResult = 300; }},  // no room for it
      {STORE_FILE, 0, "", RC_BAD_ARG, nullptr},
      {STORE_FILE, 0, "missing.bin", RC_FAILED, nullptr},
      {STORE_FILE, 0, "a.bin", RC_NO_ROOM, [] { FakeStore.failSize = true; }},
      {STORE_FILE, 0, "a.bin", RC_NO_ROOM, [] { FakeStore.failMapping = true; }},
      {STORE_FILE, 1, "a.bin", RC_NO_ROOM, nullptr},  // read-only cannot grow the file
      {STORE_FILE | STORE_WRITE, 0xFFFFFC18, "a.bin", RC_NO_ROOM, nullptr},  // sum wraps to 0
      {STORE_FILE | STORE_LOCK, 0, "a.bin", RC_FAILED, [] { FakeStore.failLock = true; }},
      {0, K64, "missing.bin", RC_FAILED, nullptr},  // the initial load fails
  };
  for (const Case& c : cases) {
    if (c.inject) c.inject();
    EXPECT_EQ(c.want, Open(c.flags, c.extra, c.file)) << c.file << " " << c.extra;
    EXPECT_EQ(nullptr, s.mapping);
    FakeStore.failTempName = FakeStore.failSize = FakeStore.failMapping = FakeStore.failLock = false;
    FakeStore.systemTemp = "C:\\TEMP";
    FakeStore.systemTempResult = 0;
  }
  EXPECT_EQ(RC_BAD_ARG, StoreOpen(nullptr));
  EXPECT_EQ(RC_BAD_ARG, StoreClose(nullptr));
}

TEST_F(StoreTest, MapPlacesOneOrTwoWindows) {
  FakeStore.Put("a.bin", Pattern(4 * K64));
  ASSERT_EQ(RC_OK, Open(STORE_FILE | STORE_LOCK, 0, "a.bin"));
  struct Case {
    int32_t offset;
    uint32_t length;
    int32_t start, end;
  } cases[] = {{65530, 10, 0, 2 * K64}, {70000, 10, K64, 2 * K64}, {K64 + 1, K64, K64, 3 * K64}};
  for (const Case& c : cases) {
    uint8_t* p = nullptr;
    StoreUnmap(&s, 0);
    ASSERT_EQ(RC_OK, StoreMap(&s, c.offset, c.length, &p, 0)) << c.offset;
    EXPECT_EQ(c.start, s.windowStart);
    EXPECT_EQ(c.end, s.windowEnd);
    EXPECT_EQ(p, s.current);
    EXPECT_EQ(static_cast<uint8_t>(c.offset * 7 + 1), *p);
    EXPECT_EQ(0, FakeStore.views.back().write);  // read-only file store
    EXPECT_EQ(RC_OK, StoreRelease(&s));
  }
  // Two maps inside one window share one view; after an unmap it is placed anew.
  uint8_t *a, *b;
  StoreMap(&s, K64 + 100, 8, &a, 0);
  StoreMap(&s, K64 + 5000, 8, &b, 0);
  EXPECT_EQ(4900, b - a);
  EXPECT_EQ(3u, FakeStore.views.size());
  StoreRelease(&s);
  StoreRelease(&s);
  EXPECT_EQ(RC_OK, StoreUnmap(&s, 0));
  EXPECT_EQ(RC_FAILED, StoreUnmap(&s, 0));
  EXPECT_EQ(RC_OK, StoreMap(&s, K64 + 100, 8, &a, 0));
  EXPECT_EQ(4u, FakeStore.views.size());
  StoreRelease(&s);
}

TEST_F(StoreTest, MapFailures) {
  FakeStore.Put("a.bin", Pattern(2 * K64));
  ASSERT_EQ(RC_OK, Open(STORE_FILE | STORE_LOCK | STORE_WRITE, 0, "a.bin", 2 * K64));
  uint8_t* p;
  EXPECT_EQ(RC_BAD_ARG, StoreMap(&s, 0, 0, &p, 0));
  EXPECT_EQ(RC_BAD_ARG, StoreMap(&s, 0, K64 + 1, &p, 0));
  EXPECT_TRUE(FakeStore.lockTimeouts.empty());  // the lock is left alone
  EXPECT_EQ(RC_NO_ROOM, StoreMap(&s, K64 + 10, K64, &p, 0));  // would end at 3 x 64K
  EXPECT_EQ(RC_FAILED, StoreMap(&s, -1, 1, &p, 0));  // window below 0: refused
  EXPECT_EQ(nullptr, s.view);
  EXPECT_EQ(0, FakeStore.lockHolds);
  ASSERT_EQ(RC_OK, StoreMap(&s, 0, 1, &p, 0));
  EXPECT_EQ(RC_NO_ROOM, StoreMap(&s, K64 + 10, K64, &p, 0));
  EXPECT_EQ(1, FakeStore.lockHolds);  // the earlier hold stays
  StoreRelease(&s);
  ASSERT_EQ(RC_OK, Open(0, K64));
  EXPECT_EQ(RC_FAILED, StoreRelease(&s));  // no lock
  FakeStore.lockBusy = true;
  ASSERT_EQ(RC_OK, Open(STORE_LOCK, K64));
  EXPECT_EQ(RC_FAILED, StoreMap(&s, 0, 1, &p, 25));
  EXPECT_EQ(25u, FakeStore.lockTimeouts.back());
  FakeStore.lockBusy = false;
}

TEST_F(StoreTest, LoadAndSaveInWindows) {
  FakeStoreBytes data = Pattern(100000);
  FakeStore.Put("in.bin", data);
  ASSERT_EQ(RC_OK, Open(STORE_LOCK, 131072));
  memset(FakeStore.Bytes(s.tempName).data(), 0xEE, 131072);  // stale bytes must go
  ASSERT_EQ(RC_OK, StoreLoad(&s, "in.bin", 0));
  EXPECT_EQ(100000u, s.dataLength);
  EXPECT_EQ(nullptr, s.view);
  EXPECT_EQ(0, s.windowEnd);
  const FakeStoreBytes& backing = FakeStore.Bytes(s.tempName);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), backing.begin()));
  EXPECT_EQ(FakeStoreBytes(31072, 0), FakeStoreBytes(backing.begin() + 100000, backing.end()));
  ASSERT_EQ(2u, FakeStore.views.size());
  EXPECT_EQ(K64, FakeStore.views[1].offset);

  FakeStore.Put("out.bin", Pattern(200000));  // a longer file is cut to size
  ASSERT_EQ(RC_OK, StoreSave(&s, "out.bin", 0));
  EXPECT_EQ(data, FakeStore.Bytes("out.bin"));
  EXPECT_STREQ("out.bin", s.fileName);
  // The open of a temporary store loads fileName with a 100 ms lock wait.
  ASSERT_EQ(RC_OK, Open(STORE_LOCK, 131072, "out.bin"));
  EXPECT_EQ(100000u, s.dataLength);
  EXPECT_EQ(100u, FakeStore.lockTimeouts.back());
}

TEST_F(StoreTest, LoadFailures) {
  FakeStore.Put("in.bin", Pattern(100000));
  FakeStore.Put("huge.bin", Pattern(200000));
  ASSERT_EQ(RC_OK, Open(0, 100000));
  EXPECT_EQ(RC_NO_ROOM, StoreLoad(&s, "huge.bin", 0));
  EXPECT_EQ(0u, s.dataLength);  // only the name changed
  EXPECT_STREQ("huge.bin", s.fileName);
  EXPECT_EQ(RC_FAILED, StoreLoad(&s, "nothere.bin", 0));
  // The second window would pass the mapping's end: loaded only in part.
  EXPECT_EQ(RC_FAILED, StoreLoad(&s, "in.bin", 0));
  EXPECT_EQ(100000u, s.dataLength);
  ASSERT_EQ(RC_OK, Open(0, 131072));
  FakeStore.readsToDo = 1;
  EXPECT_EQ(RC_FAILED, StoreLoad(&s, "in.bin", 0));
  s.fileName[0] = 0;
  EXPECT_EQ(RC_BAD_ARG, StoreLoad(&s, "", 0));
  EXPECT_EQ(RC_BAD_ARG, StoreSave(&s, nullptr, 0));
  FakeStore.Put("a.bin", Pattern(10));
  ASSERT_EQ(RC_OK, Open(STORE_FILE | STORE_WRITE, 0, "a.bin"));
  EXPECT_EQ(RC_BAD_ARG, StoreLoad(&s, "in.bin", 0));
  EXPECT_EQ(RC_BAD_ARG, StoreSave(&s, "b.bin", 0));
}

TEST_F(StoreTest, SaveFailuresLeaveEmptyOrPartialFiles) {
  FakeStore.Put("in.bin", Pattern(100000));
  ASSERT_EQ(RC_OK, Open(STORE_LOCK, 131072));
  EXPECT_EQ(RC_FAILED, StoreSave(&s, "out.bin", 0));  // empty store
  EXPECT_TRUE(FakeStore.Bytes("out.bin").empty());
  ASSERT_EQ(RC_OK, StoreLoad(&s, "in.bin", 0));
  FakeStore.lockBusy = true;
  EXPECT_EQ(RC_FAILED, StoreSave(&s, "out.bin", 0));
  EXPECT_TRUE(FakeStore.Bytes("out.bin").empty());
  FakeStore.lockBusy = false;
  FakeStore.writesToDo = 1;
  EXPECT_EQ(RC_FAILED, StoreSave(&s, "out.bin", 0));
  EXPECT_EQ(size_t(K64), FakeStore.Bytes("out.bin").size());
  s.dataLength = 131073;
  EXPECT_EQ(RC_NO_ROOM, StoreSave(&s, "out.bin", 0));
}

}  // namespace
