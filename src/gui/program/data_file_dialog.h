#pragma once
// The open-file dialog of Load Files: several files at once, binary files
// first in the filter, all files second.
#include <QString>
#include <string>
#include <vector>

class QWidget;

namespace vantrell::gui {

// The filter as the program has always written it, pairs of a description
// and its patterns separated by '|', ended by "||".
inline constexpr const char* kDataFileFilter = "bin 파일(*.bin)|*.bin|모든파일(*.*)|*.*||";

// The same filter in the form Qt's file dialogs take: the descriptions
// (which carry their patterns) joined by ";;".
QString ToQtFileFilter(const QString& filter);

// Shows the dialog; the chosen paths in UTF-8, none when cancelled.
std::vector<std::string> ChooseDataFiles(QWidget* parent);

}  // namespace vantrell::gui
