#pragma once
// The Bad Block List window (dialog 156, "Bad Block List", 108 x 141 dialog
// units): the bad block count and the table, one entry a line, in a
// read-only edit (1057).
#include <QDialog>
#include <cstdint>
#include <span>

class QPlainTextEdit;

namespace vantrell::gui {

class CBadBlkList : public QDialog {
  Q_OBJECT

 public:
  CBadBlkList(std::int32_t count, std::span<const std::int32_t> entries, QWidget* parent = nullptr);

  QString Text() const;

 private:
  // Puts the caret at the end, scrolls it into view and inserts text there.
  void Append(const QString& text);

  QPlainTextEdit* edit_ = nullptr;
};

}  // namespace vantrell::gui
