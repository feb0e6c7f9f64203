#include "tape/tape_mounting.h"

#include <system_error>

namespace ormlax {

std::filesystem::path FullPathOf(const std::filesystem::path& workingFolder,
                                 const std::string& name) {
  const std::filesystem::path typed(name);
  const std::filesystem::path joined = typed.is_absolute() ? typed : workingFolder / typed;
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(joined, ec);
  return (ec ? joined : full).lexically_normal();
}

std::string CloseTapeFile(ServoUnit& unit, int servo) {
  const std::filesystem::path path = unit.File.Path();
  if (!unit.File.IsOpen() || unit.File.Close()) return "";
  return HostFileMessage(path, "cannot be written", unit.File.LastError()) +
         ServoMessageSuffix(servo);
}

bool DismountTape(ServoUnit& unit, int servo, Operator& op) {
  const std::string failure = CloseTapeFile(unit, servo);
  unit.State = ServoState::Empty;
  unit.Position = 0;
  unit.EndOfData = 0;
  unit.FileName.clear();
  unit.BlankTape = false;
  if (failure.empty()) return true;
  ShowOkMessage(op, failure);
  return false;
}

NameStepResult NameTape(ServoUnit& unit, Operator& op, const std::filesystem::path& workingFolder,
                        const std::string& name) {
  const NameStepResult result = TapeNameStep(op, name, FullPathOf(workingFolder, name));
  unit.BlankTape = result == NameStepResult::BlankTape;
  return result;
}

bool MountNamedTape(ServoUnit& unit, Operator& op, const std::filesystem::path& workingFolder,
                    const std::string& name, bool writeProtected) {
  const std::filesystem::path path = FullPathOf(workingFolder, name);
  auto tape = TapeMountStep(op, path, unit.BlankTape, writeProtected);
  if (!tape) return false;
  unit.File = std::move(tape->File);
  unit.State = writeProtected ? ServoState::WriteProtected : ServoState::ReadWrite;
  unit.Position = 1;
  unit.EndOfData = tape->EndOfData;
  unit.FileName = path.string();
  return true;
}

bool MountTape(ServoUnits& servos, int servo, Operator& op,
               const std::filesystem::path& workingFolder, const std::string& name,
               bool writeProtected) {
  if (servo < 0 || servo >= kServoCount) return false;
  ServoUnit& unit = servos[static_cast<std::size_t>(servo)];
  if (unit.File.IsOpen()) DismountTape(unit, servo, op);
  switch (NameTape(unit, op, workingFolder, name)) {
    case NameStepResult::Accepted:
    case NameStepResult::BlankTape:
      return MountNamedTape(unit, op, workingFolder, name, writeProtected);
    case NameStepResult::NotBlank:
    case NameStepResult::NotATape:
      break;
  }
  return false;
}

int ServoHoldingFile(const ServoUnits& servos, const std::filesystem::path& path) {
  for (int n = 0; n < kServoCount; ++n) {
    const ServoUnit& unit = servos[static_cast<std::size_t>(n)];
    if (unit.FileName.empty()) continue;
    const std::filesystem::path held(unit.FileName);
    std::error_code ec;
    if (held == path.lexically_normal() || std::filesystem::equivalent(held, path, ec)) return n;
  }
  return -1;
}

}  // namespace ormlax
