#include "assembler/listing.h"

#include <algorithm>
#include <unordered_map>

#include "assembler/generated_code.h"
#include "assembler/intermediate_files.h"
#include "assembler/source_language.h"
#include "core/operator.h"

namespace ormlax {
namespace {

std::string Blanks(std::int64_t count) {
  return std::string(static_cast<std::size_t>(std::max<std::int64_t>(count, 0)), ' ');
}

class ListingWriter {
 public:
  ListingWriter(AssemblyState& s, DurableFile& lst)
      : s_(s), lst_(lst), width_(s.Model.AddressDigits), symbolWidth_(SymbolWidth(s)) {}

  bool Write();

 private:
  void Line(const std::string& text) {
    if (ok_ && !WriteListingLine(lst_, text)) ok_ = false;
  }
  void OptionNotes();
  bool ProgramSection();
  void ProgramLine(const std::string& line);
  // The errors up to the line's location, from where the walk stands.
  void ErrorsUpTo(Location location);
  void ErrorLine(ErrorTable::Iterator error, bool underItsLine);
  void ConstantsSection();
  void WorkingStorageSection();

  AssemblyState& s_;
  DurableFile& lst_;
  const int width_;
  const std::size_t symbolWidth_;
  ErrorTable::Iterator error_;
  bool ok_ = true;
};

bool ListingWriter::Write() {
  // The label table: for each location the first symbol that has it, in symbol table order.
  s_.lstXrefSort.Clear();
  for (const auto& [name, location] : s_.lstSymTab) {
    if (location != -1) s_.lstXrefSort.Add(location, name);
  }
  OptionNotes();
  if (!ProgramSection()) return false;
  ConstantsSection();
  WorkingStorageSection();
  return ok_ && WriteCrossReference(s_, lst_, symbolWidth_);
}

void ListingWriter::OptionNotes() {
  if (s_.Options.InsertLoader) {
    Line("A loading routine for this program has been generated");
    if (s_.WorkingStorageTotal > 0) Line("It also clears working storage to zeros");
    Line("");
  }
  if (s_.Options.KeepIntermediates) {
    Line("The temporary intermediate files have been preserved");
    Line("");
  }
}

bool ListingWriter::ProgramSection() {
  LineReader i2;
  if (!i2.OpenForReading(s_.FileOf(".i2"))) {
    return FailRun(s_, AssemblerFileMessage(i2.Path(), "cannot be read", i2.Error()));
  }
  error_ = s_.lstError.begin();
  std::string line;
  for (std::int64_t number = 0; ok_ && i2.Next(line); ++number) {
    if (s_.Options.InsertOverflowCode && number == 0) {
      Line("Automatically generated overflow routine");
      Line("");
    }
    if (s_.Options.InsertOverflowCode && number == kOverflowRoutineWords) {
      Line("");
      Line("End of automatically generated overflow routine");
      Line("");
    }
    if (!IsCodeLine(line)) {
      Line(Blanks(width_ + 3) + line);  // a comment line stops the error walk at once
    } else {
      ProgramLine(line);
    }
  }
  if (!i2.Error().empty()) {
    return FailRun(s_, AssemblerFileMessage(i2.Path(), "cannot be read", i2.Error()));
  }
  // Errors that no line of the program has come right after it.
  for (; error_ != s_.lstError.end(); ++error_) ErrorLine(error_, false);
  return true;
}

void ListingWriter::ProgramLine(const std::string& line) {
  std::vector<std::string> fields = SplitAtTabs(line);
  if (fields.size() < 4) fields.resize(4);
  const Location location = LeadingNumber(fields[3]);
  std::string column;
  if (fields[0].empty() || fields[0][0] != '$') {
    if (TrimBlanks(fields[0]).empty()) {
      const auto label = s_.lstXrefSort.FindFirst(location);
      if (label != s_.lstXrefSort.end()) fields[0] = label->second;
    }
    fields[0] = PadRight(fields[0], symbolWidth_);
    column = RightAligned(location, width_) + Blanks(3);
  } else {
    column = Blanks(width_ + 3);
  }
  fields[3].clear();
  Line(column + JoinWithTabs(fields));
  ErrorsUpTo(location);
}

void ListingWriter::ErrorsUpTo(Location location) {
  for (; error_ != s_.lstError.end() && error_->first <= location; ++error_) {
    ErrorLine(error_, error_->first == location);
  }
}

void ListingWriter::ErrorLine(ErrorTable::Iterator error, bool underItsLine) {
  std::string text = std::string("ERROR ") + ErrorText(error->second);
  // A location outside memory may be too wide for the location column: it is always spelt out.
  if (!underItsLine || error->second == kLocationOutsideMemory) {
    text += " at location " + std::to_string(error->first);
  }
  Line(text);
}

void ListingWriter::ConstantsSection() {
  if (s_.lstAuto.Empty()) return;
  Line("");
  Line("Automatically generated constants");
  Line("");
  for (const auto& [name, location] : s_.lstSymTab) {
    if (name.empty() || name[0] != '+') continue;
    const std::string word = ConstantWord(name);
    if (word.empty()) continue;
    Line(RightAligned(location, width_) + Blanks(3) + name +
         Blanks(static_cast<std::int64_t>(symbolWidth_) - static_cast<std::int64_t>(name.size()) +
                3) +
         word);
  }
}

void ListingWriter::WorkingStorageSection() {
  if (s_.lstWS.Empty()) return;
  Line("");
  Line(std::string("Working storage, ") +
       (s_.Options.InsertLoader ? "cleared by loader, but not loaded" : "loaded as zeros"));
  Line("");
  std::unordered_map<std::string, Location> firstOfName;
  for (const auto& [name, location] : s_.lstSymTab) {
    firstOfName.try_emplace(std::string(TrimBlanks(name)), location);
  }
  static constexpr const char* kZeroHalves = "\t|000000\t|000000";
  for (const auto& [name, count] : s_.lstWS) {
    const auto symbol = firstOfName.find(std::string(TrimBlanks(name)));
    // An area whose name has no symbol has no location to show.
    const auto column = [&](Location k) {
      return symbol == firstOfName.end() ? Blanks(width_)
                                         : RightAligned(symbol->second + k, width_);
    };
    Line(column(0) + Blanks(3) + name +
         Blanks(static_cast<std::int64_t>(symbolWidth_) - static_cast<std::int64_t>(name.size()) +
                3) +
         kZeroHalves);
    for (Location k = 1; k < count && ok_; ++k) {
      Line(column(k) + Blanks(3) + Blanks(static_cast<std::int64_t>(symbolWidth_) + 3) +
           kZeroHalves);
    }
  }
}

}  // namespace

std::string RightAligned(Location location, int width) {
  const std::string digits = std::to_string(location);
  const std::size_t w = static_cast<std::size_t>(width);
  if (digits.size() >= w) return digits.substr(digits.size() - w);
  return std::string(w - digits.size(), ' ') + digits;
}

std::size_t SymbolWidth(const AssemblyState& s) {
  std::size_t width = 0;
  for (const auto& entry : s.lstSymTab) width = std::max(width, TrimBlanks(entry.first).size());
  return width;
}

bool WriteListingLine(DurableFile& lst, std::string_view line) {
  return lst.Write(line) && lst.Write(kLineBreak);
}

bool WriteListing(AssemblyState& s) {
  if (!s.lstError.Empty()) s.AssemblyOk = false;
  DurableFile lst;
  if (!lst.Begin(s.FileOf(".lst"))) {
    return FailRun(s, AssemblerFileMessage(lst.Path(), "cannot be written", lst.Reason()));
  }
  if (!ListingWriter(s, lst).Write()) {
    if (!s.HostFailure.empty()) return false;  // ".i2" could not be read; the old listing stays
    return FailRun(s, AssemblerFileMessage(lst.Path(), "cannot be written", lst.Reason()));
  }
  if (!lst.Commit()) {
    return FailRun(s, AssemblerFileMessage(lst.Path(), "cannot be written", lst.Reason()));
  }
  return true;
}

}  // namespace ormlax
