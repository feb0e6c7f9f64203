// The input-output units the instruction set drives. They are implemented outside the core: the
// tape units by the tape library and the typewriter and keyboard by the console library.
#pragma once

#include "core/word.h"

namespace ormlax {

class TapeUnits {
 public:
  virtual ~TapeUnits() = default;
  // Ready for a read (or a write when forWrite); when not, the unit has told the operator and
  // stopped the run.
  virtual bool CheckServoReady(int servo, bool forWrite) = 0;
  virtual void ReadTapeBlock(int servo, bool forward) = 0;
  virtual void WriteTapeBlock(int servo, int address) = 0;
  virtual void RewindTape(int servo) = 0;
  virtual void UnloadTape(int servo) = 0;
};

class ConsoleTypewriter {
 public:
  virtual ~ConsoleTypewriter() = default;
  // Appends the word to the print buffer, shows the typewriter and prints what is pending.
  virtual void PrintWord(const Word& w) = 0;
  virtual bool PrintBufferEmpty() const = 0;
};

class ConsoleKeyboard {
 public:
  virtual ~ConsoleKeyboard() = default;
  // Opens the keyboard window and returns when it is closed; the typed word is then in the
  // machine's KeyboardWord.
  virtual void ReadConsoleWord() = 0;
};

struct Peripherals {
  TapeUnits* tapes = nullptr;
  ConsoleTypewriter* typewriter = nullptr;
  ConsoleKeyboard* keyboard = nullptr;
};

}  // namespace ormlax
