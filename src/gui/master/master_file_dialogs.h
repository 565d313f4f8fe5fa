#pragma once
// The file dialogs of the Read Master window. Each gives the chosen path in
// UTF-8, or an empty text when the operator cancelled.
#include <string>

class QWidget;

namespace vantrell::gui {

inline constexpr const char* kSaveReadDataFilter = "Bin File(*.bin)|*.bin|모든파일(*.*)|*.*||";
inline constexpr const char* kSaveReadDataName = "MasterRead.bin";

// Compare Open: one existing file, binary files first in the filter.
std::string ChooseComparisonFile(QWidget* parent);
// Save As: "MasterRead.bin" offered, ".bin" added to a name without extension.
std::string ChooseReadDataFile(QWidget* parent);

}  // namespace vantrell::gui
