// The store's rounding, window placement and load and save loops over files
// in memory. File stores are exactly as long as their files.
#include <gtest/gtest.h>
#include <string.h>
#include "tests/fakes/fake_store.h"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // records given in part

namespace {

const uint32_t K64 = 0x10000;

std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> b(n);
  for (size_t i = 0; i < n; ++i) b[i] = uint8_t(i * 7 + 1);
  return b;
}

// Opens s afresh: with `file` bytes in "a.bin", a file store (STORE_FILE in
// flags) or a temporary store that loads it (STORE_WRITE in flags).
int Open(MappedStore& s, uint32_t flags, size_t file, uint32_t extra, uint32_t capacity = 0,
         uint32_t window = 0) {
  StoreClose(&s);
  s = MappedStore{flags, capacity, extra, window};
  if (flags & (STORE_FILE | STORE_WRITE)) strcpy(s.fileName, "a.bin");
  if (file) fakeStore.files["a.bin"] = Pattern(file);
  return StoreOpen(&s);
}

TEST(Store, OpenNormalisesAndRefuses) {
  fakeStore = FakeStoreOs{};
  MappedStore s{};
  const uint32_t F = STORE_FILE, W = STORE_WRITE;
  struct {
    uint32_t flags;
    size_t file;
    uint32_t extra, capacity, window;
    int rc;
    uint32_t wantCapacity, wantWindow, wantMapping;
  } rows[] = {
      {0, 0, K64, 0, 0, RC_OK, 0x40000000, K64, K64},
      {0, 0, K64, 0x40000001, 65537, RC_OK, 0x40000000, 2 * K64, K64},
      {0, 0, K64, 1, 0xFFFFFFFF, RC_OK, K64, K64, K64},  // the window's rounding wraps to 0
      {0, 0, 0, 0, 0, RC_NO_ROOM, 0, 0, 0},              // nothing to map
      {F, 640, 1, 0, 0, RC_NO_ROOM, 0, 0, 0},            // read-only cannot grow the file
      {F | W, 1000, 0xFFFFFC18, 0, 0, RC_NO_ROOM, 0, 0, 0},  // the sum wraps to 0
      {W, 200000, K64, 0, 0, RC_NO_ROOM, 0, 0, 0},       // the first load does not fit
      {F, 640, 0, 0, 0, RC_OK, 0x40000000, K64, 640},
  };
  for (auto& r : rows) {
    EXPECT_EQ(r.rc, Open(s, r.flags, r.file, r.extra, r.capacity, r.window)) << r.file;
    EXPECT_EQ(r.rc == RC_OK, s.mapping != nullptr);
    if (r.rc) continue;
    EXPECT_EQ(r.wantCapacity, s.capacity);
    EXPECT_EQ(r.wantWindow, s.windowSize);
    EXPECT_EQ(r.wantMapping, s.mappingSize);
  }
  EXPECT_EQ(RC_BAD_ARG, StoreOpen(&s));  // already open
  fakeStore.files.clear();
  EXPECT_EQ(RC_FAILED, Open(s, STORE_FILE, 0, 0));  // no such file
  s.fileName[0] = 0;
  EXPECT_EQ(RC_BAD_ARG, StoreOpen(&s));
}

TEST(Store, MapPlacesWindowsWithinTheMapping) {
  fakeStore = FakeStoreOs{};
  MappedStore s{};
  uint8_t stale = 0, *p;
  struct {
    size_t file;
    uint32_t capacity;
    int32_t offset;
    uint32_t length;
    int rc;
    int32_t start, end;
  } rows[] = {
      {4 * K64, 0, 65530, 10, RC_OK, 0, 2 * K64},  // the range crosses: two windows
      {4 * K64, 0, 70000, 10, RC_OK, K64, 2 * K64},
      {640, 0, 600, 40, RC_OK, 0, 640},            // smaller than one window
      {100000, 0, 99990, 10, RC_OK, K64, 100000},  // the last window, in part
      {640, 0, 600, 41, RC_FAILED, 0, 0},          // past the mapping's end
      {2 * K64, 2 * K64, K64 + 10, K64, RC_NO_ROOM, 0, 0},  // the window passes capacity
      {4 * K64, 0, -1, 1, RC_FAILED, 0, 0},        // the window starts below 0
  };
  for (auto& r : rows) {
    ASSERT_EQ(RC_OK, Open(s, STORE_FILE | STORE_LOCK, r.file, 0, r.capacity));
    EXPECT_EQ(r.rc, StoreMap(&s, r.offset, r.length, &(p = &stale), 0)) << r.offset;
    EXPECT_EQ(r.rc ? nullptr : s.current, p);  // nothing points into a view that is gone
    EXPECT_EQ(r.rc ? 0 : uint8_t(r.offset * 7 + 1), r.rc ? 0 : *p);
    EXPECT_EQ(r.start, r.rc ? 0 : s.windowStart);
    EXPECT_EQ(r.end, r.rc ? 0 : s.windowEnd);
    EXPECT_EQ(r.rc == RC_OK, fakeStore.holds == 1);  // a failed map gives its hold back
    if (r.rc == RC_OK) StoreRelease(&s);
  }
  uint8_t* q;
  ASSERT_EQ(RC_OK, Open(s, STORE_FILE | STORE_LOCK, 4 * K64, 0));
  EXPECT_EQ(RC_BAD_ARG, StoreMap(&s, 0, K64 + 1, &p, 0));
  fakeStore.views = 0;
  StoreMap(&s, K64 + 100, 8, &p, 0);
  StoreMap(&s, K64 + 5000, 8, &q, 0);  // the same view serves it
  EXPECT_EQ(4900, q - p);
  EXPECT_EQ(1, fakeStore.views);
  StoreRelease(&s);
  StoreRelease(&s);
  EXPECT_EQ(RC_OK, StoreUnmap(&s, 0));
  EXPECT_EQ(RC_FAILED, StoreUnmap(&s, 0));
  EXPECT_EQ(RC_OK, StoreMap(&s, K64 + 100, 8, &p, 0));  // placed afresh
  EXPECT_EQ(2, fakeStore.views);
  StoreClose(&s);
}

TEST(Store, LoadAndSaveOneWindowAtATime) {
  fakeStore = FakeStoreOs{};
  MappedStore s{};
  std::vector<uint8_t> data = Pattern(100000);
  ASSERT_EQ(RC_OK, Open(s, 0, 0, 2 * K64));
  std::vector<uint8_t>& backing = fakeStore.files[s.tempName];
  memset(backing.data(), 0xEE, backing.size());  // stale bytes must not stay
  fakeStore.files["a.bin"] = data;
  ASSERT_EQ(RC_OK, StoreLoad(&s, "a.bin", 0));
  EXPECT_EQ(100000u, s.dataLength);
  EXPECT_EQ(data, std::vector<uint8_t>(backing.begin(), backing.begin() + 100000));
  EXPECT_EQ(std::vector<uint8_t>(31072, 0), std::vector<uint8_t>(backing.begin() + 100000, backing.end()));
  fakeStore.files["out.bin"] = Pattern(200000);  // a longer file is cut to size
  ASSERT_EQ(RC_OK, StoreSave(&s, "out.bin", 0));
  EXPECT_EQ(data, fakeStore.files["out.bin"]);
  EXPECT_EQ(nullptr, s.view);
  fakeStore.moves = 1;  // the second window fails to write, then to read
  EXPECT_EQ(RC_FAILED, StoreSave(&s, "out.bin", 0));
  EXPECT_EQ(size_t(K64), fakeStore.files["out.bin"].size());
  EXPECT_EQ(RC_FAILED, StoreLoad(&s, "a.bin", 0));
  fakeStore.moves = 1 << 30;
  fakeStore.files["big.bin"] = Pattern(2 * K64 + 1);
  EXPECT_EQ(RC_NO_ROOM, StoreLoad(&s, "big.bin", 0));
  EXPECT_EQ(100000u, s.dataLength);  // only the name changed
  EXPECT_STREQ("big.bin", s.fileName);

  ASSERT_EQ(RC_OK, Open(s, STORE_WRITE, 100000, 100000));  // the mapping ends inside a window
  EXPECT_EQ(100000u, s.dataLength);
  ASSERT_EQ(RC_OK, StoreSave(&s, "out.bin", 0));
  EXPECT_EQ(data, fakeStore.files["out.bin"]);
  ASSERT_EQ(RC_OK, Open(s, 0, 0, K64));
  EXPECT_EQ(RC_FAILED, StoreSave(&s, "out.bin", 0));  // nothing to save
  EXPECT_TRUE(fakeStore.files["out.bin"].empty());
  StoreClose(&s);
}

}  // namespace
