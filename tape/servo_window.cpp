#include "tape/servo_window.h"

#include <system_error>

#include "tape/tape_recognition.h"

namespace ormlax {

std::filesystem::path FullPathOf(const std::filesystem::path& workingFolder,
                                 const std::string& name) {
  const std::filesystem::path typed(name);
  const std::filesystem::path joined = typed.is_absolute() ? typed : workingFolder / typed;
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(joined, ec);
  return (ec ? joined : full).lexically_normal();
}

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

void ServoWindow::Dismount(ServoUnit& unit) {
  unit.File.Close();
  unit.State = ServoState::Empty;
  unit.Position = 0;
  unit.EndOfData = 0;
  unit.FileName.clear();
  unit.BlankTape = false;
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
    Dismount(unit);
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
  ServoUnit& unit = Unit(SelectedServo);
  const NameStepResult result =
      TapeNameStep(op_, txtFileName, FullPathOf(workingFolder_, txtFileName));
  switch (result) {
    case NameStepResult::Accepted:
    case NameStepResult::BlankTape:
      unit.BlankTape = result == NameStepResult::BlankTape;
      labInstEnabled[1] = false;
      chkReadOnlyEnabled = true;
      cmdMountEnabled = true;
      return;
    case NameStepResult::NotBlank:
      txtFileName.clear();
      break;
    case NameStepResult::NotATape:
      break;
  }
  // A refused name leaves no trace: the operator names another file.
  unit.BlankTape = false;
  labInstEnabled[1] = true;
  chkReadOnlyEnabled = false;
  cmdMountEnabled = false;
}

void ServoWindow::Mount() {
  if (SelectedServo != kNoServo && !txtFileName.empty()) {
    ServoUnit& unit = Unit(SelectedServo);
    const std::filesystem::path path = FullPathOf(workingFolder_, txtFileName);
    if (auto tape = TapeMountStep(op_, path, unit.BlankTape)) {
      unit.File = std::move(tape->File);
      unit.State = chkReadOnly ? ServoState::WriteProtected : ServoState::ReadWrite;
      unit.Position = 1;
      unit.EndOfData = tape->EndOfData;
      unit.FileName = path.string();
      labOrEnabled = true;
    }
  }
  Refresh();
  txtFileName.clear();
}

}  // namespace ormlax
