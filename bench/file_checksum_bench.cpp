// Checksum throughput: a buffer in memory, and a data file read in blocks as
// the download list does before every run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/program/job/file_checksum.h"

namespace {

std::vector<std::uint8_t> SampleBytes(std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  std::uint32_t state = 1;
  for (auto& b : bytes) {
    state = state * 1664525u + 1013904223u;
    b = static_cast<std::uint8_t>(state >> 24);
  }
  return bytes;
}

// A data file that lives as long as the benchmark using it.
class SampleFile {
 public:
  explicit SampleFile(std::size_t bytes) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantrell-bench-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd >= 0) close(fd);
    path_ = pattern;
    const auto data = SampleBytes(bytes);
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  }
  ~SampleFile() { std::remove(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

void BM_ChecksumOfBuffer(benchmark::State& state) {
  const auto bytes = SampleBytes(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(vantrell::ChecksumOf(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ChecksumOfBuffer)->Arg(62)->Arg(4096)->Arg(1 << 20);

void BM_FileChecksum(benchmark::State& state) {
  const SampleFile file(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    const auto checksum = vantrell::FileChecksum(file.Path());
    if (!checksum) state.SkipWithError("sample file unreadable");
    benchmark::DoNotOptimize(checksum);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_FileChecksum)->Arg(64 << 10)->Arg(4 << 20);

}  // namespace
