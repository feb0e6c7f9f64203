// Run, Single Step, Single Instruction and Stop, and the run loop.
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

void Processor::RunLoop() {
  using Clock = std::chrono::steady_clock;
  inRunLoop_ = true;
  const unsigned checkEvery = runSlice_.count() > 0 ? 256 : 1;
  unsigned sinceCheck = 0;
  std::uint64_t words = 0;
  auto deadline = Clock::now() + runSlice_;
  while (s_.Running) {
    StepWord(true);
    ++wordsExecuted_;
    if (wordLimit_ != 0 && ++words >= wordLimit_ && s_.Running) StopAs(StopReason::WordLimit);
    if (++sinceCheck >= checkEvery) {
      sinceCheck = 0;
      if (Clock::now() >= deadline) {
        op_.YieldToInterface();
        deadline = Clock::now() + runSlice_;
      }
    }
  }
  inRunLoop_ = false;
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
  }
  s_.WaitingAtStop = false;
}

}  // namespace ormlax
