// The table of the machine's operations: for each operation character its name, what its
// address field is for, which modifiers mean something, and what it does. The decoder reads its
// facts from here, and so do the help and the views of memory.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace ormlax {

// Which modifiers an entry of the table is for. Most operations have one entry for any modifier;
// the shift "0" and the input-output operations differ by their modifier.
enum class ModifierSelect : std::uint8_t {
  Any,
  Zero,         // the modifier "0" only
  NotZero,      // any modifier but "0"
  Servo,        // a servo identifier (a space: the default servo)
  ZeroOrServo,  // "0" (the console, or no transfer) or a servo
};

// The modifiers that count, as bits.
enum ModifierUse : std::uint8_t {
  kNoModifier = 0,
  kFMask = 1 << 0,       // "F" (ORMLAX II): the memory operand is masked by rF
  kMinusStop = 1 << 1,   // "-": an overflow in the word stops the machine
  kStoreSum = 1 << 2,    // "H" (ORMLAX II): the sum is stored at m as well
  kCount = 1 << 3,       // the digit value counts places, or (ORMLAX II) words or blocks
  kStopSwitch = 1 << 4,  // a digit 0-9 names the Q/T switch that holds the machine
  kServo = 1 << 5,       // the modifier names a servo
};

enum class AddressUse : std::uint8_t {
  None,      // the address field is not used
  Memory,    // m: the memory location the operation works on
  Transfer,  // the operation goes to the address of its word's right-hand instruction
};

struct Operation {
  char op;
  ModifierSelect select;
  const char* name;
  std::uint8_t modifiers;  // ModifierUse bits
  AddressUse address;
  const char* description;  // one line, plain text
};

// Every operation of the machine, in the order of the help's table. An operation character that
// is not here (the letter O among them) is an invalid opcode.
std::span<const Operation> Operations();

// The entry for an operation with its modifier on the model; null when the machine knows no
// such operation (a servo character the model does not have among them).
const Operation* FindOperation(char op, char modifier, bool modelII);

// The modifiers that count, as the help shows them: "F - H", "n", "digit", "s", "0 or s"...
std::string ModifiersText(const Operation& operation);

}  // namespace ormlax
