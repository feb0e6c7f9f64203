// Pass 1: the source file read line by line into ".i2".
#include <optional>

#include "assembler/generated_code.h"
#include "assembler/intermediate_files.h"
#include "assembler/passes.h"
#include "assembler/source_language.h"

namespace ormlax {
namespace {

constexpr std::size_t kInstructionWidth = 6;

class SourceReader {
 public:
  explicit SourceReader(AssemblyState& s) : s_(s) {}

  bool Run();

 private:
  void CodeLine(const std::string& line);
  bool LabelField();
  void TextLine();
  void StorageLine();
  void InstructionLine(bool pseudo);
  // The end-of-text symbol of the text before, named after the most recent symbolic label.
  void MakePendingEndSymbol();
  void Error(int code, Location location) {
    RecordError(s_, code, location);
    if (code != kStorageCountOutOfRange) s_.AssemblyOk = false;
  }
  // A word at the location: outside memory, the first of a run of such words records error 5.
  void PlaceWord(Location location) {
    const bool outside = location < 0 || location >= s_.Model.MemorySize;
    if (outside && !outside_) Error(kLocationOutsideMemory, location);
    outside_ = outside;
  }
  void Write(const std::string& line) {
    if (ok_ && !i2_.WriteLine(line)) ok_ = false;
  }

  AssemblyState& s_;
  TextWriter i2_;
  bool ok_ = true;
  std::optional<std::string> mostRecentLabel_;
  std::optional<Location> pendingEnd_;  // the last word of a text whose end symbol is pending
  bool outside_ = false;                // the last word placed lay outside memory
};

bool SourceReader::Run() {
  LineReader source;
  if (!source.OpenForReading(s_.FileOf(".asm"))) {
    return FailRun(s_, AssemblerFileMessage(source.Path(), "cannot be read", source.Error()));
  }
  if (!i2_.Create(s_.FileOf(".i2"))) {
    return FailRun(s_, AssemblerFileMessage(i2_.Path(), "cannot be written", i2_.Error()));
  }
  s_.LocationCounter = -1;
  if (s_.Options.InsertOverflowCode) {
    for (const std::string& line : OverflowRoutineLines()) Write(line);
    s_.LocationCounter = kOverflowRoutineWords - 1;
  }
  std::string line;
  while (ok_ && source.Next(line)) {
    if (!IsCodeLine(line)) {
      Write(line);
    } else {
      CodeLine(line);
    }
  }
  if (!source.Error().empty()) {
    return FailRun(s_, AssemblerFileMessage(source.Path(), "cannot be read", source.Error()));
  }
  if (!ok_ || !i2_.Finish()) {
    return FailRun(s_, AssemblerFileMessage(i2_.Path(), "cannot be written", i2_.Error()));
  }
  return true;
}

void SourceReader::CodeLine(const std::string& line) {
  s_.LocationCounter += 1;
  s_.Fields = SplitCodeLine(line);
  std::vector<std::string>& f = s_.Fields;
  if (TrimBlanks(f[0]).empty()) f[0].clear();
  const bool pseudo = !f[0].empty() && f[0][0] == '$';
  if (!pseudo) {
    // A label or fields too long for an intermediate record: the line is left out whole.
    const bool layout = f.size() > 1 && (f[1] == "TXT" || f[1] == "WS");
    const std::string_view left = f.size() > 1 && !layout ? std::string_view(f[1]) : "";
    const std::string_view right = f.size() > 2 && !layout ? std::string_view(f[2]) : "";
    if (!FitsInRecord(f[0], left, right, s_.LocationCounter)) {
      Error(kFieldsTooLong, s_.LocationCounter);
      return;
    }
  }
  if (!LabelField()) return;
  if (!pseudo && f.size() < 3) {
    // The line writes nothing but keeps its location step.
    Error(kNotEnoughFields, s_.LocationCounter);
    return;
  }
  if (f[1] == "TXT") {
    TextLine();
  } else if (f[1] == "WS") {
    StorageLine();
  } else {
    InstructionLine(pseudo);
  }
}

// False when the line is to go no further.
bool SourceReader::LabelField() {
  std::vector<std::string>& f = s_.Fields;
  const std::string label = f[0];
  if (label.empty()) return true;
  if (label[0] == '$') {
    ApplyPseudoOp(s_, 1);
    s_.LocationCounter -= 1;
    if (!FitsInRecord(f[0], f[1], f[2], s_.LocationCounter)) {
      Error(kFieldsTooLong, s_.LocationCounter);
      return false;
    }
    return true;
  }
  if (f.size() < 3) Error(kNotEnoughFields, s_.LocationCounter);
  if (const auto point = ProgramPointValue(label)) {
    if (*point >= 0 && *point < kProgramPointCount) {
      s_.ProgramPoints[static_cast<std::size_t>(*point)] = s_.LocationCounter;
    } else {
      Error(kInvalidProgramPoint, s_.LocationCounter);
    }
    return true;
  }
  MakePendingEndSymbol();
  s_.lstSymTab.Add(label, s_.LocationCounter);
  mostRecentLabel_ = label;
  f[0].clear();
  return true;
}

void SourceReader::MakePendingEndSymbol() {
  if (!pendingEnd_) return;
  if (mostRecentLabel_) {
    s_.lstSymTab.Add(*mostRecentLabel_ + "ZZ", *pendingEnd_);
    mostRecentLabel_.reset();
  }
  pendingEnd_.reset();
}

void SourceReader::TextLine() {
  for (const Word& w : TextWords(s_.Fields[2])) {
    PlaceWord(s_.LocationCounter);
    const std::string_view text = w.View();
    Write(std::string(1, kTab) + "|" + std::string(text.substr(0, 6)) + kTab + "|" +
          std::string(text.substr(6)) + kTab + std::to_string(s_.LocationCounter));
    s_.LocationCounter += 1;
  }
  s_.LocationCounter -= 1;
  pendingEnd_ = s_.LocationCounter;
}

void SourceReader::StorageLine() {
  MakePendingEndSymbol();
  std::int64_t count = LeadingNumber(s_.Fields[2]);
  if (count < 1 || count > s_.Model.MemorySize) {
    Error(kStorageCountOutOfRange, s_.LocationCounter);
    count = 1;
  }
  if (s_.WorkingStorageTotal + count > s_.Model.MemorySize) {
    // No program could hold it: the area is not reserved.
    Error(kLocationOutsideMemory, s_.LocationCounter);
  } else {
    s_.lstWS.Add(mostRecentLabel_.value_or(""), count);
    s_.WorkingStorageTotal += count;
  }
  s_.LocationCounter -= 1;
}

void SourceReader::InstructionLine(bool pseudo) {
  MakePendingEndSymbol();
  std::vector<std::string>& f = s_.Fields;
  if (!pseudo) PlaceWord(s_.LocationCounter);
  std::vector<std::string> out = {f[0], PadRight(f[1], kInstructionWidth),
                                  PadRight(f[2], kInstructionWidth),
                                  std::to_string(s_.LocationCounter)};
  for (std::size_t i = 3; i < f.size(); ++i) {
    if (!f[i].empty()) out.push_back(f[i]);
  }
  Write(JoinWithTabs(out));
}

}  // namespace

bool FitsInRecord(std::string_view label, std::string_view left, std::string_view right,
                  Location location) {
  const auto width = [](std::string_view field) {
    return std::max<std::size_t>(field.size(), kInstructionWidth);
  };
  const std::size_t length =
      label.size() + width(left) + width(right) + std::to_string(location).size() + 3;
  return length <= RecordFile::kTextLength;
}

bool ReadSource(AssemblyState& s) {
  return SourceReader(s).Run();
}

}  // namespace ormlax
