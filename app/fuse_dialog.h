// The blown-fuse window (frmBlowFuse): the fault's caption and reason line, and OK.
#pragma once

#include <QDialog>

class QLabel;

namespace ormlax::app {

class FuseDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FuseDialog(int reason, QWidget* parent = nullptr);

  // A reason with nothing to show closes the window as soon as it opens.
  int exec() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool known_ = false;
};

}  // namespace ormlax::app
