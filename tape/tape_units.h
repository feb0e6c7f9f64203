// The block primitives the tape instructions call, working on the servo table.
#pragma once

#include "core/devices.h"
#include "core/machine_state.h"
#include "core/operator.h"
#include "tape/servo_unit.h"

namespace ormlax {

class ServoTable : public TapeUnits {
 public:
  ServoTable(ServoUnits& servos, MachineState& state, Operator& op)
      : servos_(servos), s_(state), op_(op) {}

  // Ready for a read, or for a write when forWrite. When not, the run is stopped with the
  // Running lamp red and the operator is told.
  bool CheckServoReady(int servo, bool forWrite) override;
  // Reads the next block (or, backward, the block before the position) into rI.
  void ReadTapeBlock(int servo, bool forward) override;
  // Writes memory words address ... address+59 as the next block, which becomes the last one.
  void WriteTapeBlock(int servo, int address) override;
  // Back to the beginning of the tape; an unloaded servo stays not ready.
  void RewindTape(int servo) override;
  // Rewind with interlock: the file is closed and the servo is not ready.
  void UnloadTape(int servo) override;

 private:
  ServoUnit* Mounted(int servo);
  void ReadForward(int servo, ServoUnit& unit);
  void ReadBackward(int servo, ServoUnit& unit);
  // Tells the operator and unloads the servo.
  void Refuse(int servo, const std::string& message);

  ServoUnits& servos_;
  MachineState& s_;
  Operator& op_;
};

}  // namespace ormlax
