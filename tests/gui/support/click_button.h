#pragma once
// Clicks a button where an operator would. A check box or radio button is
// clicked on its indicator: the widget can be wider than its label (the
// dialog's layout fixes the size, the font the label), and then the widget's
// middle is not part of the button and the click does nothing.
#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

namespace vantrell::test {

inline QPoint ClickPoint(QAbstractButton* button) {
  QStyle::SubElement indicator;
  if (qobject_cast<QCheckBox*>(button)) indicator = QStyle::SE_CheckBoxIndicator;
  else if (qobject_cast<QRadioButton*>(button)) indicator = QStyle::SE_RadioButtonIndicator;
  else return button->rect().center();
  QStyleOptionButton option;
  option.initFrom(button);
  return button->style()->subElementRect(indicator, &option, button).center();
}

inline void ClickButton(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, ClickPoint(button)); }

}  // namespace vantrell::test
