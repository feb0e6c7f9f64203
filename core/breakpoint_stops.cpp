// How a run meets the desk's breakpoints: before a word for an execute breakpoint, after it for
// the store breakpoints of the locations it wrote.
#include <algorithm>

#include "core/processor.h"

namespace ormlax {

void Processor::NoteStore(int address) {
  if (inRunLoop_) stored_.push_back(address);
}

bool Processor::ExecuteBreakpointStops() {
  if (breakpoints_ == nullptr || s_.ExecuteFromCR) return false;
  if ((*executeMarks_)[static_cast<std::size_t>(s_.rCC)] == 0) return false;
  const int number = breakpoints_->Hit(BreakpointKind::Execute, s_.rCC);
  if (number == 0) return false;
  StopAtBreakpoint(number, StopReason::ExecuteBreakpoint);
  return true;
}

// Every breakpoint counts one hit for a word, however often the word wrote its location. A hit
// counts even when the word has stopped the machine for another reason; it then stops nothing.
void Processor::StoreBreakpointStops() {
  std::vector<int> written;
  written.swap(stored_);
  if (breakpoints_ == nullptr) return;
  std::sort(written.begin(), written.end());
  written.erase(std::unique(written.begin(), written.end()), written.end());
  int first = 0;
  for (const int location : written) {
    const int number = breakpoints_->Hit(BreakpointKind::Store, location);
    if (first == 0) first = number;
  }
  if (first != 0 && s_.Running) StopAtBreakpoint(first, StopReason::StoreBreakpoint);
}

void Processor::StopAtBreakpoint(int number, StopReason reason) {
  breakpoints_->NoteStopBy(number);
  StopAs(reason);
  ShowOkMessage(op_, "Stopped by " + breakpoints_->StopText(s_));
}

}  // namespace ormlax
