// Closing the NAND window at a moment drawn from a seed, in every kind of
// operation it starts. Whatever the moment, the worker is abandoned or has
// ended, nothing touches the window after it has gone (the sanitizer builds
// run this too), the link and the busy state are given back, and the same
// session refreshes a new window afterwards.
#include <QApplication>
#include <QTimer>
#include <random>

#include "gui/nand/nand_window_fixture.h"
#include "support/temp_dir.h"

namespace vantrell::gui::test {
namespace {

enum class NandRunKind { Refresh, ReadBadBlock, Download, Erase, EraseAll, ReadBlock, Count };

class NandCloseAtRandomTest : public NandWindowFixture, public ::testing::WithParamInterface<unsigned> {
 protected:
  void Type(int id, const char* text) { Find<CMaskEdit>(id)->SetWindowText(text); }

  void Start(NandRunKind kind) {
    switch (kind) {
      case NandRunKind::Refresh: return Click(kRefresh);
      case NandRunKind::ReadBadBlock: return Click(kReadBadBlock);
      case NandRunKind::Download:
        vantrell::test::WriteBytes(file, std::vector<std::uint8_t>(2 * 131072 + 100, 0x5A));
        Click(kOpenFile[0]);
        Click(kFileCheck[1]);  // File2 off: only File1 goes
        return Click(kDownload);
      case NandRunKind::Erase:
        Type(kEraseFirst, "0002");
        Type(kEraseLast, "0009");
        return Click(kErase);
      case NandRunKind::EraseAll: return Click(kEraseAll);
      case NandRunKind::ReadBlock:
        Type(kReadStart, "00001");
        Type(kReadCount, "00004");
        return Click(kReadBlock);
      case NandRunKind::Count: return;
    }
  }

  vantrell::test::TempDir dir;
  std::string file = dir.File("data.bin");
};

TEST_P(NandCloseAtRandomTest, TheWorkerIsLetGoAndTheSessionRefreshesAgain) {
  std::mt19937 random(GetParam());
  const auto kind = static_cast<NandRunKind>(random() % static_cast<unsigned>(NandRunKind::Count));
  const std::uint64_t closeAfter = 1 + random() % 120;
  const bool destroyAtOnce = random() % 2 == 0;
  SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(kind) << ", close after " << closeAfter
                                  << " requests" << (destroyAtOnce ? ", destroyed at once" : ""));
  Open();
  ASSERT_TRUE(Refresh());
  window->SetFileChooser([this](QWidget*) { return std::optional<std::string>(file); });
  // The lists and views an operation ends with are closed as they show.
  QTimer closer;
  closer.setInterval(5);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    QWidget* shown = QApplication::activeModalWidget();
    if (shown != nullptr && shown != window.get()) shown->close();
  });
  closer.start();
  sim.Configure({{"latency_us", 300}});

  const std::uint64_t before = sim.TotalRequests();
  Start(kind);
  ASSERT_TRUE(WaitUntil([&] { return sim.TotalRequests() - before >= closeAfter || !session.IsRunning(); }, 30000));
  EXPECT_GT(sim.TotalRequests(), before) << "the operation started";
  window->close();
  if (destroyAtOnce) window.reset();
  ASSERT_TRUE(WaitUntil([&] { return !session.IsRunning(); }));
  EXPECT_FALSE(busy.IsBusy());
  EXPECT_FALSE(sim.Status()["open"].get<bool>());

  window.reset();
  sim.Configure(nlohmann::json::object());
  Open();
  EXPECT_TRUE(Refresh());
  EXPECT_EQ(Text(kTotalBlockCount), "1024");
}

INSTANTIATE_TEST_SUITE_P(Seeds, NandCloseAtRandomTest, ::testing::Range(1u, 13u));

}  // namespace
}  // namespace vantrell::gui::test
