#pragma once
// The stages one file of a download job goes through: erase the sectors it
// covers (with a blank check of each when asked), program it, verify it and
// compare the sockets' checksums with the file's. Each stage moves the file's
// Progress cell and its share of the Total Progress bar in quarters.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/operation/run_end.h"
#include "core/program/chip/chip_commands.h"
#include "core/program/job/download_job.h"
#include "core/program/run/stage_weights.h"

namespace vantrell {

class DownloadRun;

// One file of the job as its stages see it; the run's data file is open on it.
struct FileTarget {
  std::size_t index = 0;          // k: its place in the job and its row in the list
  std::uint32_t startSector = 0;
  std::uint32_t address = 0;      // start sector * sector size
  std::uint64_t size = 0;
  std::uint32_t expectedChecksum = 0;
};

class FileStages {
 public:
  static constexpr std::uint64_t kPacketBytes = 62;

  FileStages(DownloadRun& run, const FlashGeometry& flash, StageWeights weights);

  RunEnd Erase(const FileTarget& file);
  RunEnd Program(const FileTarget& file);
  RunEnd Verify(const FileTarget& file);

  // "Sector Erase Complete", "Program Complete" or "Verify Complete" after
  // the last stage that ran; empty before.
  const std::string& CompletionLabel() const { return completionLabel_; }

 private:
  // How a stage sends a file's bytes: the byte counter's label ("Write",
  // "Verify"), the check each packet's status goes through, the command, and
  // the stage's share of the Total Progress bar.
  struct PacketStage {
    const char* name;
    const char* checkLabel;
    LinkResult (ChipCommands::*send)(std::span<const std::uint8_t>, ChipStatus&);
    std::uint32_t weight;
    std::uint32_t weightsBefore;
  };
  // Sends the file's next bytes, up to file.size in all counting done, in
  // 62-byte packets and one shorter last, moving the progress on the way.
  RunEnd SendInPackets(const FileTarget& file, const PacketStage& stage, std::uint64_t& done);
  void ShowBytes(const FileTarget& file, const PacketStage& stage, std::uint64_t done);
  RunEnd CompareChecksums(const FileTarget& file);
  // An empty file has nothing to send: its stage ends at once, full.
  RunEnd PassEmptyStage(const FileTarget& file, std::uint32_t stageWeight, std::uint32_t weightsBefore,
                        const char* completionLabel);

  bool ReadChunk(std::span<std::uint8_t> into);
  RunEnd FailedRead(const std::string& logLine);
  // Total Progress bar position: the stage's share of this file, after the
  // shares of the files before it and of this file's earlier stages.
  int TotalPosition(const FileTarget& file, std::uint32_t stageWeight, std::uint64_t done, std::uint64_t of,
                    std::uint32_t weightsBefore) const;
  void ShowProgress(const FileTarget& file, std::uint64_t cellPercent, int totalPosition);
  std::uint32_t SectorBytes() const { return static_cast<std::uint32_t>(flash_.sectorBytes); }

  DownloadRun& run_;
  const FlashGeometry flash_;
  const StageWeights weights_;
  std::string completionLabel_;
};

}  // namespace vantrell
