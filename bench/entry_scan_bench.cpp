// Scanning a large folder index: the streaming due check when no line is due
// (the worst case, the whole file is read) and the full load.
//
//   entry_scan_bench --write PATH        writes a 50 MB Entry.lst
//   entry_scan_bench --index PATH [...]  measures both on it (benchmark flags follow)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "data_dir/entry_list.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"

namespace {

constexpr std::size_t kIndexBytes = 50u * 1000 * 1000;
// Every mail of the index lies after this tick, so none is due.
constexpr std::time_t kTick = 1600000000;

std::string gIndexPath;
std::int64_t gIndexBytes = 0;

bool WriteIndex(const std::string& path) {
  std::string bytes;
  bytes.reserve(kIndexBytes + 64);
  for (std::int32_t mail = 1; bytes.size() < kIndexBytes; ++mail) {
    char name[16];
    std::snprintf(name, sizeof name, "%08d", mail);
    bytes += sample::EntryLine(name, 1700000000 + mail, 0x21, 0);
  }
  return sample::WriteFile(path, bytes);
}

void AnyDueInWithoutDueLine(benchmark::State& state) {
  for (auto _ : state) {
    const bool due = CEntryList::AnyDueIn(gIndexPath, kTick);
    if (due) {
      state.SkipWithError("a line was due");
    }
    benchmark::DoNotOptimize(due);
  }
  state.SetBytesProcessed(state.iterations() * gIndexBytes);
}
BENCHMARK(AnyDueInWithoutDueLine)->Unit(benchmark::kMillisecond);

void LoadWholeIndex(benchmark::State& state) {
  for (auto _ : state) {
    CEntryList list;
    if (!list.Load(gIndexPath)) {
      state.SkipWithError("the index could not be read");
    }
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetBytesProcessed(state.iterations() * gIndexBytes);
}
BENCHMARK(LoadWholeIndex)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--write") == 0) {
    return WriteIndex(argv[2]) ? 0 : 1;
  }
  if (argc < 3 || std::strcmp(argv[1], "--index") != 0) {
    std::fprintf(stderr, "usage: entry_scan_bench --write PATH | --index PATH [benchmark flags]\n");
    return 2;
  }
  gIndexPath = argv[2];
  std::FILE* file = std::fopen(gIndexPath.c_str(), "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "entry_scan_bench: cannot open %s\n", argv[2]);
    return 1;
  }
  std::fseek(file, 0, SEEK_END);
  gIndexBytes = std::ftell(file);
  std::fclose(file);

  // The benchmark library sees the flags after the index.
  argv[2] = argv[0];
  int benchArgc = argc - 2;
  benchmark::Initialize(&benchArgc, argv + 2);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
