// The input-output units the instruction set drives. They are implemented outside the core: the
// tape units by the tape library and the typewriter and keyboard by the console library.
#pragma once

#include <string_view>

#include "core/word.h"

namespace ormlax {

// The tape units (servos): up to sixteen, each named by one character, in servo-number order.
inline constexpr int kServoCount = 16;
inline constexpr int kServoCountI = 10;
inline constexpr std::string_view kServoIdentifiers = "-123456789ABCDEF";

// The number of servos of ORMLAX I (10) or ORMLAX II (16).
constexpr int ServoCountOf(bool modelII) {
  return modelII ? kServoCount : kServoCountI;
}

// "-" for servo 0, "1" to "9", then "A" to "F"; "?" for a number that names no servo.
constexpr char ServoIdentifier(int servo) {
  return servo >= 0 && servo < kServoCount ? kServoIdentifiers[static_cast<std::size_t>(servo)]
                                           : '?';
}

// The servo number an identifier names, or -1.
constexpr int ServoNumberOf(char identifier) {
  const auto at = kServoIdentifiers.find(identifier);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// Every tape transfer moves one block of 60 words.
inline constexpr int kBlockWords = 60;

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
