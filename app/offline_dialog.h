// "ORMLAX Off-line Functions" (frmOffLine): the operator's desk for the off-line equipment, a
// view of the off-line window model. It opens the plugboard editor and the Ormtyper through the
// console's dialog runner, so that tests can work them too.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <memory>

#include "app/dialog_runner.h"
#include "installation/installation.h"
#include "offline/host_printer.h"
#include "offline/offline_window.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ormlax::app {

class LampShape;

class OffLineDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 8000;

  // The desk of the installation, with `printer` for output that goes to no target (none: such
  // output is refused).
  OffLineDialog(Installation& ormlax, Operator& op, HostPrinter* printer,
                DialogRunner runner = ExecDialog(), QWidget* parent = nullptr);
  ~OffLineDialog() override;

  OffLineWindow& Model() { return *model_; }
  // Shows the model's state in every control; closes the window once the model is closed.
  void Repaint();

 public slots:
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class DeskOperator;

  QWidget* BuildBoxes();
  QWidget* BuildPlugboard();
  QWidget* BuildButtons();
  QWidget* BuildPrinterSwitch();
  void NameBox(QLineEdit* box, bool leaving);
  void ChooseOption(int index);
  void PickListed(int row);
  void RunOperation(int index);
  void OpenEditor();
  void OpenOrmtyper();
  void Exit();

  DialogRunner runner_;
  std::unique_ptr<DeskOperator> op_;
  std::unique_ptr<OffLineDesk> desk_;
  std::unique_ptr<OffLineWindow> model_;
  bool naming_ = false;  // a box is being accepted: its message boxes move the focus
  QString acceptedSource_;
  QString acceptedTarget_;

  QLineEdit* txtSource_;
  QLineEdit* txtTarget_;
  std::array<QRadioButton*, 3> optPlugboard_{};
  QLabel* labWhichPB_;
  QListWidget* lstPlugboard_;
  std::array<QPushButton*, kOffLineButtons> cmdOutput_{};
  QCheckBox* chkBreakpoint_;
  QLabel* labBreakpoint_;
  std::array<LampShape*, 2> shaHSP_{};
  QPushButton* cmdDone_;
};

}  // namespace ormlax::app
