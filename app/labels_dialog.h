// The "Labels on mounted tapes" window: which file is mounted on each servo.
#pragma once

#include <QDialog>

#include "tape/servo_unit.h"

namespace ormlax::app {

class LabelsDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 5100;

  LabelsDialog(const ServoUnits& servos, bool modelII, QWidget* parent = nullptr);
};

}  // namespace ormlax::app
