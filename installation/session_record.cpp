#include "installation/session_record.h"

#include "tape/tape_mounting.h"

namespace ormlax {
namespace {

bool IsMounted(ServoState state) {
  return state == ServoState::ReadWrite || state == ServoState::WriteProtected;
}

// The folder as an absolute path without a trailing separator.
std::filesystem::path AbsoluteFolder(const std::filesystem::path& folder) {
  std::filesystem::path full = FullPathOf(folder, ".");
  if (full.filename().empty()) full = full.parent_path();
  return full;
}

// A tape's name as the session keeps it: relative to the working folder when it lies in it, so
// the folder can be moved with its session; otherwise the full path.
std::string SavedFileName(const std::filesystem::path& folder, const std::string& fileName) {
  if (fileName.empty()) return {};
  const std::filesystem::path relative =
      std::filesystem::path(fileName).lexically_relative(AbsoluteFolder(folder));
  if (relative.empty() || *relative.begin() == ".." || relative == ".") return fileName;
  return relative.generic_string();
}

}  // namespace

bool SessionMachineAtRest(const Installation& ormlax, const char* what, std::string& error) {
  const MachineState& s = ormlax.Machine;
  if (!s.Running && !s.WaitingAtStop && !s.InQTStop) return true;
  error = std::string("A session cannot be ") + what +
          " while the machine is running or held inside an instruction: stop it first";
  return false;
}

bool CaptureSession(Installation& ormlax, SessionRecord& record, std::string& error) {
  record.ModelII = ormlax.Machine.IsModelII;
  record.Machine = ormlax.Machine;
  record.Typewriter = ormlax.Ormprinter.State();
  record.PrintBuffer = std::string(ormlax.Ormprinter.Buffer().Pending());
  record.LastAssembledProgram = ormlax.LastAssembledProgram;
  for (int n = 0; n < ServoCountOf(record.ModelII); ++n) {
    ServoUnit& unit = ormlax.Servos[static_cast<std::size_t>(n)];
    SavedServo& saved = record.Servos[static_cast<std::size_t>(n)];
    saved.State = unit.State;
    saved.Position = unit.Position;
    saved.EndOfData = unit.EndOfData;
    saved.BlankTape = unit.BlankTape;
    saved.File = SavedFileName(ormlax.WorkingFolder, unit.FileName);
    if (!IsMounted(unit.State)) continue;
    saved.Length = unit.File.Length();
    if (!saved.Length) {
      error = "The session cannot be saved: the length of the tape " + unit.FileName +
              " on Servo  " + ServoIdentifier(n) + " cannot be taken: " + unit.File.LastError();
      return false;
    }
  }
  return true;
}

void CommitSession(SessionRecord& record, Installation& ormlax) {
  // Historical speed is how this console runs programs, not a state of the machine: it is not in
  // the file, and a restore leaves it as the operator set it.
  const bool historical = ormlax.Machine.HistoricalSpeed;
  ormlax.Machine = record.Machine;
  ormlax.Machine.HistoricalSpeed = historical;
  ormlax.Ormprinter.State() = record.Typewriter;
  ormlax.Ormprinter.ClearPrintBuffer();
  ormlax.Ormprinter.AppendToPrintBuffer(record.PrintBuffer);
  for (std::size_t n = 0; n < ormlax.Servos.size(); ++n) {
    ServoUnit& unit = ormlax.Servos[n];
    SavedServo& saved = record.Servos[n];
    CloseTapeFile(unit, static_cast<int>(n));  // synced before: nothing is left to fail
    unit.State = saved.State;
    unit.File = std::move(saved.Opened);
    unit.Position = saved.Position;
    unit.EndOfData = saved.EndOfData;
    unit.FileName = saved.File.empty() ? std::string() : saved.FullPath.string();
    unit.BlankTape = saved.BlankTape;
  }
  ormlax.LastAssembledProgram = record.LastAssembledProgram;
}

}  // namespace ormlax
