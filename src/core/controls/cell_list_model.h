#pragma once
// The extended list control's content and rules: per-cell colours, bold,
// check boxes with the header's all-checked rule, progress cells, in-place
// edits that the parent may refuse, the empty-list message and tooltips.
// Rows and columns count from 0; an index outside the list makes an
// operation do nothing and return false (or 0, or an empty value).
#include <optional>
#include <string>
#include <vector>

#include "core/controls/cell_data.h"
#include "core/controls/cell_list_events.h"
#include "core/controls/colour.h"

namespace vantrell {

struct HeaderColumn {
  ColumnDescription description;
  int checkbox = kNoCheckbox;
  std::optional<ColourRef> captionColour;  // none: the theme's header text
};

// What a progress cell draws, for a cell of a given width.
struct ProgressCellPaint {
  int barWidth = 0;  // from the cell's left edge; 0 draws no bar
  std::string text;  // empty when the text is hidden
};

class CellListModel {
 public:
  explicit CellListModel(const SystemColours& system = {});

  // Receives redraw requests, clicks and edit questions; may be null.
  void SetEvents(CellListEvents* events) { events_ = events; }

  int RowCount() const { return static_cast<int>(rows_.size()); }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  bool IsCell(int row, int column) const;
  const CellData* Cell(int row, int column) const;
  const HeaderColumn* Column(int column) const;

  // Inserts at the index, or at the end for an index beyond it; returns the
  // new index, -1 for a negative index.
  int InsertColumn(int column, const ColumnDescription& description);
  int InsertItem(int row, const std::string& text);
  bool DeleteItem(int row);
  void DeleteAllItems();

  std::string GetItemText(int row, int column) const;
  bool SetItemText(int row, int column, const std::string& text);
  // No text keeps the old one; kListDefaultColour means the list's default.
  bool SetItemText(int row, int column, const std::string* text, ColourRef textColour,
                   ColourRef backgroundColour);
  // Column -1 colours every cell of the row.
  bool SetItemColours(int row, int column, ColourRef textColour, ColourRef backgroundColour);
  std::optional<CellColours> GetItemColours(int row, int column) const;
  bool SetItemBold(int row, int column, bool bold);

  bool SetCheckbox(int row, int column, int state);
  int GetCheckbox(int row, int column) const;
  bool SetEditable(int row, int column, bool editable = true);
  bool SetProgress(int row, int column, bool showText, const std::string& format = {});
  bool UpdateProgress(int row, int column, int percent);
  ProgressCellPaint LayoutProgressCell(int row, int column, int cellWidth) const;

  // Column -1 sets the caption colour of every column.
  bool SetHeaderTextColour(int column, ColourRef colour);
  int GetHeaderCheckbox(int column) const;

  void SetEmptyMessage(const std::string& text);
  std::string EmptyMessage() const;
  ColourRef EmptyMessageColour() const;

  std::string CellTooltip(int row, int column) const;

  // The user's actions.
  bool ClickCheckbox(int row, int column);
  bool ClickHeaderCheckbox(int column);
  // Opens an in-place edit when the cell is editable and the parent agrees.
  bool BeginEdit(int row, int column);
  // Ends the open edit; no text cancels it. False when none was open.
  bool EndEdit(const std::string* text);
  bool IsEditing() const { return editRow_ >= 0; }
  int EditRow() const { return editRow_; }
  int EditColumn() const { return editColumn_; }

  bool IsModified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

  CellColours DefaultColours() const { return defaults_; }
  ColourRef ProgressBarColour() const { return progressBar_; }
  ColourRef ProgressTextColour() const { return progressText_; }

 private:
  CellData* MutableCell(int row, int column);
  CellData NewCell() const;
  ColourRef OrDefault(ColourRef colour, ColourRef fallback) const;
  void UpdateHeaderCheckbox(int column);
  void NotifyCell(int row, int column);
  void NotifyHeader(int column);

  std::vector<HeaderColumn> columns_;
  std::vector<std::vector<CellData>> rows_;
  CellColours defaults_;
  ColourRef progressBar_;
  ColourRef progressText_;
  std::optional<std::string> emptyMessage_;
  std::optional<ColourRef> emptyMessageColour_;
  ColourRef windowText_;
  bool modified_ = false;
  int editRow_ = -1;
  int editColumn_ = -1;
  bool endingEdit_ = false;
  CellListEvents* events_ = nullptr;
};

}  // namespace vantrell
