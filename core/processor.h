// The central computer: the instruction cycle, the instruction set and the run controls, working
// on one MachineState and reaching the operator and the input-output units through interfaces.
#pragma once

#include <chrono>
#include <cstdint>

#include "core/devices.h"
#include "core/machine_state.h"
#include "core/operator.h"

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

 private:
  struct Decoded {
    const char* text;  // the six characters of the instruction
    char op;
    char modifier;
    int count;  // the modifier's digit value, or 1
    int servo;  // 0-15 for input-output operations naming a servo, -1 otherwise
  };

  void Execute(const char* instruction);
  void ReportInvalid(const Decoded& d);
  bool AddressInvalid();  // stops with "Invalid address" when the address is not a number
  Word Operand();         // (m) through the F mask
  Word& At(int address) { return s_.Memory[static_cast<std::size_t>(address)]; }
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
};

}  // namespace ormlax
