// The block primitives the tape instructions call, working on the servo table.
#pragma once

#include <string>
#include <vector>

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
  // Rewind with interlock: what was written is put on disk, the file is closed and the servo is
  // not ready. When the host cannot put it on disk the operator is told, as for a failed write.
  void UnloadTape(int servo) override;

  // The messages of the transfers the host failed (a file that could not be read or written),
  // in order: such a failure unloads the servo, but the program may go on to end normally.
  const std::vector<std::string>& HostFileErrors() const { return hostFileErrors_; }

 private:
  ServoUnit* Mounted(int servo);
  void ReadForward(int servo, ServoUnit& unit);
  void ReadBackward(int servo, ServoUnit& unit);
  // Tells the operator and unloads the servo.
  void Refuse(int servo, const std::string& message);
  // Unloads the servo; a failing sync is told unless a host failure has just been.
  void Unload(int servo, bool tellFailure);
  void TellHostFailure(const std::string& message);
  // The same for a transfer the host failed: "read" or "written".
  void HostFailure(int servo, ServoUnit& unit, const char* failure);

  ServoUnits& servos_;
  MachineState& s_;
  Operator& op_;
  std::vector<std::string> hostFileErrors_;
};

}  // namespace ormlax
