// An indicator lamp of the console: a round shape in one of the machine's lamp colours.
#pragma once

#include <QWidget>

#include "core/machine_state.h"

namespace ormlax::app {

class LampShape : public QWidget {
  Q_OBJECT

 public:
  explicit LampShape(QWidget* parent = nullptr, int diameter = 14);

  void SetColour(LampColour colour);
  LampColour Colour() const { return colour_; }
  QSize sizeHint() const override { return {diameter_ + 2, diameter_ + 2}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  LampColour colour_ = LampColour::Grey;
  int diameter_;
};

// The Qt colour of a lamp colour.
QColor ToQColor(LampColour colour);

}  // namespace ormlax::app
