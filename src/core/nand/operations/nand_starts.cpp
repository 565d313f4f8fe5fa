#include "core/nand/operations/nand_starts.h"

#include "core/common/prompt.h"
#include "core/nand/download/nand_download.h"
#include "core/nand/operations/nand_session.h"
#include "core/nand/operations/nand_workers.h"

namespace vantrell {
namespace {

bool StartIfAgreed(NandSession& session, const char* question, NandWorker worker,
                   std::shared_ptr<NandWindowView> view) {
  if (!session.Boxes().Agrees(Question(kApplicationTitle, question))) return false;
  return session.Start(worker, NandBusy::OperationControls, std::move(view));
}

}  // namespace

bool StartNandDownload(NandSession& session, const NandDownloadChoice& choice, std::shared_ptr<NandWindowView> view) {
  std::optional<NandDownload> download = LoadNandDownload(choice, session.Files(), session.Flash(), session.Boxes());
  if (!download) return false;
  session.SetDownload(std::make_shared<const NandDownload>(std::move(*download)));
  return session.Start(&DownloadWorker, NandBusy::OperationControls, std::move(view));
}

bool StartNandErase(NandSession& session, std::shared_ptr<NandWindowView> view) {
  return StartIfAgreed(session, "Are you sure of erasing NAND Flash?", &EraseWorker, std::move(view));
}

bool StartNandEraseAll(NandSession& session, std::shared_ptr<NandWindowView> view) {
  return StartIfAgreed(session, "Are you sure of erasing NAND Flash(All Erase)?", &EraseAllWorker, std::move(view));
}

bool StartNandReadBlock(NandSession& session, std::shared_ptr<NandWindowView> view) {
  return session.Start(&ReadBlockWorker, NandBusy::OperationControls, std::move(view));
}

}  // namespace vantrell
