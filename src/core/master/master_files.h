#pragma once
// The files of the Read Master window: the comparison file it reads whole,
// and the read data it saves as raw bytes.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantrell {

// Larger comparison files are refused before anything is allocated.
inline constexpr std::uint64_t kMaxComparisonBytes = 16u * 1024 * 1024;

enum class ComparisonLoad { Loaded, OpenFailed, ReadFailed };

struct ComparisonFile {
  ComparisonLoad result = ComparisonLoad::OpenFailed;
  std::vector<std::uint8_t> bytes;  // the whole file when Loaded
};

// Compare Open's box for a file it could not load: "File Open Error!" or
// "File Read Error!".
const char* ComparisonLoadFailureText(ComparisonLoad result);

// Both names lead to one existing file, however spelt (links, "..", case
// on a file system that ignores it). A name of no file is no other's.
bool NameTheSameFile(const std::string& a, const std::string& b);

// OpenFailed when the path (UTF-8) names no readable regular file;
// ReadFailed when it is too large or fewer bytes arrive than it holds.
ComparisonFile LoadComparisonFile(const std::string& path);

enum class ReadDataSave { Saved, CreateFailed, WriteFailed };

// Writes bytes as the whole file: into a new file beside it, put in its
// place only once complete, so a failed save leaves an existing file as it
// was and nothing beside it.
ReadDataSave SaveReadData(const std::string& path, std::span<const std::uint8_t> bytes);

// The name of a path without its folder.
std::string FileNameOf(const std::string& path);

}  // namespace vantrell
