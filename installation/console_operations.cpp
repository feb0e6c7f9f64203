#include "installation/console_operations.h"

#include "console/memory_dump.h"
#include "tape/tape_mounting.h"

namespace ormlax {

std::vector<std::string> SwitchOff(Installation& ormlax) {
  std::vector<std::string> failures;
  for (int servo = 0; servo < kServoCount; ++servo) {
    std::string failure = CloseTapeFile(ormlax.Servos[static_cast<std::size_t>(servo)], servo);
    if (!failure.empty()) failures.push_back(std::move(failure));
  }
  return failures;
}

bool DumpMemory(Installation& ormlax, const std::filesystem::path& file, std::string& error) {
  const std::filesystem::path path = FullPathOf(ormlax.WorkingFolder, file.string());
  if (const int servo = ServoHoldingFile(ormlax.Servos, path); servo >= 0) {
    error =
        MemoryDumpFailure(path, std::string("it is the tape on Servo  ") + ServoIdentifier(servo));
    return false;
  }
  return WriteMemoryDump(ormlax.Machine, path, error);
}

}  // namespace ormlax
