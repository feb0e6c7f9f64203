#include "tape/tape_units.h"

#include <algorithm>

#include "tape/tape_mounting.h"
#include "tape/tape_recognition.h"

namespace ormlax {
namespace {

bool IsMounted(const ServoUnit& unit) {
  return unit.State == ServoState::ReadWrite || unit.State == ServoState::WriteProtected;
}

}  // namespace

ServoUnit* ServoTable::Mounted(int servo) {
  if (servo < 0 || servo >= kServoCount) return nullptr;
  ServoUnit& unit = servos_[static_cast<std::size_t>(servo)];
  return IsMounted(unit) && unit.File.IsOpen() ? &unit : nullptr;
}

bool ServoTable::CheckServoReady(int servo, bool forWrite) {
  const ServoUnit* unit = Mounted(servo);
  const bool ready = unit != nullptr && !(forWrite && unit->State == ServoState::WriteProtected);
  if (!ready) {
    StopWithLamp(s_, kRunningLamp, StopReason::ServoNotReady);
    ShowOkMessage(op_, std::string("Servo ") + ServoIdentifier(servo) + " not ready");
  }
  return ready;
}

void ServoTable::Refuse(int servo, const std::string& message) {
  ShowOkMessage(op_, message + ServoMessageSuffix(servo));
  UnloadTape(servo);
}

void ServoTable::TellHostFailure(const std::string& message) {
  hostFileErrors_.push_back(message);
  ShowOkMessage(op_, message);
}

void ServoTable::HostFailure(int servo, ServoUnit& unit, const char* failure) {
  TellHostFailure(HostFileMessage(unit.File.Path(), std::string("cannot be ") + failure,
                                  unit.File.LastError()) +
                  ServoMessageSuffix(servo));
  // The failure just told is the one the operator must know of; a sync failing after it adds
  // nothing.
  Unload(servo, false);
}

void ServoTable::ReadTapeBlock(int servo, bool forward) {
  s_.rIStatus = RegisterStatus::Cleared;
  ServoUnit* unit = Mounted(servo);
  if (unit == nullptr) return;  // the caller has checked readiness
  if (forward) {
    ReadForward(servo, *unit);
  } else {
    ReadBackward(servo, *unit);
  }
}

void ServoTable::ReadForward(int servo, ServoUnit& unit) {
  const int p = unit.Position;
  unit.Position = p + kBlockRecords;
  const char* refusal = nullptr;
  if (BeyondTapeCapacity(p)) refusal = "Attempt to read past end of tape";
  if (p + kBlockRecords > unit.EndOfData) refusal = "Reading past end of data";
  if (refusal != nullptr) {
    Refuse(servo, refusal);
    return;
  }
  TapeBlock block;
  for (int r = 0; r < kBlockRecords; ++r) {
    const auto record = unit.File.ReadRecord(p + r);
    if (!record) {
      HostFailure(servo, unit, "read");
      return;
    }
    std::copy(record->begin(), record->end(), block.begin() + r * kRecordWords);
  }
  s_.rI = block;
  s_.rIStatus = RegisterStatus::InUse;
}

void ServoTable::ReadBackward(int servo, ServoUnit& unit) {
  // At the beginning of the tape there is no block before the position.
  if (unit.Position - kBlockRecords < 1) {
    Refuse(servo, "Attempt to read past beginning of tape");
    return;
  }
  // The records before the position, last first; the block keeps its forward word order.
  TapeBlock block;
  for (int r = kBlockRecords - 1; r >= 0; --r) {
    const auto record = unit.File.ReadRecord(unit.Position - 1);
    if (!record) {
      HostFailure(servo, unit, "read");
      return;
    }
    std::copy(record->begin(), record->end(), block.begin() + r * kRecordWords);
    --unit.Position;
  }
  s_.rI = block;
  s_.rIStatus = RegisterStatus::InUse;
}

void ServoTable::WriteTapeBlock(int servo, int address) {
  ServoUnit* unit = Mounted(servo);
  if (unit == nullptr || unit->State != ServoState::ReadWrite) return;  // checked by the caller
  if (address < 0 || address + kBlockWords > kMaxMemorySize) {
    StopWithLamp(s_, kInvalidAddressLamp);
    return;
  }
  const int p = unit->Position;
  unit->Position = p + kBlockRecords;
  if (BeyondTapeCapacity(p)) {
    Refuse(servo, "Attempt to write past end of tape");
    return;
  }
  TapeBlock block;
  std::copy_n(s_.Memory.begin() + address, kBlockWords, block.begin());
  if (!unit->File.WriteBlock(p, block)) {
    HostFailure(servo, *unit, "written");
    return;
  }
  // The block written is now the last one on the tape.
  unit->EndOfData = p + kBlockRecords;
}

void ServoTable::RewindTape(int servo) {
  if (servo < 0 || servo >= kServoCount) return;
  ServoUnit& unit = servos_[static_cast<std::size_t>(servo)];
  if (unit.State != ServoState::Empty) unit.Position = 1;
}

void ServoTable::UnloadTape(int servo) {
  Unload(servo, true);
}

void ServoTable::Unload(int servo, bool tellFailure) {
  if (servo < 0 || servo >= kServoCount) return;
  ServoUnit& unit = servos_[static_cast<std::size_t>(servo)];
  if (!IsMounted(unit)) return;
  unit.Position = 0;
  const std::string failure = CloseTapeFile(unit, servo);
  unit.State = ServoState::Unloaded;
  if (tellFailure && !failure.empty()) TellHostFailure(failure);
}

}  // namespace ormlax
