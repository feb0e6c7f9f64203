// The operator's breakpoints: a run stops before the word at a location runs (execute), or after
// the word in which an instruction wrote a location (store). Each has a count, the run stopping
// on every count-th hit, and an enable switch. The list is the desk's; the processor reads the
// marks it keeps, one byte a location, so that a breakpoint that is not hit costs a run almost
// nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/machine_state.h"

namespace ormlax {

enum class BreakpointKind : std::uint8_t { Execute, Store };

struct Breakpoint {
  int Number = 0;  // its name in messages: 1, 2, ... in the order they were set
  BreakpointKind Kind = BreakpointKind::Execute;
  int Location = 0;
  int Count = 1;  // the run stops on hit Count, 2 Count, 3 Count...
  bool Enabled = true;
  int Hits = 0;  // hits since it was set, changed or switched on
};

// "execute" or "store".
const char* BreakpointKindText(BreakpointKind kind);

class Breakpoints {
 public:
  using Marks = std::array<std::uint8_t, kMaxMemorySize>;

  const std::vector<Breakpoint>& List() const { return list_; }
  const Breakpoint* Find(int number) const;

  // A location from 0 to 9999 and a count of 1 or more.
  static bool Valid(int location, int count);
  // Sets a breakpoint, enabled, and returns its number; 0, and nothing set, when the location or
  // the count is not Valid.
  int Add(BreakpointKind kind, int location, int count);
  // Changes kind, location and count; its hits start again from 0. False when there is no such
  // breakpoint or the location or count is not Valid.
  bool Change(int number, BreakpointKind kind, int location, int count);
  // Switching a breakpoint on starts its hits again from 0.
  bool SetEnabled(int number, bool on);
  bool Remove(int number);
  // Clears every breakpoint; numbering starts again at 1.
  void Clear();

  // Non-zero where an enabled breakpoint of the kind is set.
  const Marks& ExecuteMarks() const { return execute_; }
  const Marks& StoreMarks() const { return store_; }

  // A hit at the location: counts it for every enabled breakpoint of the kind there, and returns
  // the number of the first one whose count the hit completes, or 0.
  int Hit(BreakpointKind kind, int location);

  // `*generation` goes up whenever the marks change, so that who keeps what it learnt from them
  // knows when to look again.
  void Watch(std::uint32_t* generation) { generation_ = generation; }

  // The breakpoint that stopped the run last, as it was then: "store breakpoint 2 at 0105, hit
  // 3", the location written with the machine's address width.
  void NoteStopBy(int number);
  std::string StopText(const MachineState& s) const;

 private:
  Breakpoint* Get(int number);
  void Mark();

  std::vector<Breakpoint> list_;
  int nextNumber_ = 1;
  Breakpoint stoppedBy_;  // as it was when it stopped the run
  Marks execute_{};
  Marks store_{};
  std::uint32_t* generation_ = nullptr;
};

// How a stop is told: the reason's text, or for a breakpoint the breakpoint's own.
std::string StopDescription(const MachineState& s, const Breakpoints* breakpoints);

}  // namespace ormlax
