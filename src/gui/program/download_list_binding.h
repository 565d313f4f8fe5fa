#pragma once
// Shows the download list's content (DownloadList) in the list control 1010
// and hands the operator's actions on the control to the content: enable
// boxes, in-place Sector No. edits. The content is the truth; the control
// is redrawn from it after every change.
#include <QObject>
#include <QString>
#include <cstddef>
#include <string>
#include <vector>

#include "core/program/job/download_list.h"

namespace vantrell::gui {

class CCellListCtrl;

class DownloadListBinding : public QObject {
  Q_OBJECT

 public:
  DownloadListBinding(DownloadList& list, CCellListCtrl& control, QObject* parent = nullptr);

  // Grid lines, full-row selection, the seven columns, the empty-list text
  // and the blue captions.
  void SetUpControl();

  void AddFiles(const std::vector<std::string>& paths);
  void RemoveSelectedFiles();
  void RemoveAllFiles();
  void SortByStartSector();
  void ComputeChecksums(std::uint64_t largestFileBytes);
  // A row's Progress cell, as a worker moves it.
  void SetProgress(std::size_t row, int percent);

  // True once an in-place edit was refused since the last call.
  bool TakeRefusedEdit();

 private:
  void OnCheckboxClicked(int row, int column);
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled, bool* accept);
  // Rebuilds every row of the control from the content.
  void ShowAllRows();
  void ShowRow(int row);
  void ColourRow(int row);

  DownloadList& list_;
  CCellListCtrl& control_;
  bool refusedEdit_ = false;
};

}  // namespace vantrell::gui
