// The "Servo Control" window as a model: what its controls show and what they do. The desktop
// window binds its controls to the fields of the same names and calls the operations.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <utility>

#include "core/machine_state.h"
#include "core/operator.h"
#include "tape/servo_unit.h"
#include "tape/tape_mounting.h"

namespace ormlax {

class ServoWindow {
 public:
  static constexpr int kNoServo = -1;

  ServoWindow(ServoUnits& servos, Operator& op, std::filesystem::path workingFolder, bool modelII)
      : servos_(servos), op_(op), workingFolder_(std::move(workingFolder)), modelII_(modelII) {}

  // What the controls show. The window writes txtFileName and chkReadOnly when the operator
  // edits them.
  int SelectedServo = kNoServo;
  std::string txtFileName;
  // The name in the box is selected, so that what the operator types next replaces it: set when
  // the name was refused, cleared when another name is given.
  bool txtFileNameSelected = false;
  bool chkReadOnly = false;
  std::array<bool, 2> labInstEnabled{true, false};
  bool txtFileNameEnabled = false;
  bool chkReadOnlyEnabled = false;
  bool cmdMountEnabled = false;
  bool labOrEnabled = false;
  bool Closed = false;

  // The number of servo selectors shown: 10 on ORMLAX I, 16 on ORMLAX II.
  int ServoCount() const { return ServoCountOf(modelII_); }
  LampColour shaServo(int servo) const;
  LampColour shaInUse(int servo) const;

  // Opening: proposes the program assembled last (once: the name is then cleared).
  void Open(std::string& lastAssembledProgram);
  // No servo selected, the first step's label enabled and the later controls disabled.
  void Refresh();
  // A click on servo selector n; a servo holding an open file is only selected once the
  // operator has agreed to dismount its tape.
  void SelectServo(int servo);
  // A click in the name box or Enter in it: the name step for the selected servo.
  void NameFile();
  // The mount step on the name in the box, for the selected servo.
  void Mount();
  void Done() { Closed = true; }

 private:
  ServoUnit& Unit(int servo) { return servos_[static_cast<std::size_t>(servo)]; }

  ServoUnits& servos_;
  Operator& op_;
  std::filesystem::path workingFolder_;
  bool modelII_;
};

}  // namespace ormlax
