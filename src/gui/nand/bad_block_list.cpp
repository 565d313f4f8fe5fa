#include "gui/nand/bad_block_list.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "core/nand/information/bad_block_table.h"
#include "gui/common/control_lookup.h"
#include "gui/common/dialog_units.h"

namespace vantrell::gui {

CBadBlkList::CBadBlkList(std::int32_t count, std::span<const std::int32_t> entries, QWidget* parent)
    : QDialog(parent) {
  setObjectName("CBadBlkList");
  setWindowTitle("Bad Block List");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  const DialogUnits units(font());
  setFixedSize(units.Size(108, 141));
  edit_ = new QPlainTextEdit(this);
  edit_->setObjectName(ControlName(control_id::bad_block_list::kList));
  edit_->setGeometry(units.Rect(7, 7, 94, 127));
  edit_->setReadOnly(true);
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit_->clear();
  for (const std::string& text : BadBlockListTexts(count, entries)) Append(QString::fromStdString(text));
  edit_->setFocus();
}

void CBadBlkList::Append(const QString& text) {
  edit_->moveCursor(QTextCursor::End);
  edit_->ensureCursorVisible();
  // The texts end their lines with CR LF; the edit wants plain line feeds.
  edit_->insertPlainText(QString(text).replace("\r\n", "\n"));
}

QString CBadBlkList::Text() const { return edit_->toPlainText(); }

}  // namespace vantrell::gui
