#pragma once
// Stands in for the Read NAND Flash view until that view exists: a bare
// modal window saying how many bytes were read.
#include <cstdint>
#include <span>

class QWidget;

namespace vantrell::gui {

void OpenReadBlocksPlaceholder(QWidget* parent, std::span<const std::uint8_t> blocks);

}  // namespace vantrell::gui
