// Turns fuzz bytes into a registry for the fake store: a run of records
// [key 1 byte][name length 1][name][type 1][data length 2][data], where the
// key byte picks the program key, the desktop key or the Run key. Names and
// data are arbitrary bytes, texts need not be terminated.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <string>
#include "settings/settings_state.h"
#include "tests/fakes/fake_registry.h"

struct FuzzReader {
  const uint8_t* p;
  size_t n;
  bool Take(size_t k, std::string* out) {
    if (k > n) return false;
    out->assign((const char*)p, k);
    p += k;
    n -= k;
    return true;
  }
  int Byte() {
    if (!n) return -1;
    --n;
    return *p++;
  }
};

inline void FillFakeRegistry(FuzzReader& in, int maxValues) {
  static const char* const keys[] = {PROGRAM_KEY, DESKTOP_KEY, RUN_KEY};
  for (int i = 0; i < maxValues; ++i) {
    int k = in.Byte(), len = in.Byte();
    if (k < 0 || len < 0) return;
    std::string name, data;
    if (!in.Take((size_t)len % 48, &name)) return;
    int type = in.Byte(), lo = in.Byte(), hi = in.Byte();
    if (hi < 0) return;
    if (!in.Take((size_t)(lo | hi << 8) % 400, &data)) return;
    Fake.SetRaw(keys[k % 3], name, (unsigned long)(type % 8), data);
  }
}
