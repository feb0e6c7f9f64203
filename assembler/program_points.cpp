// Passes 2 and 3: the program point references, backward and then forward.
#include "assembler/generated_code.h"
#include "assembler/intermediate_files.h"
#include "assembler/passes.h"
#include "assembler/source_language.h"

namespace ormlax {
namespace {

// Fields 0 to 3 of an intermediate line or record: label, left, right and location.
void TakeFields(AssemblyState& s, std::string_view text) {
  s.Fields = SplitAtTabs(text);
  if (s.Fields.size() < 4) s.Fields.resize(4);
}

// The label field acts: a pseudo-operation, or the definition of a program point.
void DefinePoint(AssemblyState& s, int pass, Location location) {
  const std::string& label = s.Fields[0];
  if (label.empty()) return;
  if (label[0] == '$') {
    ApplyPseudoOp(s, pass);
    return;
  }
  if (const auto point = ProgramPointValue(label); point && *point >= 0 && *point < 10) {
    s.ProgramPoints[static_cast<std::size_t>(*point)] = location;
  }
}

void ResolveLine(AssemblyState& s, int pass, char direction) {
  const Location location = LeadingNumber(s.Fields[3]);
  DefinePoint(s, pass, location);
  s.Fields[1] = ResolveProgramPoint(s, s.Fields[1], direction, location);
  s.Fields[2] = ResolveProgramPoint(s, s.Fields[2], direction, location);
}

std::string RecordText(const AssemblyState& s) {
  return JoinWithTabs({s.Fields[0], s.Fields[1], s.Fields[2], s.Fields[3]});
}

}  // namespace

std::string ResolveProgramPoint(AssemblyState& s, const std::string& field, char direction,
                                Location location) {
  if (!field.empty() && field[0] == '|') return field;
  const std::string_view address = AddressPart(field);
  if (IsConstantReference(address)) {
    // The reference is the expression's name: +A005+1 is the word after the constant +A005.
    s.lstAuto.Add(SplitExpression(address).Name, 0);
    return field;
  }
  if (!IsProgramPointReference(address, direction)) return field;
  const Location point = s.ProgramPoints[static_cast<std::size_t>(address[0] - '0')];
  if (point == -1) {
    RecordError(s, kProgramPointNotDefined, location);
    return field;
  }
  return field.substr(0, 2) + FourDigits(point);
}

bool ResolveBackward(AssemblyState& s) {
  LineReader i2;
  RecordFile i3;
  if (!i2.OpenForReading(s.FileOf(".i2"))) {
    return FailRun(s, AssemblerFileMessage(i2.Path(), "cannot be read", i2.Error()));
  }
  if (!i3.Create(s.FileOf(".i3"))) {
    return FailRun(s, AssemblerFileMessage(i3.Path(), "cannot be written", i3.Error()));
  }
  ResetProgramPoints(s);
  std::int64_t records = 0;
  std::string line;
  while (i2.Next(line)) {
    if (!IsCodeLine(line)) continue;
    TakeFields(s, line);
    ResolveLine(s, 2, 'B');
    if (!i3.Write(++records, RecordText(s))) {
      return FailRun(s, AssemblerFileMessage(i3.Path(), "cannot be written", i3.Error()));
    }
  }
  if (!i2.Error().empty()) {
    return FailRun(s, AssemblerFileMessage(i2.Path(), "cannot be read", i2.Error()));
  }
  if (!i3.Finish()) {
    return FailRun(s, AssemblerFileMessage(i3.Path(), "cannot be written", i3.Error()));
  }
  return true;
}

bool ResolveForward(AssemblyState& s) {
  RecordFile i3;
  RecordFile i4;
  std::int64_t records = 0;
  if (!i3.OpenForReading(s.FileOf(".i3")) || !i3.Count(records)) {
    return FailRun(s, AssemblerFileMessage(i3.Path(), "cannot be read", i3.Error()));
  }
  if (!i4.Create(s.FileOf(".i4"))) {
    return FailRun(s, AssemblerFileMessage(i4.Path(), "cannot be written", i4.Error()));
  }
  ResetProgramPoints(s);
  s.CurrentLocation = -1;
  std::string text;
  for (std::int64_t r = records; r >= 1; --r) {
    if (!i3.Read(r, text)) {
      return FailRun(s, AssemblerFileMessage(i3.Path(), "cannot be read", i3.Error()));
    }
    TakeFields(s, text);
    s.Fields[3] = std::string(TrimBlanks(s.Fields[3]));
    if (r == records) s.CurrentLocation = LeadingNumber(s.Fields[3]);
    ResolveLine(s, 3, 'F');
    if (!i4.Write(r, RecordText(s))) {
      return FailRun(s, AssemblerFileMessage(i4.Path(), "cannot be written", i4.Error()));
    }
  }
  if (!AllocateConstants(s, i4, records) || !i4.Finish()) {
    return FailRun(s, AssemblerFileMessage(i4.Path(), "cannot be written", i4.Error()));
  }
  AllocateWorkingStorage(s);
  return true;
}

}  // namespace ormlax
