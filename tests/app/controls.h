// A window's controls found by their names and worked as a user works them: a click on a button,
// a name typed into a box. Used by the window tests and by the program that photographs the
// windows for the user's guide.
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace ormlax::app::testing {

template <typename T = QWidget>
T* Child(QWidget& window, const QString& name) {
  T* w = window.findChild<T*>(name);
  if (w == nullptr)
    qFatal("no control %s in %s", qPrintable(name), qPrintable(window.objectName()));
  return w;
}

// A click where a user clicks: on a push button's face, on the indicator of a radio button or
// check box.
inline void Click(QWidget& window, const QString& name) {
  auto* b = Child<QAbstractButton>(window, name);
  const bool indicator = qobject_cast<QPushButton*>(b) == nullptr;
  QTest::mouseClick(b, Qt::LeftButton, {}, indicator ? QPoint(6, b->height() / 2) : QPoint());
}

// Types the name into the box, which has the focus, and presses Enter.
inline void EnterName(QWidget& window, const QString& box, const QString& name) {
  auto* edit = Child<QLineEdit>(window, box);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, name);
  QTest::keyClick(edit, Qt::Key_Return);
}

}  // namespace ormlax::app::testing
