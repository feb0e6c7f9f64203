// Memory as the operator's desk shows it: each location as its word and as the two instructions
// the word holds, with what the table of operations says of each, and the words the operator
// watches.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/machine_state.h"

namespace ormlax {

struct InstructionView {
  std::string Text;         // the six characters
  std::string Name;         // the operation's name
  std::string Description;  // one line
};

struct MemoryRow {
  int Location = 0;
  std::string Address;  // the location with the machine's address width
  std::string Word;
  InstructionView Left;
  InstructionView Right;
};

// What an instruction does on the machine's model.
InstructionView DescribeInstruction(const MachineState& s, const Instruction& instruction);
MemoryRow DescribeLocation(const MachineState& s, int location);
// `count` rows from `first`, stopping at the end of memory.
std::vector<MemoryRow> DescribeMemory(const MachineState& s, int first, int count);

// Memory can be changed from the desk exactly when the console's Store can change it.
bool MemoryEditable(const MachineState& s);
// Stores a word the operator typed (the word fields' typing rule has made it) at `location`; an
// empty text stores twelve spaces, as Store does. The panel's Contents shows the new word when
// the console's location is that one. False, and nothing stored, when the machine runs or the
// location is outside memory.
bool StoreTypedWord(MachineState& s, int location, std::string_view typed);

// The locations the operator follows, each with the word it holds and whether the last run or
// step changed it.
class MemoryWatch {
 public:
  struct Entry {
    int Location = 0;
    Word Seen{};           // the word at the last look
    Word AtStop{};         // the word when the machine stopped before
    bool Changed = false;  // changed by the last run or step, or since the stop
  };

  const std::vector<Entry>& Entries() const { return entries_; }
  // A location outside memory, or one already followed, is refused.
  bool Add(const MachineState& s, int location);
  void Remove(int location);
  // Takes a new look at every followed word. At a stop the marks show what the run or step that
  // ended changed; a look between stops only adds marks.
  void Look(const MachineState& s, bool atStop);

 private:
  std::vector<Entry> entries_;
};

}  // namespace ormlax
