#pragma once
// Saving the blocks a Read Block read, raw, as the Read NAND Flash view's
// Save As does.
#include <cstdint>
#include <span>
#include <string>

namespace vantrell {

enum class ReadBlocksSave { Saved, NotCreated, WriteFailed };

// Creates the file at path (UTF-8), replacing one that exists, and writes data.
ReadBlocksSave SaveReadBlocks(const std::string& path, std::span<const std::uint8_t> data);

}  // namespace vantrell
