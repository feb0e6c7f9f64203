#include "assembler/assembly_state.h"

#include "assembler/source_language.h"

namespace ormlax {

const char* ErrorText(int code) {
  switch (code) {
    case kInvalidProgramPoint:
      return "Invalid program point on line";
    case kProgramPointNotDefined:
      return "Program point not defined";
    case kNotEnoughFields:
      return "Not enough fields in the line";
    case kUndefinedSymbol:
      return "Undefined symbol";
    case kStorageCountOutOfRange:
      return "Storage count out of range, 1 assumed";
    case kLocationOutsideMemory:
      return "Location outside memory";
    case kTooManyWordsToLoad:
      return "More words than the object tape can load";
    case kFieldsTooLong:
      return "Fields too long";
    default:
      return "Unspecified error";
  }
}

std::filesystem::path AssemblyState::FileOf(const char* extension) const {
  return std::filesystem::path(Base.string() + extension);
}

void RecordError(AssemblyState& s, int code, Location location) {
  s.lstError.Add(location, code);
}

void ResetProgramPoints(AssemblyState& s) {
  s.ProgramPoints.fill(-1);
}

void ApplyPseudoOp(AssemblyState& s, int pass) {
  if (s.Fields.size() < 4) s.Fields.resize(4);
  const std::string name = s.Fields[0].substr(1);
  if (name == "ORG") {
    s.LocationCounter = LeadingNumber(s.Fields[1]);
    s.Fields[0] = "$$$$";
  } else if (name == "CPP") {
    ResetProgramPoints(s);
    if (pass == 3) s.Fields[0] = "$$$$";
  }
}

bool FailRun(AssemblyState& s, const std::string& message) {
  if (s.HostFailure.empty()) s.HostFailure = message;
  return false;
}

}  // namespace ormlax
