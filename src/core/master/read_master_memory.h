#pragma once
// What the Read Master window keeps from one of its showings to the next,
// within one showing of the download window: the data read and compared and
// the names of the files saved and compared. Its views and buttons start
// afresh at every showing; this does not.
#include <memory>
#include <string>
#include <vector>

#include "core/master/master_comparison.h"
#include "core/master/master_read_run.h"

namespace vantrell {

struct ReadMasterMemory {
  // The bytes of the last finished read; null when there are none.
  std::shared_ptr<const MasterBytes> readData;
  // The buffer a read still going fills; it becomes the read data when the
  // read finishes.
  std::shared_ptr<const MasterBytes> readInFlight;
  // The chip addresses the two start at.
  std::uint32_t readStart = 0;
  std::uint32_t readInFlightStart = 0;

  std::vector<std::uint8_t> comparisonData;
  bool comparisonLoaded = false;
  // The references the views were given by the last Compare Run.
  MasterComparison comparison;

  std::string savedName;
  std::string savedPath;
  std::string comparisonName;
  std::string comparisonPath;

  bool ReadDataPresent() const { return readData != nullptr; }
};

}  // namespace vantrell
