#pragma once
// Saving the blocks a Read Block read, raw, as the Read NAND Flash view's
// Save As does.
#include <cstdint>
#include <span>
#include <string>

namespace vantrell {

enum class ReadBlocksSave { Saved, NotCreated, WriteFailed };

// Writes data as the whole file at path (UTF-8); a failed save leaves a file
// it was to replace as it was, and nothing beside it.
ReadBlocksSave SaveReadBlocks(const std::string& path, std::span<const std::uint8_t> data);

}  // namespace vantrell
