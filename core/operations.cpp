#include "core/operations.h"

#include <array>
#include <utility>

#include "core/devices.h"

namespace ormlax {
namespace {

using enum ModifierSelect;
using enum AddressUse;

constexpr std::uint8_t kArithmetic = kFMask | kMinusStop;

constexpr std::array kTable = {
    Operation{'0', Zero, "No operation", kNoModifier, None, "does nothing"},
    Operation{'0', NotZero, "Shift left", kCount, None,
              "shifts rA left n places, keeping the sign"},
    Operation{'-', Any, "Shift right", kCount, None, "shifts rA right n places, keeping the sign"},
    Operation{';', Any, "Shift all left", kCount, None,
              "shifts all twelve characters of rA left n places"},
    Operation{'.', Any, "Shift all right", kCount, None,
              "shifts all twelve characters of rA right n places"},
    Operation{'1', Zero, "Keyboard input", kNoModifier, Memory,
              "reads a word from the console keyboard into m"},
    Operation{'1', Servo, "Read forward", kServo, None,
              "reads the next block of servo s forward into rI"},
    Operation{'2', Servo, "Read backward", kServo, None,
              "reads the block before the tape's position backward into rI"},
    Operation{'3', ZeroOrServo, "Store rI, read forward", kServo, Memory,
              "stores rI in m to m+59; with a servo, then reads forward"},
    Operation{'4', ZeroOrServo, "Store rI, read backward", kServo, Memory,
              "stores rI in m to m+59; with a servo, then reads backward"},
    Operation{'5', Zero, "Print", kNoModifier, Memory,
              "types the word at m on the console typewriter"},
    Operation{'5', Servo, "Write", kServo, Memory, "writes m to m+59 as one block on servo s"},
    Operation{'6', Servo, "Rewind", kServo, None, "rewinds servo s"},
    Operation{'7', Servo, "Write", kServo, Memory, "writes m to m+59 as one block on servo s"},
    Operation{'8', Servo, "Rewind and unload", kServo, None,
              "rewinds with interlock: the tape is unloaded, the servo not ready"},
    Operation{'9', Zero, "Stop", kNoModifier, None, "stops the machine"},
    Operation{',', Any, "Breakpoint", kNoModifier, None,
              "stops after this word when the \",\" switch is On"},
    Operation{'A', Any, "Add", kArithmetic | kStoreSum, Memory, "rX := (m); rA := rA + rX"},
    Operation{'B', Any, "Bring", kNoModifier, Memory, "rA := (m); rX := (m)"},
    Operation{'C', Any, "Store and clear rA", kNoModifier, Memory, "(m) := rA; rA := 0"},
    Operation{'D', Any, "Divide", kArithmetic, Memory,
              "rA := (m) / rL rounded, rX := the same truncated; rF := 0"},
    Operation{'E', Any, "Extract", kFMask, Memory,
              "rA takes the characters of (m) where rF's character has an even code (with F: "
              "an odd code)"},
    Operation{'F', Any, "Load rF", kNoModifier, Memory, "rF := (m)"},
    Operation{'G', Any, "Store rF", kNoModifier, Memory, "(m) := rF"},
    Operation{'H', Any, "Store rA", kNoModifier, Memory, "(m) := rA"},
    Operation{'I', Any, "Store rL", kNoModifier, Memory,
              "(m) := rL (ORMLAX II; ORMLAX I only with the I instruction option)"},
    Operation{'J', Any, "Store rX", kNoModifier, Memory, "(m) := rX"},
    Operation{'K', Any, "Move rA to rL", kNoModifier, None, "rL := rA; rA := 0"},
    Operation{'L', Any, "Load rL", kNoModifier, Memory, "rL := (m); rX := (m)"},
    Operation{'M', Any, "Multiply", kArithmetic, Memory,
              "rX := (m); rA := rL x rX rounded; rF := 0"},
    Operation{'N', Any, "Negative multiply", kArithmetic, Memory,
              "as M with the sign of (m) changed"},
    Operation{'P', Any, "Product", kArithmetic, Memory,
              "rX := (m); rL x rX to 22 digits: the high half in rA, the low in rX; rF := 0"},
    Operation{'Q', Any, "Transfer if equal", kStopSwitch, Transfer,
              "transfers if rA = rL (all twelve characters the same)"},
    Operation{'R', Any, "Store return", kNoModifier, Memory,
              "(m) := 000000U followed by rCC + 1: a word that jumps back"},
    Operation{'S', Any, "Subtract", kArithmetic | kStoreSum, Memory, "rX := -(m); rA := rA + rX"},
    Operation{'T', Any, "Transfer if greater", kStopSwitch, Transfer,
              "transfers if rA > rL, compared character by character by code"},
    Operation{'U', Any, "Transfer", kNoModifier, Transfer, "transfers"},
    Operation{'V', Any, "Load rV", kCount, Memory,
              "rV := (m) and (m+1); on the ORMLAX II (rW), n words"},
    Operation{'W', Any, "Store rV", kCount, Memory,
              "(m) and (m+1) := rV; on the ORMLAX II (rW), n words"},
    Operation{'X', Any, "Add rX", kMinusStop, None, "rA := rA + rX"},
    Operation{'Y', Any, "Load rY", kCount, Memory,
              "rY := the ten words from m rounded down to a multiple of ten; on the ORMLAX II "
              "(rZ), n blocks of ten"},
    Operation{'Z', Any, "Store rY", kCount, Memory,
              "those words := rY; on the ORMLAX I, then the memory fuse test"},
};

// A space names the default servo.
bool NamesServo(char modifier, bool modelII) {
  if (modifier == ' ') return true;
  const int servo = ServoNumberOf(modifier);
  return servo >= 0 && servo < ServoCountOf(modelII);
}

bool Selects(ModifierSelect select, char modifier, bool modelII) {
  switch (select) {
    case Any:
      return true;
    case Zero:
      return modifier == '0';
    case NotZero:
      return modifier != '0';
    case Servo:
      return NamesServo(modifier, modelII);
    case ZeroOrServo:
      return modifier == '0' || NamesServo(modifier, modelII);
  }
  return false;
}

}  // namespace

std::span<const Operation> Operations() {
  return kTable;
}

const Operation* FindOperation(char op, char modifier, bool modelII) {
  for (const Operation& o : kTable) {
    if (o.op == op && Selects(o.select, modifier, modelII)) return &o;
  }
  return nullptr;
}

std::string ModifiersText(const Operation& o) {
  if (o.modifiers & kServo) return o.select == ZeroOrServo ? "0 or s" : "s";
  if (o.select == Zero) return "0";
  if (o.modifiers & kCount) return "n";
  if (o.modifiers & kStopSwitch) return "digit";
  std::string text;
  for (const auto& [bit, name] : {std::pair{kFMask, "F"}, {kMinusStop, "-"}, {kStoreSum, "H"}}) {
    if (!(o.modifiers & bit)) continue;
    if (!text.empty()) text += ' ';
    text += name;
  }
  return text;
}

}  // namespace ormlax
