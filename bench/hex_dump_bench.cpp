// What the dump view's pointer costs: hit-testing a point of a view over a
// 16 MiB buffer, and building the tooltip of the item under it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/controls/hexdump/dump_layout.h"
#include "core/controls/hexdump/dump_tooltip.h"

namespace {

constexpr std::int32_t kSixteenMiB = 16 << 20;

vantrell::HexDumpLayout ReadViewLayout() {
  return vantrell::HexDumpLayout({vantrell::DumpMetricsOf(13, 7), 460, 400, 17, 0x5D0B03});
}

void BM_DumpHitTest(benchmark::State& state) {
  const vantrell::HexDumpLayout layout = ReadViewLayout();
  const int top = kSixteenMiB / 2;
  int x = 0;
  for (auto _ : state) {
    x = (x + 37) % 460;
    benchmark::DoNotOptimize(layout.HitTest(x, 200, top, kSixteenMiB));
  }
}
BENCHMARK(BM_DumpHitTest);

void BM_DumpTooltipOfTheProgramsFormat(benchmark::State& state) {
  std::vector<std::uint8_t> bytes(kSixteenMiB);
  for (size_t i = 0; i < bytes.size(); i += 4096) bytes[i] = static_cast<std::uint8_t>(i >> 12);
  const vantrell::DumpBuffer buffer(bytes.data(), nullptr, kSixteenMiB);
  int item = 0;
  for (auto _ : state) {
    item = (item + 4099) % kSixteenMiB;
    benchmark::DoNotOptimize(vantrell::FormatDumpTip(vantrell::kDumpProgramTipFormat, buffer, item, 0x5D0B03, '.'));
  }
}
BENCHMARK(BM_DumpTooltipOfTheProgramsFormat);

}  // namespace
