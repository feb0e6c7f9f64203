#include "core/breakpoints.h"

#include <algorithm>

namespace ormlax {

const char* BreakpointKindText(BreakpointKind kind) {
  return kind == BreakpointKind::Store ? "store" : "execute";
}

const Breakpoint* Breakpoints::Find(int number) const {
  for (const Breakpoint& b : list_) {
    if (b.Number == number) return &b;
  }
  return nullptr;
}

Breakpoint* Breakpoints::Get(int number) {
  return const_cast<Breakpoint*>(Find(number));
}

bool Breakpoints::Valid(int location, int count) {
  return location >= 0 && location < kMaxMemorySize && count >= 1;
}

int Breakpoints::Add(BreakpointKind kind, int location, int count) {
  if (!Valid(location, count)) return 0;
  Breakpoint b;
  b.Number = nextNumber_++;
  b.Kind = kind;
  b.Location = location;
  b.Count = count;
  list_.push_back(b);
  Mark();
  return b.Number;
}

bool Breakpoints::Change(int number, BreakpointKind kind, int location, int count) {
  Breakpoint* b = Get(number);
  if (b == nullptr || !Valid(location, count)) return false;
  b->Kind = kind;
  b->Location = location;
  b->Count = count;
  b->Hits = 0;
  Mark();
  return true;
}

bool Breakpoints::SetEnabled(int number, bool on) {
  Breakpoint* b = Get(number);
  if (b == nullptr) return false;
  if (on && !b->Enabled) b->Hits = 0;
  b->Enabled = on;
  Mark();
  return true;
}

bool Breakpoints::Remove(int number) {
  const auto at = std::find_if(list_.begin(), list_.end(),
                               [number](const Breakpoint& b) { return b.Number == number; });
  if (at == list_.end()) return false;
  list_.erase(at);
  Mark();
  return true;
}

void Breakpoints::Clear() {
  list_.clear();
  nextNumber_ = 1;
  Mark();
}

void Breakpoints::Mark() {
  if (generation_ != nullptr) ++*generation_;
  execute_.fill(0);
  store_.fill(0);
  for (const Breakpoint& b : list_) {
    if (!b.Enabled) continue;
    Marks& marks = b.Kind == BreakpointKind::Store ? store_ : execute_;
    marks[static_cast<std::size_t>(b.Location)] = 1;
  }
}

int Breakpoints::Hit(BreakpointKind kind, int location) {
  int completed = 0;
  for (Breakpoint& b : list_) {
    if (!b.Enabled || b.Kind != kind || b.Location != location) continue;
    ++b.Hits;
    if (completed == 0 && b.Hits % b.Count == 0) completed = b.Number;
  }
  return completed;
}

void Breakpoints::NoteStopBy(int number) {
  if (const Breakpoint* b = Find(number)) stoppedBy_ = *b;
}

std::string Breakpoints::StopText(const MachineState& s) const {
  const Breakpoint& b = stoppedBy_;
  return std::string(BreakpointKindText(b.Kind)) + " breakpoint " + std::to_string(b.Number) +
         " at " + FormatAddress(s, b.Location) + ", hit " + std::to_string(b.Hits);
}

std::string StopDescription(const MachineState& s, const Breakpoints* breakpoints) {
  const bool byBreakpoint =
      s.LastStop == StopReason::ExecuteBreakpoint || s.LastStop == StopReason::StoreBreakpoint;
  if (byBreakpoint && breakpoints != nullptr) return breakpoints->StopText(s);
  return StopReasonText(s.LastStop);
}

}  // namespace ormlax
