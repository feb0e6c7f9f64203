// One step of the machine: fetch a word, execute its two instructions, take a pending transfer,
// advance the control counter and handle overflow.
#include <array>
#include <string>

#include "core/character_code.h"
#include "core/operations.h"
#include "core/processor.h"
#include "core/word_value.h"

namespace ormlax {
namespace {

// What the decoder needs to know of each operation character, from the table of operations.
struct ModifierTable {
  std::array<std::uint8_t, 256> uses{};  // ModifierUse bits of all the character's entries
  ModifierTable() {
    for (const Operation& o : Operations()) uses[static_cast<unsigned char>(o.op)] |= o.modifiers;
  }
  bool Takes(char op, ModifierUse use) const {
    return (uses[static_cast<unsigned char>(op)] & use) != 0;
  }
};
const ModifierTable kModifiers;

}  // namespace

Processor::Processor(MachineState& state, Operator& op, Peripherals devices)
    : s_(state), op_(op), io_(devices) {}

void Processor::StepWord(bool fromRun) {
  ResetLamps(s_);
  s_.TransferTaken = false;
  if (s_.ExecuteFromCR) {
    ExecuteWord(s_.rCR, fromRun);
    s_.Panel.rCRBlank = true;
  } else {
    ExecuteWord(At(s_.rCC), fromRun);
  }
  if (s_.TransferTaken) RestoreTransferWords();
  AdvanceControl();
  s_.ExecuteFromCR = false;
  if (!fromRun) {
    s_.Lamp[kRunningLamp] = LampColour::Yellow;
    RefreshControlDisplay(s_, false);
  }
}

void Processor::ExecuteWord(const Word& word, bool fromRun) {
  const Word w = word;  // the word may be memory that its own instructions overwrite
  if (!fromRun) {
    s_.rCR = w;
    s_.Panel.rCRBlank = false;
  }
  s_.NextAddress = AddressOf(w, s_.AddressDigits);
  s_.MinusModifier = false;
  Execute(w.chars.data());
  Execute(w.chars.data() + Instruction::kLength);
}

void Processor::AdvanceControl() {
  if (s_.TransferTaken) {
    s_.rCC = s_.NextAddress;
  } else if (!s_.ExecuteFromCR) {
    s_.rCC = (s_.rCC + 1) % s_.MemorySize;
  }
  CheckOverflow();
}

void Processor::CheckOverflow() {
  if (!s_.OverflowFlag) return;
  if (s_.MinusModifier) {
    NoteStop(s_, StopReason::OverflowStop);
    s_.MinusModifier = false;
    return;
  }
  // The overflow trap executes the word at location 0 at once.
  SetOverflow(s_, false);
  if (s_.IsModelII && !s_.OperatingAsI) s_.rCC = (s_.rCC + 1) % s_.MemorySize;
  ExecuteWord(At(0), s_.Running);
}

void Processor::ReportInvalidOpcode(const Instruction& instruction) {
  s_.Lamp[kInvalidOpcodeLamp] = LampColour::Red;
  s_.Lamp[kRunningLamp] = LampColour::Red;
  NoteStop(s_, StopReason::InvalidOpcode);
  std::string text = "\"";
  text.append(instruction.chars.data(), 2);
  text.append("\" is not a valid opcode");
  ShowOkMessage(op_, text);
}

void Processor::ReportInvalid(const Decoded& d) {
  ReportInvalidOpcode(Instruction::FromText(std::string_view(d.text, Instruction::kLength)));
}

void Processor::ExecuteInstruction(const Instruction& instruction) {
  Execute(instruction.chars.data());
}

void Processor::Execute(const char* instruction) {
  Decoded d{instruction, instruction[0], instruction[1], 1, -1};
  s_.CurrentAddress = AddressOf(instruction + Instruction::kLength, s_.AddressDigits);
  s_.FModifier = s_.IsModelII && d.modifier == 'F' && kModifiers.Takes(d.op, kFMask);
  s_.MinusModifier = d.modifier == '-' && kModifiers.Takes(d.op, kMinusStop);
  const int digit = DigitValue(d.modifier);
  d.count = digit >= 0 ? digit : 1;
  if (kModifiers.Takes(d.op, kServo)) {
    if (d.modifier == ' ') {
      const int servo = s_.DefaultServo >= 0 && s_.DefaultServo < kServoCount ? s_.DefaultServo : 0;
      d.modifier = kServoIdentifiers[static_cast<std::size_t>(servo)];
    }
    const std::string_view accepted = s_.IsModelII ? "0123456789-ABCDEF" : "0123456789-";
    if (accepted.find(d.modifier) == std::string_view::npos) {
      ReportInvalid(d);
      return;
    }
    if (d.modifier != '0') d.servo = ServoNumberOf(d.modifier);
  }
  if (Dispatch(d)) {
    // The console shows the word at its location again.
    s_.Panel.Contents = At(s_.ConsoleLocation);
    s_.Panel.ContentsEmpty = false;
  }
}

bool Processor::AddressInvalid() {
  if (s_.CurrentAddress >= 0) return false;
  StopWithLamp(s_, kInvalidAddressLamp);
  return true;
}

Word Processor::Operand() {
  const Word& w = At(s_.CurrentAddress);
  if (!s_.FModifier) return w;
  // Where rF holds a character of even code the operand has "0"; elsewhere its own character.
  Word r = w;
  for (std::size_t p = 0; p < Word::kLength; ++p) {
    const int c = CodeOf(s_.rF[p]);
    if (c >= 0 && c % 2 == 0) r[p] = '0';
  }
  return r;
}

void Processor::Warn(const char* text) {
  if (!s_.ProgramDebug) return;
  ShowOkMessage(op_, text);
  NoteStop(s_, StopReason::ProgramLogicWarning);
}

bool Processor::Dispatch(const Decoded& d) {
  const auto withAddress = [&](auto&& action) {
    if (!AddressInvalid()) action(At(s_.CurrentAddress));
  };
  const bool modelIIExtras = s_.IsModelII;
  switch (d.op) {
    case '0':
      if (d.modifier != '0') Shift(d);
      return true;
    case '-':
    case ';':
    case '.':
      Shift(d);
      return true;
    case '1':
    case '2':
    case '3':
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
      return InputOutput(d);
    case '9':
      if (d.modifier != '0') {
        ReportInvalid(d);
        return true;
      }
      StopAs(StopReason::StopInstruction);
      return true;
    case ',':
      if (s_.StopOnComma) StopWithLamp(s_, kBreakpointStopLamp);
      return true;
    case 'A':
    case 'S':
      if (!AddressInvalid()) {
        const Word o = d.op == 'A' ? Operand() : NegateWord(Operand());
        AddToA(o, modelIIExtras && d.modifier == 'H' && kModifiers.Takes(d.op, kStoreSum));
      }
      return true;
    case 'X':
      AddToA(s_.rX, false);
      return true;
    case 'B':
      if (!AddressInvalid()) s_.rA = s_.rX = Operand();
      return true;
    case 'C':
      withAddress([&](Word& m) {
        m = s_.rA;
        s_.rA = kZeroWord;
      });
      return true;
    case 'D':
      return Divide();
    case 'E':
      if (!AddressInvalid()) ExtractE(s_.FModifier);
      return true;
    case 'F':
      withAddress([&](Word& m) { s_.rF = m; });
      return true;
    case 'G':
      withAddress([&](Word& m) { m = s_.rF; });
      return true;
    case 'H':
      withAddress([&](Word& m) { m = s_.rA; });
      return true;
    case 'I':
      if (!s_.IsModelII && !s_.HasIInstruction) {
        ReportInvalid(d);
      } else {
        withAddress([&](Word& m) { m = s_.rL; });
      }
      return true;
    case 'J':
      withAddress([&](Word& m) { m = s_.rX; });
      return true;
    case 'K':
      s_.rL = s_.rA;
      s_.rA = kZeroWord;
      return true;
    case 'L':
      if (!AddressInvalid()) s_.rL = s_.rX = Operand();
      return true;
    case 'M':
    case 'P':
      if (!AddressInvalid()) Multiply(Operand(), d.op == 'P');
      return true;
    case 'N':
      if (!AddressInvalid()) Multiply(NegateWord(Operand()), false);
      return true;
    case 'Q':
      Compare(d, s_.rA == s_.rL);
      return true;
    case 'T': {
      bool greater = false;
      for (std::size_t p = 0; p < Word::kLength; ++p) {
        const int a = CodeOf(s_.rA[p]);
        const int l = CodeOf(s_.rL[p]);
        if (a != l) {
          greater = a > l;
          break;
        }
      }
      Compare(d, greater);
      return true;
    }
    case 'R':
      if (!AddressInvalid()) StoreReturn();
      return true;
    case 'U':
      if (s_.NextAddress < 0) {
        StopWithLamp(s_, kInvalidAddressLamp);
      } else {
        RequestTransfer();
      }
      return true;
    case 'V':
      LoadV(d);
      return true;
    case 'W':
      StoreW(d);
      return true;
    case 'Y':
      LoadY(d);
      return true;
    case 'Z':
      StoreZ(d);
      return true;
    default:
      ReportInvalid(d);
      return true;
  }
}

}  // namespace ormlax
