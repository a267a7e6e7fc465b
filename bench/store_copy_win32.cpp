// StoreLoad and StoreSave of a 256 MiB file in 1 MiB windows against a plain
// copy of the same file with ReadFile/WriteFile in 1 MiB chunks: each moves
// the bytes from one file into another. Best of the runs; the
// first load into a new store is shown apart.
#include "bench/bench_common_win32.h"
#include "support/mapped_store.h"

static const DWORD kSize = 256u << 20, kChunk = 1u << 20;

// The plain copy: ReadFile and WriteFile in 1 MiB chunks through one buffer.
static double PlainCopy(const char* from, const char* to, unsigned char* buffer) {
  double t0 = Now();
  HANDLE in = CreateFileA(from, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE out = CreateFileA(to, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  for (DWORD pos = 0; pos < kSize; pos += kChunk) {
    ReadFile(in, buffer, kChunk, &n, nullptr);
    WriteFile(out, buffer, kChunk, &n, nullptr);
  }
  CloseHandle(in);
  CloseHandle(out);
  return Now() - t0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char src[MAX_PATH], dst[MAX_PATH], plain[MAX_PATH];
  BenchPath(src, "src.bin");
  BenchPath(dst, "dst.bin");
  BenchPath(plain, "plain.bin");
  if (!MakeFile(src, kSize)) {
    Say("store copy: cannot make the test file\n");
    return 1;
  }
  unsigned char* buffer =
      static_cast<unsigned char*>(VirtualAlloc(nullptr, kChunk, MEM_COMMIT, PAGE_READWRITE));
  double fresh = 0, load = 1e9, save = 1e9, copy = 1e9;
  int rcLoad = -1, rcSave = -1;
  // One store throughout: the first load fills a new backing file, later
  // loads overwrite pages that the file already has.
  MappedStore s = {};
  s.windowSize = kChunk;
  s.extraBytes = kSize;
  if (StoreOpen(&s) != RC_OK) {
    Say("store copy: cannot open the store\n");
    return 1;
  }
  for (int run = 0; run < 4; ++run) {
    double t0 = Now();
    rcLoad = StoreLoad(&s, src, 0);
    double t1 = Now();
    rcSave = StoreSave(&s, dst, 0);
    double t2 = Now();
    if (run == 0)
      fresh = t1 - t0;
    else if (t1 - t0 < load)
      load = t1 - t0;
    if (t2 - t1 < save) save = t2 - t1;
    double c = PlainCopy(src, plain, buffer);
    if (c < copy) copy = c;
  }
  StoreClose(&s);
  double mib = kSize / 1048576.0;
  Say("plain copy           %6.0f MiB/s\n", mib / copy);
  Say("StoreLoad, new store %6.0f MiB/s   ratio to the copy %.2f (target >= 0.8)\n", mib / fresh,
      copy / fresh);
  Say("StoreLoad, again     %6.0f MiB/s   ratio to the copy %.2f (target >= 0.8; rc %d)\n",
      mib / load, copy / load, rcLoad);
  Say("StoreSave            %6.0f MiB/s   ratio to the copy %.2f (target >= 0.8; rc %d)\n",
      mib / save, copy / save, rcSave);
  VirtualFree(buffer, 0, MEM_RELEASE);
  DeleteFileA(src);
  DeleteFileA(dst);
  DeleteFileA(plain);
  return 0;
}
