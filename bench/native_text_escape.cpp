// EscapeText throughput on 64 MiB of mixed text, escaping and unescaping,
// against memcpy of the same bytes in the same run, built natively (x86-64,
// -O2); bench/text_escape_win32.cpp measures the build that ships.
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "bench/mixed_text.h"
#include "support/text_escape.h"

namespace {

const size_t kSize = 64u << 20;

const std::string& MixedText() {
  static std::string text;
  if (text.empty()) {
    text.assign(kSize + 1, '\0');
    FillMixedText(&text[0], kSize);
    text.resize(kSize);
  }
  return text;
}

const std::string& EscapedText() {
  static std::string esc;
  if (esc.empty()) {
    const std::string& in = MixedText();
    esc.assign(2 * in.size() + 2, '\0');
    int32_t n = -1;
    EscapeText(&esc[0], in.c_str(), &n, esc.size(), ESC_ESCAPE);
    esc.resize(n);
  }
  return esc;
}

void Memcpy(benchmark::State& state) {
  const std::string& in = MixedText();
  std::vector<char> out(in.size() + 1);
  for (auto _ : state) {
    memcpy(out.data(), in.data(), in.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * in.size());
}

void Escape(benchmark::State& state) {
  const std::string& in = MixedText();
  std::vector<char> out(2 * in.size() + 2);
  for (auto _ : state) {
    int32_t n = -1;
    if (EscapeText(out.data(), in.c_str(), &n, out.size(), ESC_ESCAPE) != RC_OK)
      state.SkipWithError("EscapeText failed");
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * in.size());
}

void Unescape(benchmark::State& state) {
  const std::string& in = EscapedText();
  std::vector<char> out(in.size() + 2);
  for (auto _ : state) {
    int32_t n = -1;
    if (EscapeText(out.data(), in.c_str(), &n, out.size(), ESC_UNESCAPE) != RC_OK)
      state.SkipWithError("EscapeText failed");
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * in.size());
}

BENCHMARK(Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(Escape)->Unit(benchmark::kMillisecond);
BENCHMARK(Unescape)->Unit(benchmark::kMillisecond);

// Keeps each run's rate so the summary can compare them.
class Reporter : public benchmark::ConsoleReporter {
 public:
  Reporter() : ConsoleReporter(OO_Tabular) {}
  std::map<std::string, double> rate;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      auto it = r.counters.find("bytes_per_second");
      if (it != r.counters.end() && !r.error_occurred) rate[r.benchmark_name()] = it->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MixedText();
  EscapedText();
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double copy = reporter.rate["Memcpy"];
  printf("input: %zu MiB mixed text (escaped form %zu MiB)\n", MixedText().size() >> 20,
         EscapedText().size() >> 20);
  printf("memcpy:   %6.2f GB/s\n", copy / 1e9);
  for (const char* name : {"Escape", "Unescape"}) {
    double r = reporter.rate[name];
    if (r <= 0) continue;
    printf("%-9s %6.2f GB/s  memcpy is %.1fx faster (target: escaping >= 1 GB/s, within 10x)\n",
           (std::string(name) + ":").c_str(), r / 1e9, copy / r);
  }
  return 0;
}
