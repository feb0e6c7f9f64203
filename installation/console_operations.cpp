#include "installation/console_operations.h"

#include "console/memory_dump.h"
#include "tape/tape_mounting.h"

namespace ormlax {

void SwitchOff(Installation& ormlax) {
  for (ServoUnit& unit : ormlax.Servos) unit.File.Close();
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
