#pragma once
// "Auto Run Select": five boxes for the options the Auto button runs with.
// Erase and Erase All exclude each other. OK takes the boxes; closing the
// dialog any other way is Cancel and takes nothing.
#include <QDialog>

#include "core/program/window/run_options.h"

class QCheckBox;
class QPushButton;

namespace vantrell::gui {

class CAutoRunSelect : public QDialog {
  Q_OBJECT

 public:
  // The boxes start as the given options.
  explicit CAutoRunSelect(const RunOptions& options, QWidget* parent = nullptr);

  // What OK stored; the starting options until then.
  const RunOptions& Options() const { return options_; }

 private:
  void BuildControls();
  QCheckBox* AddBox(int id, const char* caption, int top, bool checked);
  void OnOk();

  RunOptions options_;
  QCheckBox* eraseAll_ = nullptr;
  QCheckBox* erase_ = nullptr;
  QCheckBox* blank_ = nullptr;
  QCheckBox* program_ = nullptr;
  QCheckBox* verify_ = nullptr;
};

}  // namespace vantrell::gui
