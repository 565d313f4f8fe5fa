#pragma once
// The extended list control: a report-style list whose cells carry their own
// colours, bold text, check boxes, progress bars and in-place edits, with a
// header that can carry a check box per column and coloured captions.
//
// Rows and columns count from 0; an index outside the list makes an
// operation do nothing and return false (0). Colours are 0x00BBGGRR values;
// kListDefaultColour stands for the list's default. GUI thread only:
// windows whose workers update the list marshal those calls.
#include <QTableView>
#include <memory>
#include <optional>
#include <vector>

#include "core/controls/cell_list_model.h"

namespace vantrell::gui {

class CCellHeaderCtrl;
class CellListDelegate;
class CellListItemModel;

class CCellListCtrl : public QTableView {
  Q_OBJECT

 public:
  explicit CCellListCtrl(QWidget* parent = nullptr);
  ~CCellListCtrl() override;

  // Columns. imageIndex 1 or 2 puts a check box in that state into the
  // header. An index beyond the end appends; returns the new index (-1 for
  // a negative index).
  int InsertColumn(int column, const QString& caption, int width, ColumnAlign align = ColumnAlign::Left,
                   int imageIndex = 0);
  int GetColumnCount() const { return cells_.ColumnCount(); }

  // Rows: a new row has the text in column 0 and the list's default colours.
  int InsertItem(int row, const QString& text);
  bool DeleteItem(int row);
  void DeleteAllItems();
  int GetItemCount() const { return cells_.RowCount(); }
  std::vector<int> GetSelectedRows() const;

  // Cells.
  QString GetItemText(int row, int column) const;
  bool SetItemText(int row, int column, const QString& text);
  // No text (nullopt) keeps the old one.
  bool SetItemText(int row, int column, const std::optional<QString>& text, ColourRef textColour,
                   ColourRef backgroundColour);
  // Column -1 colours the whole row.
  bool SetItemColours(int row, int column, ColourRef textColour, ColourRef backgroundColour);
  std::optional<CellColours> GetItemColours(int row, int column) const;
  bool SetItemBold(int row, int column, bool bold);
  // States: 0 no box, 1 unchecked, 2 checked. A column whose header has a box
  // shows it checked while every row of the column is checked.
  bool SetCheckbox(int row, int column, int state);
  int GetCheckbox(int row, int column) const;
  int GetHeaderCheckbox(int column) const;
  // A click on the cell opens an in-place edit (see BeginLabelEdit).
  bool SetEditable(int row, int column, bool editable = true);
  // Turns the cell into a progress cell at 0 percent; the format's "%d" takes
  // the percent ("%d%%" when empty).
  bool SetProgress(int row, int column, bool showText, const QString& format = {});
  // Stores the percent and schedules the cell's repaint; safe to call from
  // inside a paint of the list.
  bool UpdateProgress(int row, int column, int percent);

  // Column -1 sets every caption's colour.
  bool SetHeaderTextColour(int column, ColourRef colour);
  // Shown while the list has no rows, in 0xDC4600; "\r\n" breaks lines.
  void SetEmptyMessage(const QString& text);

  bool IsModified() const { return cells_.IsModified(); }
  void SetModified(bool modified) { cells_.SetModified(modified); }
  // Off holds repainting while many cells change; on repaints once.
  void SetRedraw(bool on);
  void SetGridLines(bool on) { setShowGrid(on); }
  void SetFullRowSelect(bool on);

  CCellHeaderCtrl* Header() const { return header_; }
  const CellListModel& Model() const { return cells_; }
  // The list's control id: its objectName read as a number.
  int ListId() const;

 signals:
  // After the user toggled a check box; row -1 for a header box, in which
  // case the rows still hold their old states and are set afterwards.
  void CheckboxClicked(int row, int column, int listId);
  // A click on a column's caption (not on its check box).
  void ColumnClicked(int column);
  // Before an in-place edit opens; set *refuse to keep it closed.
  void BeginLabelEdit(int row, int column, bool* refuse);
  // When an in-place edit ends; cancelled (Escape) carries no text. Set
  // *accept to make the text the cell's text: nothing is taken otherwise.
  void EndLabelEdit(int row, int column, const QString& text, bool cancelled, bool* accept);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  class Events;

  bool ClickOnCheckbox(const QPoint& point) const;
  void OpenEditor(const QModelIndex& index);
  void PaintEmptyMessage();

  CellListModel cells_;
  std::unique_ptr<Events> events_;
  CellListItemModel* items_;
  CellListDelegate* delegate_;
  CCellHeaderCtrl* header_;
  QPersistentModelIndex pressed_;
  bool pressedOnBox_ = false;
};

}  // namespace vantrell::gui
