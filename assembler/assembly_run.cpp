#include "assembler/assembly_run.h"

#include <system_error>

#include "assembler/intermediate_files.h"
#include "assembler/listing.h"
#include "assembler/object_tape.h"
#include "assembler/passes.h"
#include "tape/tape_mounting.h"

namespace ormlax {
namespace {

constexpr const char* kIntermediates[] = {".i2", ".i3", ".i4", ".i5"};
// Every file a run writes.
constexpr const char* kWritten[] = {".obj", ".lst", ".i2", ".i3", ".i4", ".i5"};

void Tell(Operator& op, const std::string& text, MessageIcon icon = MessageIcon::None) {
  MessageRequest request{text};
  request.icon = icon;
  op.ShowMessage(request);
}

// The source must be a file the assembler can read as text: a NUL byte is in no text.
bool CheckSource(const std::filesystem::path& path, std::string& message) {
  LineReader source;
  if (!source.OpenForReading(path)) {
    message = AssemblerFileMessage(path, "cannot be read", source.Error());
    return false;
  }
  std::string line;
  for (std::int64_t number = 1; source.Next(line); ++number) {
    if (line.find('\0') != std::string::npos) {
      message = AssemblerFileMessage(path, "is not a text file",
                                     "line " + std::to_string(number) + " holds a NUL byte");
      return false;
    }
  }
  if (!source.Error().empty()) {
    message = AssemblerFileMessage(path, "cannot be read", source.Error());
    return false;
  }
  return true;
}

// The passes, the object tape and the listing; false when a host file failed.
bool RunPasses(AssemblyState& s, std::span<Word, kBlockWords> memory) {
  if (!ReadSource(s)) return false;
  if (s.AssemblyOk && !ResolveBackward(s)) return false;
  if (s.AssemblyOk && !ResolveForward(s)) return false;
  if (s.AssemblyOk && !ResolveSymbols(s)) return false;
  NewTapeFile objectTape;
  if (s.AssemblyOk && !WriteObjectTape(s, memory, objectTape)) return false;
  // The new object tape takes the old one's place only with its listing: when the listing
  // fails, both stay as they were.
  if (!WriteListing(s)) return false;
  return !objectTape.IsOpen() || CommitObjectTape(s, objectTape);
}

// Deletes a file the run wrote; anything else of that name stays.
void RemoveIfFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec))) {
    std::filesystem::remove(path, ec);
  }
}

}  // namespace

std::string ProgramNameOf(const std::string& typedName) {
  const std::size_t slash = typedName.rfind('/');
  const std::size_t fileName = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = typedName.find('.', fileName);
  return dot == std::string::npos ? typedName : typedName.substr(0, dot);
}

AssemblyOutcome AssembleProgram(AssemblyContext& c, const std::string& typedName,
                                const AssemblyOptions& options) {
  AssemblyState s;
  s.Options = options;
  s.Model = c.Model;
  if (!typedName.empty() && typedName[0] == '<') {
    Tell(c.Op, std::string("You must enter a file name to be assembled") + std::string(kLineBreak) +
                   "The file type must be \".asm\"");
    return AssemblyOutcome::Refused;
  }
  s.ProgramName = ProgramNameOf(typedName);
  s.Base = FullPathOf(c.WorkingFolder, s.ProgramName);
  std::error_code ec;
  if (!std::filesystem::exists(s.FileOf(".asm"), ec)) {
    Tell(c.Op, "No such input file");
    return AssemblyOutcome::Refused;
  }
  for (const char* extension : kWritten) {
    if (ServoHoldingFile(c.Servos, s.FileOf(extension)) >= 0) {
      Tell(c.Op, "That tape is in use");
      return AssemblyOutcome::Refused;
    }
  }
  std::string failure;
  if (!CheckSource(s.FileOf(".asm"), failure)) {
    Tell(c.Op, failure, MessageIcon::Exclamation);
    return AssemblyOutcome::HostFileError;
  }

  c.LastAssembledProgram = s.ProgramName;
  // Intermediates of an earlier run would pass for this run's where a pass does not run.
  for (const char* extension : kIntermediates) RemoveIfFile(s.FileOf(extension));
  ResetProgramPoints(s);
  s.AssemblyOk = true;
  AssemblyOutcome outcome = AssemblyOutcome::Assembled;
  if (!RunPasses(s, c.Memory)) {
    c.LastAssembledProgram.clear();
    Tell(c.Op, s.HostFailure, MessageIcon::Exclamation);
    outcome = AssemblyOutcome::HostFileError;
  } else if (!s.AssemblyOk) {
    c.LastAssembledProgram.clear();
    Tell(c.Op,
         std::string("Errors in assembly") + std::string(kLineBreak) + "See " + s.ProgramName +
             ".lst",
         MessageIcon::Exclamation);
    outcome = AssemblyOutcome::ErrorsInAssembly;
  }
  // What a run that failed on a host file wrote of them may be cut short: none is kept.
  if (!options.KeepIntermediates || outcome == AssemblyOutcome::HostFileError) {
    for (const char* extension : kIntermediates) RemoveIfFile(s.FileOf(extension));
  }
  return outcome;
}

}  // namespace ormlax
