// The "Servo Control" window: a view of the servo window model. Every control is repainted from
// the model after each of the operator's actions.
#pragma once

#include <QDialog>
#include <vector>

#include "tape/servo_window.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ormlax::app {

class LampShape;

class ServoDialog : public QDialog {
  Q_OBJECT

 public:
  // The model has been opened by whoever opens the window.
  ServoDialog(ServoWindow& model, bool modelII, QWidget* parent = nullptr);

  // Shows the model's state in every control; closes the window once the model is closed.
  void Repaint();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  struct ServoControls {
    QRadioButton* select;
    LampShape* state;
    LampShape* inUse;
  };

  QWidget* MakeServoColumn(int count);
  void NameFile();

  ServoWindow& model_;
  std::vector<ServoControls> servos_;
  QLabel* inst_[2];
  QLineEdit* fileName_;
  QCheckBox* readOnly_;
  QPushButton* mount_;
  QLabel* or_;
};

}  // namespace ormlax::app
