// The central computer: the instruction cycle, the instruction set and the run controls, working
// on one MachineState and reaching the operator and the input-output units through interfaces.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/breakpoints.h"
#include "core/devices.h"
#include "core/machine_state.h"
#include "core/operator.h"
#include "core/pacing.h"
#include "core/word_trace.h"

namespace ormlax {

class Processor {
 public:
  Processor(MachineState& state, Operator& op, Peripherals devices = {});

  MachineState& State() { return s_; }

  // Instruction cycle.
  void StepWord(bool fromRun);
  void ExecuteWord(const Word& word, bool fromRun);
  void ExecuteInstruction(const Instruction& instruction);
  void AdvanceControl();
  void CheckOverflow();
  void ReportInvalidOpcode(const Instruction& instruction);

  // Run controls of the console.
  void Run();
  void SingleStep();
  void SingleInstruction();
  void Stop();
  void EnablePanel(bool flag);

  // A run stops as by the Stop button once it has executed this many words (0: no limit); the
  // machine's LastStop then says so.
  void SetWordLimit(std::uint64_t words) { wordLimit_ = words; }

  // How long a run goes on between two yields to the user interface. Zero yields after every word.
  void SetRunSlice(std::chrono::microseconds slice) { runSlice_ = slice; }

  // Words executed by runs since the processor was made.
  std::uint64_t WordsExecuted() const { return wordsExecuted_; }

  // The desk's breakpoints, which runs obey; null for none.
  void SetBreakpoints(Breakpoints* breakpoints);
  Breakpoints* BreakpointList() const { return breakpoints_; }
  // The trace told of every word executed; null for none. A trace that ends is let go.
  void SetTrace(WordTrace* trace) { trace_ = trace; }
  WordTrace* Trace() const { return trace_; }
  // What paces a run at historical speed; null for none.
  void SetPacer(Pacer* pacer) { pacer_ = pacer; }
  // Runs decode each word once and keep it while the word stays as it is; off, every word is
  // decoded afresh as it runs, one StepWord after another (what the fast run is checked against).
  void SetFastRun(bool on) { fastRun_ = on; }

  // A decoded instruction, and a word decoded as a whole, as the decode cache keeps them.
  struct Decoded {
    char op;
    char modifier;     // the servo's identifier for a blank servo character
    char rawModifier;  // the character as written
    int count;         // the modifier's digit value, or 1
    int servo;         // 0-15 for input-output operations naming a servo, -1 otherwise
  };
  // The operations a fast run does itself; the others go through Dispatch.
  enum FastKind : std::uint8_t {
    kDispatch,     // any other operation, or one whose address is not a number
    kDecodeAgain,  // names a servo, which depends on the console: decoded afresh as it runs
    kNoOperation,
    kBring,
    kAdd,
    kSubtract,
    kAddX,
    kStoreA,
    kStoreClear,
    kLoadF,
    kStoreF,
    kStoreX,
    kMoveAL,
    kLoadL,
    kMultiply,
    kNegativeMultiply,
    kProduct,
    kDivide,
    kQ,
    kT,
    kU,
  };
  struct DecodedHalf {
    Decoded d;
    std::int16_t address;  // CurrentAddress
    FastKind kind;
    bool fMask;     // FModifier
    bool minus;     // MinusModifier
    bool storeSum;  // the H modifier of A and S on ORMLAX II
  };
  struct DecodedWord {
    Word word;          // the characters decoded
    bool stop;          // an execute breakpoint is set at its location
    bool refreshLeft;   // the left half shows memory at the console (see Decode)
    bool leftMayWait;   // the left half may let the operator in before the right one runs
    std::int16_t next;  // NextAddress
    std::uint32_t key;  // what the decoding depended on (CacheKey); 0: empty
    DecodedHalf half[2];
  };

 private:
  void Execute(const char* instruction);
  // `refresh`: the console shows memory again afterwards, unless the instruction ended at once.
  void ExecuteHalf(const DecodedHalf& h, const char* instruction, bool refresh);
  void Decode(DecodedWord& entry, const Word& w);
  // The address width, the model and the breakpoints' generation, never 0.
  std::uint32_t CacheKey() const {
    return static_cast<std::uint32_t>(s_.AddressDigits) + (s_.IsModelII ? 16u : 0u) +
           (breakpointGeneration_ << 5);
  }
  static FastKind FastKindOf(char op, char modifier, bool addressValid);
  // Returns false when the instruction ended at once (as Dispatch does).
  bool ExecuteFast(const DecodedHalf& h);
  const DecodedWord& Lookup(int location, std::uint32_t key);
  void ReportInvalid(const Decoded& d);
  bool AddressInvalid();  // stops with "Invalid address" when the address is not a number
  Word Operand();         // (m) through the F mask
  Word& At(int address) { return s_.Memory[static_cast<std::size_t>(address)]; }
  // A location an instruction writes: a store breakpoint there notes it.
  Word& Written(int address) {
    if ((*storeMarks_)[static_cast<std::size_t>(address)] != 0) NoteStore(address);
    return At(address);
  }
  void NoteStore(int address);
  void Warn(const char* text);  // a program-logic warning, when Special functions is on
  // Returns false when the instruction ended at once.
  bool Dispatch(const Decoded& d);

  // Register transfers and extraction.
  void ExtractE(bool fMask);
  // Arithmetic.
  void AddToA(const Word& operand, bool storeBack);
  void Multiply(const Word& operand, bool doubleLength);
  bool Divide();
  // Block registers.
  void LoadV(const Decoded& d);
  void StoreW(const Decoded& d);
  void LoadY(const Decoded& d);
  void StoreZ(const Decoded& d);
  int BlockCount(const Decoded& d, int limit, char name);
  void CheckMemoryFuse();
  // Transfers, comparisons and stops.
  void RequestTransfer();
  void RestoreTransferWords();
  void Compare(const Decoded& d, bool condition);
  void QTStopWait(bool condition, int target);
  void StoreReturn();
  void Shift(const Decoded& d);
  // Input-output.
  bool InputOutput(const Decoded& d);
  bool StoreInputRegister(bool clearFirst);
  bool WriteBlock(int servo);
  void ReadKeyboard();
  void Print();
  bool TapeReady(int servo, bool forWrite);

  // Console actions the instruction set triggers.
  void StopAs(StopReason reason);  // the Stop button's action, for another reason
  void RunLoop();
  // Up to `budget` words, each as StepWord(true) does it, until the machine stops, a word is
  // to be looked at by a breakpoint, or one comes from rCR. Returns the words executed.
  std::uint64_t RunFast(std::uint64_t budget);
  // One word of a run with all its bookkeeping: trace, pace, breakpoints.
  void RunOneWord();
  bool ExecuteBreakpointStops();  // before a word of a run
  void StoreBreakpointStops();    // after it
  void StopAtBreakpoint(int number, StopReason reason);
  void TraceWord();
  void SingleInstructionStep();
  void ContinueRunAfterHold();

  MachineState& s_;
  Operator& op_;
  Peripherals io_;
  std::chrono::microseconds runSlice_{5000};
  std::uint64_t wordsExecuted_ = 0;
  std::uint64_t wordLimit_ = 0;
  bool inRunLoop_ = false;
  bool runAfterHold_ = false;  // Run was pressed during a hold met outside a run

  Breakpoints* breakpoints_ = nullptr;
  const Breakpoints::Marks* executeMarks_;
  const Breakpoints::Marks* storeMarks_;
  std::vector<int> stored_;  // locations with a store breakpoint written by the word running
  WordTrace* trace_ = nullptr;
  int traceLocation_ = 0;  // the word being traced
  Word traceWord_;
  bool tracePending_ = false;
  Pacer* pacer_ = nullptr;
  bool fastRun_ = true;
  std::unique_ptr<DecodedWord[]> cache_;  // by location, made at the first fast run
  std::uint32_t breakpointGeneration_ = 0;
};

}  // namespace ormlax
