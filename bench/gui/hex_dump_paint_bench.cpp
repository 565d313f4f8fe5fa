// What one paint of the dump view costs, in the read windows' configuration
// and size. Only the rows on screen are drawn, so the buffer's size must not
// matter: a 16 MiB buffer costs what any buffer filling the screen costs.
// A 16-byte buffer fills one row only, so it bounds the cost from below.
#include <QImage>
#include <QPainter>
#include <QPalette>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/controls/hexdump/dump_layout.h"
#include "core/controls/hexdump/hex_dump_model.h"
#include "gui/controls/hexdump/dump_fonts.h"
#include "gui/controls/hexdump/dump_renderer.h"
#include "gui/controls/hexdump/dump_text_cache.h"

namespace {

using vantrell::gui::DumpPaintState;

constexpr int kWidth = 460;
constexpr int kHeight = 400;

struct ReadView {
  explicit ReadView(std::int32_t bytes) : data(static_cast<size_t>(bytes)), reference(static_cast<size_t>(bytes)) {
    for (size_t i = 0; i < data.size(); ++i) data[i] = reference[i] = static_cast<std::uint8_t>(i * 31);
    for (size_t i = 0; i < data.size(); i += 97) reference[i] ^= 0xFF;  // some bytes differ
    state.font = vantrell::gui::DefaultDumpFont();
    state.texts = &texts;
    layout = vantrell::HexDumpLayout(
        {vantrell::gui::DumpMetricsOfFont(state.font), kWidth, kHeight, 17, 0x5D0B03});
    model.SetDisplayStyle(0x5D0B03);
    model.SetDumpData(bytes, data.data(), reference.data());
    model.SetUnprintableChar('.');
    model.SetGeometry(layout.ItemsPerRow(), layout.VisibleItems());
    model.SetCursorItem(bytes / 2, true);
  }

  void Paint() {
    QPainter painter(&image);
    vantrell::gui::PaintHexDump(painter, model, layout, state);
  }

  std::vector<std::uint8_t> data;
  std::vector<std::uint8_t> reference;
  vantrell::HexDumpModel model;
  vantrell::HexDumpLayout layout;
  vantrell::gui::DumpTextCache texts;
  DumpPaintState state;
  QImage image{kWidth, kHeight, QImage::Format_ARGB32_Premultiplied};
};

void BM_DumpPaintOneScreen(benchmark::State& state) {
  ReadView view(static_cast<std::int32_t>(state.range(0)));
  for (auto _ : state) view.Paint();
  state.counters["rows"] = std::min<double>(view.layout.VisibleRows(),
                                            (state.range(0) + view.layout.ItemsPerRow() - 1) / view.layout.ItemsPerRow());
}
BENCHMARK(BM_DumpPaintOneScreen)->Arg(16)->Arg(4 << 10)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);

void BM_DumpScrollAPageAndPaint(benchmark::State& state) {
  ReadView view(16 << 20);
  int direction = 1;
  for (auto _ : state) {
    const int before = view.model.Top();
    view.model.ScrollByRows(direction * view.model.PageRows());
    if (view.model.Top() == before) direction = -direction;
    view.Paint();
  }
}
BENCHMARK(BM_DumpScrollAPageAndPaint)->Unit(benchmark::kMicrosecond);

}  // namespace
