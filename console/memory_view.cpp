#include "console/memory_view.h"

#include <algorithm>

#include "core/operations.h"

namespace ormlax {

InstructionView DescribeInstruction(const MachineState& s, const Instruction& instruction) {
  InstructionView view;
  view.Text = instruction.Text();
  if (const Operation* o = FindOperation(instruction[0], instruction[1], s.IsModelII)) {
    view.Name = o->name;
    view.Description = o->description;
  } else {
    view.Name = "(invalid)";
    view.Description = "Not an operation of this machine: executed, it stops on Invalid opcode";
  }
  return view;
}

MemoryRow DescribeLocation(const MachineState& s, int location) {
  const Word& word = s.Memory[static_cast<std::size_t>(location)];
  MemoryRow row;
  row.Location = location;
  row.Address = FormatAddress(s, location);
  row.Word = word.Text();
  row.Left = DescribeInstruction(s, LeftInstruction(word));
  row.Right = DescribeInstruction(s, RightInstruction(word));
  return row;
}

std::vector<MemoryRow> DescribeMemory(const MachineState& s, int first, int count) {
  std::vector<MemoryRow> rows;
  if (first < 0) first = 0;
  const int end = std::min(s.MemorySize, first + std::max(count, 0));
  for (int location = first; location < end; ++location) {
    rows.push_back(DescribeLocation(s, location));
  }
  return rows;
}

bool MemoryEditable(const MachineState& s) {
  return s.Panel.ControlsEnabled && s.Panel.LocationEnabled;
}

bool StoreTypedWord(MachineState& s, int location, std::string_view typed) {
  if (!MemoryEditable(s) || location < 0 || location >= s.MemorySize) return false;
  s.Memory[static_cast<std::size_t>(location)] =
      typed.empty() ? Word::Filled(' ') : Word::FromText(typed);
  if (location == s.ConsoleLocation) ShowLocation(s, location);
  return true;
}

bool MemoryWatch::Add(const MachineState& s, int location) {
  if (location < 0 || location >= s.MemorySize) return false;
  const bool followed = std::any_of(entries_.begin(), entries_.end(),
                                    [&](const Entry& e) { return e.Location == location; });
  if (followed) return false;
  const Word& now = s.Memory[static_cast<std::size_t>(location)];
  entries_.push_back({location, now, now, false});
  return true;
}

void MemoryWatch::Remove(int location) {
  std::erase_if(entries_, [&](const Entry& e) { return e.Location == location; });
}

void MemoryWatch::Look(const MachineState& s, bool atStop) {
  for (Entry& e : entries_) {
    if (e.Location >= s.MemorySize) continue;
    e.Seen = s.Memory[static_cast<std::size_t>(e.Location)];
    if (atStop) {
      e.Changed = e.Seen != e.AtStop;
      e.AtStop = e.Seen;
    } else if (e.Seen != e.AtStop) {
      e.Changed = true;
    }
  }
}

}  // namespace ormlax
