// Run, Single Step, Single Instruction and Stop, and the run loop.
#include <algorithm>

#include "core/processor.h"
#include "core/word_value.h"

namespace ormlax {

void Processor::EnablePanel(bool flag) {
  s_.Panel.ControlsEnabled = flag;
  s_.Panel.LocationEnabled = flag;
}

void Processor::Stop() {
  StopAs(StopReason::StopButton);
}

void Processor::StopAs(StopReason reason) {
  NoteStop(s_, reason);
  s_.WaitingAtStop = false;
  s_.Lamp[kRunningLamp] = LampColour::Red;
  s_.Panel.rSRBlank = true;
}

void Processor::Run() {
  if (s_.InQTStop) {
    // Release the hold: the held word completes and the run goes on from where it leads.
    s_.WaitingAtStop = false;
    s_.Running = true;
    s_.LastStop = StopReason::None;
    s_.Lamp[kRunningLamp] = LampColour::Green;
    EnablePanel(false);
    s_.Panel.rCCBlank = true;
    if (!inRunLoop_) runAfterHold_ = true;
    return;
  }
  while (s_.HalfStepPending) SingleInstructionStep();
  runAfterHold_ = false;
  s_.Running = true;
  s_.LastStop = StopReason::None;
  s_.WaitingAtStop = false;
  EnablePanel(false);
  SetOverflow(s_, false);
  s_.Panel.rCCBlank = true;
  if (!s_.ExecuteFromCR) s_.Panel.rCRBlank = true;
  RefreshControlDisplay(s_, true);
  s_.Lamp[kRunningLamp] = LampColour::Green;
  if (inRunLoop_) return;  // pressed again during a run: the run goes on

  RunLoop();
  // Whatever ended the run, the machine now stands stopped.
  if (s_.Lamp[kRunningLamp] == LampColour::Green) s_.Lamp[kRunningLamp] = LampColour::Red;
  EnablePanel(true);
  RefreshControlDisplay(s_, true);
  ShowLocation(s_, s_.ConsoleLocation);
}

// The run: words until something stops the machine, a look at the interface whenever a time
// slice has passed. Each word is looked at by the breakpoints (the first word of the run only
// after it has run, so that a run started at an execute breakpoint leaves it), and, while a trace
// or historical speed is on, traced and paced one by one; otherwise the words run fast.
void Processor::RunLoop() {
  using Clock = std::chrono::steady_clock;
  inRunLoop_ = true;
  stored_.clear();
  const std::uint64_t checkEvery = runSlice_.count() > 0 ? 256 : 1;
  std::uint64_t sinceCheck = 0;
  std::uint64_t words = 0;
  bool first = true;
  auto deadline = Clock::now() + runSlice_;
  while (s_.Running) {
    if (!first && ExecuteBreakpointStops()) break;
    first = false;
    std::uint64_t done = 1;
    const bool paced = pacer_ != nullptr && pacer_->On();
    if (fastRun_ && trace_ == nullptr && !paced && !s_.ExecuteFromCR) {
      std::uint64_t budget = checkEvery - sinceCheck;
      // Past the limit (Run pressed again after it stopped the run) the limit stops every word.
      if (wordLimit_ != 0) budget = std::min(budget, words < wordLimit_ ? wordLimit_ - words : 1);
      done = RunFast(budget);
    } else {
      RunOneWord();
    }
    words += done;
    if (wordLimit_ != 0 && words >= wordLimit_ && s_.Running) StopAs(StopReason::WordLimit);
    sinceCheck += done;
    if (sinceCheck >= checkEvery) {
      sinceCheck = 0;
      if (Clock::now() >= deadline) {
        op_.YieldToInterface();
        deadline = Clock::now() + runSlice_;
      }
    }
  }
  inRunLoop_ = false;
}

void Processor::RunOneWord() {
  const Word word = s_.ExecuteFromCR ? s_.rCR : At(s_.rCC);
  StepWord(true);
  ++wordsExecuted_;
  if (!stored_.empty()) StoreBreakpointStops();
  if (pacer_ != nullptr) pacer_->Spend(WordTime(word));
}

void Processor::ContinueRunAfterHold() {
  if (!runAfterHold_) return;
  runAfterHold_ = false;
  if (s_.Running) Run();
}

void Processor::SingleStep() {
  // During a hold the button only releases it: a hold met in the left half of a word stepped by
  // Single Instruction leaves that word half executed, to be finished by the next step.
  if (!s_.InQTStop) {
    while (s_.HalfStepPending) SingleInstructionStep();
    s_.LastStop = StopReason::None;
  }
  s_.Panel.rSRBlank = true;
  if (s_.InQTStop) {
    s_.Lamp[kRunningLamp] = LampColour::Yellow;
    NoteStop(s_, StopReason::QTStop);
    s_.WaitingAtStop = false;
    return;
  }
  StepWord(false);
  ContinueRunAfterHold();
}

void Processor::SingleInstruction() {
  if (!s_.InQTStop) s_.LastStop = StopReason::None;
  SingleInstructionStep();
  ContinueRunAfterHold();
}

void Processor::SingleInstructionStep() {
  if (s_.InQTStop) {
    NoteStop(s_, StopReason::QTStop);
    s_.WaitingAtStop = false;
    return;
  }
  const Word w = s_.ExecuteFromCR ? s_.rCR : At(s_.rCC);
  if (trace_ != nullptr && s_.HalfStepPending) {
    // The word is traced once it is whole.
    traceLocation_ = s_.ExecuteFromCR ? kFromControlRegister : s_.rCC;
    traceWord_ = w;
    tracePending_ = true;
  }
  if (!s_.HalfStepPending) {
    s_.HalfStepPending = true;
    s_.TransferTaken = false;
    s_.Lamp[kRunningLamp] = LampColour::Cyan;
    s_.Running = false;  // a half step is no stop: nothing is recorded
    s_.NextAddress = AddressOf(w, s_.AddressDigits);
    s_.MinusModifier = false;
    s_.rSR = RightInstruction(w);
    s_.Panel.rSRBlank = false;
    Execute(w.chars.data());
  } else {
    s_.HalfStepPending = false;
    const int next = s_.ExecuteFromCR ? s_.rCC : (s_.rCC + 1) % s_.MemorySize;
    s_.rSR = LeftInstruction(At(next));
    s_.Panel.rSRBlank = false;
    Execute(w.chars.data() + Instruction::kLength);
    if (s_.TransferTaken) RestoreTransferWords();
    AdvanceControl();
    s_.TransferTaken = false;
    s_.ExecuteFromCR = false;
    RefreshControlDisplay(s_, false);
    if (tracePending_) TraceWord();
  }
  s_.WaitingAtStop = false;
}

}  // namespace ormlax
