// Pass 4: symbol expressions evaluated and every word finished into ".i5".
#include "assembler/intermediate_files.h"
#include "assembler/passes.h"
#include "assembler/source_language.h"

namespace ormlax {

std::string EvaluateAddress(AssemblyState& s, std::string_view expression) {
  const SymbolExpression e = SplitExpression(expression);
  Location value = 0;
  if (e.Name == "$") {
    value = s.CurrentLocation;
  } else {
    const auto entry = s.lstSymTab.FindFirst(e.Name);
    s.lstXref.Add(e.Name, s.CurrentLocation);
    value = entry != s.lstSymTab.end() ? entry->second : -2;
    if (value < 0 && e.Name[0] != '+') {
      RecordError(s, kUndefinedSymbol, s.CurrentLocation);
      if (entry == s.lstSymTab.end()) s.lstSymTab.Add(e.Name, -1);
      s.AssemblyOk = false;
    }
  }
  return FourDigits(value + e.Offset);
}

std::string ResolveField(AssemblyState& s, const std::string& field) {
  if (!field.empty() && field[0] == '|') return PadRight(field.substr(1), 6, '0').substr(0, 6);
  const std::string operation = PadRight(field.substr(0, 2), 2, '0');
  std::string address(AddressPart(field));
  if (IsSymbolExpression(address)) address = EvaluateAddress(s, address);
  return operation + PadRight(address, 4, '0').substr(0, 4);
}

bool ResolveSymbols(AssemblyState& s) {
  RecordFile i4;
  TextWriter i5;
  std::int64_t records = 0;
  if (!i4.OpenForReading(s.FileOf(".i4")) || !i4.Count(records)) {
    return FailRun(s, AssemblerFileMessage(i4.Path(), "cannot be read", i4.Error()));
  }
  if (!i5.Create(s.FileOf(".i5"))) {
    return FailRun(s, AssemblerFileMessage(i5.Path(), "cannot be written", i5.Error()));
  }
  const auto writeFailed = [&] {
    return FailRun(s, AssemblerFileMessage(i5.Path(), "cannot be written", i5.Error()));
  };
  s.lstXrefSort.Clear();
  s.WordCount = records;
  std::string text;
  for (std::int64_t r = 1; r <= records; ++r) {
    if (!i4.Read(r, text)) {
      return FailRun(s, AssemblerFileMessage(i4.Path(), "cannot be read", i4.Error()));
    }
    if (text[0] == '$') {
      s.WordCount -= 1;
      continue;
    }
    s.Fields = SplitAtTabs(text);
    if (s.Fields.size() < 4) s.Fields.resize(4);
    const std::string location(TrimBlanks(s.Fields[3]));
    s.CurrentLocation = LeadingNumber(location);
    const std::string left = ResolveField(s, s.Fields[1]);
    const std::string right = ResolveField(s, s.Fields[2]);
    if (!i5.WriteLine(left + right + kTab + location)) return writeFailed();
  }
  if (!s.Options.InsertLoader) {
    // Working storage goes on the tape as zero words.
    for (Location k = 1; k <= s.WorkingStorageTotal; ++k) {
      s.WordCount += 1;
      if (!i5.WriteLine("000000000000" + std::string(1, kTab) +
                        std::to_string(s.CurrentLocation + k))) {
        return writeFailed();
      }
    }
  }
  if (!i5.Finish()) return writeFailed();
  return true;
}

}  // namespace ormlax
