#include "gui/common/message_box_prompt.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>

#include "gui/common/gui_thread.h"

namespace vantrell::gui {
namespace {

QMessageBox::Icon ToQtIcon(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Warning: return QMessageBox::Warning;
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Error: return QMessageBox::Critical;
    case BoxIcon::Question: return QMessageBox::Question;
    case BoxIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(BoxButtons buttons) {
  switch (buttons) {
    case BoxButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case BoxButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case BoxButtons::Ok: break;
  }
  return QMessageBox::Ok;
}

BoxAnswer FromQt(int button) {
  switch (button) {
    case QMessageBox::Yes: return BoxAnswer::Yes;
    case QMessageBox::No: return BoxAnswer::No;
    case QMessageBox::Cancel: return BoxAnswer::Cancel;
    default: return BoxAnswer::Ok;
  }
}

}  // namespace

BoxAnswer MessageBoxPrompt::Show(const PromptMessage& message) {
  return ShowUnless(message, [] { return false; });
}

BoxAnswer MessageBoxPrompt::ShowUnless(const PromptMessage& message, const std::function<bool()>& dropped) {
  BoxAnswer answer = BoxAnswer::No;
  QObject* context = parent_ ? static_cast<QObject*>(parent_.data()) : QCoreApplication::instance();
  RunOnGuiThread(context, [&] {
    if (dropped()) return;
    // The texts carry CR LF line ends; a message box wants plain LF.
    QString text = QString::fromUtf8(message.text.c_str()).replace("\r\n", "\n");
    QMessageBox box(ToQtIcon(message.icon), QString::fromUtf8(message.caption.c_str()), text,
                    ToQtButtons(message.buttons), parent_.data());
    answer = FromQt(box.exec());
  });
  return answer;
}

}  // namespace vantrell::gui
