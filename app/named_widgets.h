// Small widgets made with their object names, by which the help, the tests and the windows'
// own code find them.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>

namespace ormlax::app {

inline QLabel* NamedLabel(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

// A push button that Enter in a text box of its window does not press.
inline QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption,
                                const QString& tip = {}) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(tip);
  button->setAutoDefault(false);
  return button;
}

}  // namespace ormlax::app
