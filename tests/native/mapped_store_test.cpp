// The store's window placement over files in memory. File stores are
// exactly as long as their files.
#include <gtest/gtest.h>
#include <string.h>
#include "tests/fakes/fake_store.h"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // records given in part

static const uint32_t K64 = 0x10000;

static std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> b(n);
  for (size_t i = 0; i < n; ++i) b[i] = uint8_t(i * 7 + 1);
  return b;
}

// A row maps a range of a file store and reads back the result, the window
// and whether the address is the requested byte's, or on a failure whether
// the out slot was cleared and the lock given back.
TEST(Store, MapPlacesWindowsWithinTheMapping) {
  struct { size_t file; uint32_t capacity, window; int32_t offset; uint32_t length; const char* want; } rows[] = {
      {4 * K64, 0, 0, 65530, 10, "0 [0,131072) at"},  // the range crosses: two windows
      {4 * K64, 0, 65537, 70000, 10, "0 [65536,196608) at"},  // windows of whole granules
      {640, 1, 0xFFFFFFFF, 600, 40, "0 [0,640) at"},  // a file smaller than a window
      {100000, 0x40000001, 0, 99990, 10, "0 [65536,100000) at"},  // the last window, in part
      {640, 0, 0, 600, 41, "16 cleared"},             // past the mapping's end
      {2 * K64, 2 * K64, 0, K64 + 10, K64, "21 cleared"},  // the window passes capacity
      {4 * K64, 0, 0, -1, 1, "16 cleared"},           // the window starts below 0
  };
  for (auto& r : rows) {
    fakeStore = FakeStoreOs{};
    fakeStore.files["a.bin"] = Pattern(r.file);
    MappedStore s{STORE_FILE | STORE_LOCK, r.capacity, 0, r.window};
    strcpy(s.fileName, "a.bin");
    ASSERT_EQ(RC_OK, StoreOpen(&s));
    uint8_t stale = 0, *p = &stale;
    int rc = StoreMap(&s, r.offset, r.length, &p, 0);
    std::string got = std::to_string(rc) + (rc ? "" : " [" + std::to_string(s.windowStart) + "," + std::to_string(s.windowEnd) + ")");
    if (rc == RC_OK && p == s.current && *p == uint8_t(r.offset * 7 + 1)) got += " at";
    if (rc && !p && !fakeStore.holds) got += " cleared";
    EXPECT_EQ(r.want, got);
    if (rc == RC_OK) StoreMap(&s, r.offset + 8, 1, &p, 0);  // inside the view: no new one
    EXPECT_EQ(rc ? 0 : 1, fakeStore.views);
    StoreClose(&s);
  }
}
