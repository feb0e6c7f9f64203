// Showing the machine state on the console panel.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "app/console_window.h"
#include "app/lamp_shape.h"
#include "app/typewriter_section.h"
#include "app/word_field.h"
#include "console/panel_operations.h"
#include "tape/servo_unit.h"

namespace ormlax::app {

void ConsoleWindow::SetRadio(QRadioButton* button, bool on) {
  if (button->isChecked() == on) return;
  const bool exclusive = button->autoExclusive();
  button->setAutoExclusive(false);
  button->setChecked(on);
  button->setAutoExclusive(exclusive);
}

void ConsoleWindow::RefreshFromState() {
  const MachineState& s = sim_.Machine();
  const PanelDisplay& p = s.Panel;
  txtLoc_->Show(p.LocationText);
  if (!txtCC_->hasFocus() || !s.Running) txtCC_->Show(p.rCCBlank ? "" : FormatAddress(s, s.rCC));
  txtSR_->Show(p.rSRBlank ? "" : s.rSR.Text());
  for (int i = 0; i < kWordFieldCount; ++i) {
    txtVal_[static_cast<std::size_t>(i)]->Show(WordFieldShown(s, i));
  }
  labRegName_[0]->setText(VRegisterLabel(s));
  labRegName_[1]->setText(YRegisterLabel(s));
  labRegName_[2]->setText("rI");
  labRegInUse_[0]->setText(StatusText(s.rVStatus));
  labRegInUse_[1]->setText(StatusText(s.rYStatus));
  labRegInUse_[2]->setText(StatusText(s.rIStatus));
  for (int i = 0; i < kLampCount; ++i) {
    lamps_[static_cast<std::size_t>(i)]->SetColour(s.Lamp[static_cast<std::size_t>(i)]);
  }

  for (QWidget* w : panelControls_) w->setEnabled(p.ControlsEnabled);
  // The assembler borrows memory words 0 to 59 and feeds rCR: never under a running or held
  // program.
  cmdAssemble_->setEnabled(p.ControlsEnabled && !s.Running && !s.InQTStop && !s.WaitingAtStop);
  const bool location = p.ControlsEnabled && p.LocationEnabled;
  txtLoc_->setEnabled(location);
  txtVal_[0]->setEnabled(location);
  if (p.HoldControlsEnabled) {
    for (QWidget* w : {static_cast<QWidget*>(cmdSingleStep_), static_cast<QWidget*>(cmdLCPlus_),
                       static_cast<QWidget*>(cmdLCMinus_)}) {
      w->setEnabled(true);
    }
  }

  for (int i = 0; i <= kQTAll; ++i) {
    SetRadio(optQT_[static_cast<std::size_t>(i)], s.QTSwitches[static_cast<std::size_t>(i)]);
  }
  SetRadio(optQTGo_[0], p.QTGo == QTGoChoice::GoTo);
  SetRadio(optQTGo_[1], p.QTGo == QTGoChoice::NoGo);
  for (int i = 0; i < 2; ++i) {
    labQTGoPC_[static_cast<std::size_t>(i)]->setText(
        QString::fromStdString(p.QTGoLabels[static_cast<std::size_t>(i)]));
  }

  const int servos = ServoCountOf(s.IsModelII);
  for (int n = 0; n < servos; ++n) {
    const ServoUnit& unit = ormlax_.Servos[static_cast<std::size_t>(n)];
    shaServo_[static_cast<std::size_t>(n)]->SetColour(ServoStateColour(unit));
    shaServoInUse_[static_cast<std::size_t>(n)]->SetColour(ServoInUseColour(unit));
  }
  // A word printed shows the section first, so that the paper has its width when it is filled.
  if (sim_.Ormprinter().State().SectionShown && typewriter_->isHidden()) ShowTypewriter();
  typewriter_->Refresh();
  emit Refreshed();
}

// The controls' own handlers run as they change; each sets what the state holds already.
void ConsoleWindow::ShowOptions() {
  const MachineState& s = sim_.Machine();
  chkProgDebug_->setChecked(s.ProgramDebug);
  if (chkO2asO1_ != nullptr) chkO2asO1_->setChecked(s.OperatingAsI);
  if (auto* hasI = findChild<QCheckBox*>("chkHasI")) hasI->setChecked(s.HasIInstruction);
  chkHistorical_->setChecked(s.HistoricalSpeed);
  SetRadio(findChild<QRadioButton*>("optBP0"), !s.StopOnComma);
  SetRadio(findChild<QRadioButton*>("optBP1"), s.StopOnComma);
  for (int i = 0; i < 3; ++i) {
    SetRadio(findChild<QRadioButton*>(QString("opt50%1").arg(i)),
             static_cast<int>(s.FiftyBreak) == i);
  }
}

}  // namespace ormlax::app
