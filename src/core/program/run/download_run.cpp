#include "core/program/run/download_run.h"

#include <algorithm>
#include <numeric>

namespace vantrell {

DownloadRun::DownloadRun(WriterLink& link, Prompt& prompt, BusyLease lease, std::shared_ptr<DownloadViewSlot> views,
                         RunRecorder& recorder, RunSetup setup)
    : chip(link, prompt, SocketCountFor(setup.device.name), std::move(lease)),
      views(std::move(views)),
      view(*this->views, *chip.control),
      board(chip.commands.SocketCount(), view),
      checks(board, chip.commands, chip.channel, chip.prompt),
      recorder(recorder),
      device(std::move(setup.device)),
      options(setup.options),
      job(std::move(setup.job)),
      clock(setup.clock ? std::move(setup.clock) : SecondsClock(SystemSeconds)),
      fileBytesDone_(job.FileCount(), 0) {}

void DownloadRun::PrepareTotalProgress() {
  view->SetTotalProgressRange(0, 100);
  view->SetTotalProgressPosition(0);
  view->SetTotalProgressShowPercentage(true);
}


void DownloadRun::CountFileBytes(std::size_t k, std::uint64_t done) {
  if (k < fileBytesDone_.size()) fileBytesDone_[k] = std::max(fileBytesDone_[k], done);
}

std::uint64_t DownloadRun::FileBytesDone() const {
  return std::accumulate(fileBytesDone_.begin(), fileBytesDone_.end(), std::uint64_t{0});
}

}  // namespace vantrell
