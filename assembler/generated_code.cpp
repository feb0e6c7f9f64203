#include "assembler/generated_code.h"

#include <algorithm>
#include <unordered_map>

#include "assembler/intermediate_files.h"
#include "assembler/source_language.h"

namespace ormlax {

const std::array<std::string, kOverflowRoutineWords>& OverflowRoutineLines() {
  static const std::array<std::string, kOverflowRoutineWords> lines = {
      "\tR00003\tU00001\t0",
      "\tB00003\tA00002\t1",
      "\tC00003\t000001\t2",
      "\t000000\t000000\t3",
  };
  return lines;
}

std::string ConstantWord(std::string_view reference) {
  static constexpr std::string_view kLetters = "ABCDEFGHIJKL";
  // For each letter, which of the four groups take the value.
  static constexpr std::array<std::array<bool, 4>, 12> kGroups = {{
      {true, false, false, false},  // A
      {false, true, false, false},  // B
      {false, false, true, false},  // C
      {false, false, false, true},  // D
      {true, true, false, false},   // E
      {false, true, true, false},   // F
      {false, false, true, true},   // G
      {false, true, true, true},    // H
      {true, false, true, true},    // I
      {true, true, false, true},    // J
      {true, true, true, false},    // K
      {true, true, true, true},     // L
  }};
  if (reference.size() < 2) return {};
  const std::size_t letter = kLetters.find(reference[1]);
  if (letter == std::string_view::npos) return {};
  const std::string_view value = reference.substr(2, 3);
  std::array<std::string, 4> groups;
  for (std::size_t g = 0; g < 4; ++g) groups[g] = kGroups[letter][g] ? std::string(value) : "000";
  return std::string(1, kTab) + "|" + groups[0] + groups[1] + kTab + "|" + groups[2] + groups[3];
}

bool AllocateConstants(AssemblyState& s, RecordFile& i4, std::int64_t records) {
  s.lstAuto.RemoveEqualNeighbours();
  bool toldOutside = false;
  for (const auto& [reference, unused] : s.lstAuto) {
    const std::string word = ConstantWord(reference);
    if (word.empty()) continue;
    s.CurrentLocation += 1;
    if ((s.CurrentLocation < 0 || s.CurrentLocation >= s.Model.MemorySize) && !toldOutside) {
      RecordError(s, kLocationOutsideMemory, s.CurrentLocation);
      s.AssemblyOk = false;
      toldOutside = true;
    }
    const std::string record = word + kTab + std::to_string(s.CurrentLocation);
    if (!i4.Write(++records, record)) return false;
    s.lstSymTab.Add(reference, s.CurrentLocation);
  }
  return true;
}

void AllocateWorkingStorage(AssemblyState& s) {
  s.WorkingStorageStart = s.CurrentLocation + 1;
  // The first symbol entry of each name, blanks at both ends not counted.
  std::unordered_map<std::string, TextTable::Iterator> firstOfName;
  for (auto at = s.lstSymTab.begin(); at != s.lstSymTab.end(); ++at) {
    firstOfName.try_emplace(std::string(TrimBlanks(at->first)), at);
  }
  Location next = s.WorkingStorageStart;
  for (const auto& [name, count] : s.lstWS) {
    const auto symbol = firstOfName.find(std::string(TrimBlanks(name)));
    if (symbol != firstOfName.end()) symbol->second->second = next;
    next += count;
  }
  if (s.WorkingStorageTotal > 0 &&
      (s.WorkingStorageStart < 0 ||
       s.WorkingStorageStart + s.WorkingStorageTotal > s.Model.MemorySize)) {
    RecordError(s, kLocationOutsideMemory,
                std::max<Location>(s.WorkingStorageStart, s.Model.MemorySize));
    s.AssemblyOk = false;
  }
}

}  // namespace ormlax
