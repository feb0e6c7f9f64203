#include "tape/servo_window.h"

namespace ormlax {

LampColour ServoWindow::shaServo(int servo) const {
  return ServoStateColour(servos_[static_cast<std::size_t>(servo)]);
}

LampColour ServoWindow::shaInUse(int servo) const {
  return ServoInUseColour(servos_[static_cast<std::size_t>(servo)]);
}

void ServoWindow::Open(std::string& lastAssembledProgram) {
  Closed = false;
  Refresh();
  labOrEnabled = false;
  if (!lastAssembledProgram.empty()) {
    txtFileName = lastAssembledProgram + ".obj";
    lastAssembledProgram.clear();
  }
}

void ServoWindow::Refresh() {
  SelectedServo = kNoServo;
  labInstEnabled = {true, false};
  txtFileNameEnabled = false;
  chkReadOnly = false;
  chkReadOnlyEnabled = false;
  cmdMountEnabled = false;
}

void ServoWindow::SelectServo(int servo) {
  if (servo < 0 || servo >= ServoCount()) return;
  ServoUnit& unit = Unit(servo);
  if (unit.File.IsOpen()) {
    const MessageAnswer answer = op_.ShowMessage(
        MessageRequest{"There is already a tape\r\nmounted on this servo.\r\nUnmount it?",
                       MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No});
    if (answer != MessageAnswer::Yes) {
      SelectedServo = kNoServo;
      return;
    }
    DismountTape(unit, servo, op_);
  }
  labInstEnabled[0] = false;
  labInstEnabled[1] = true;
  txtFileNameEnabled = true;
  // The name step is run again for this servo before it can be mounted.
  chkReadOnlyEnabled = false;
  cmdMountEnabled = false;
  SelectedServo = servo;
}

void ServoWindow::NameFile() {
  if (SelectedServo == kNoServo || txtFileName.empty()) return;
  txtFileNameSelected = false;
  switch (NameTape(Unit(SelectedServo), op_, workingFolder_, txtFileName)) {
    case NameStepResult::Accepted:
    case NameStepResult::BlankTape:
      labInstEnabled[1] = false;
      chkReadOnlyEnabled = true;
      cmdMountEnabled = true;
      return;
    case NameStepResult::NotBlank:
      txtFileName.clear();
      break;
    case NameStepResult::NotATape:
      // The name stays for the operator to correct or to type over.
      txtFileNameSelected = true;
      break;
  }
  // A refused name leaves no trace: the operator names another file.
  labInstEnabled[1] = true;
  chkReadOnlyEnabled = false;
  cmdMountEnabled = false;
}

void ServoWindow::Mount() {
  if (SelectedServo != kNoServo && !txtFileName.empty() &&
      MountNamedTape(Unit(SelectedServo), op_, workingFolder_, txtFileName, chkReadOnly)) {
    labOrEnabled = true;
  }
  Refresh();
  txtFileName.clear();
  txtFileNameSelected = false;
}

}  // namespace ormlax
