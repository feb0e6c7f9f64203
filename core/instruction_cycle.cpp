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

// The marks of a processor without breakpoints: none anywhere.
const Breakpoints::Marks kNoMarks{};

}  // namespace

Processor::Processor(MachineState& state, Operator& op, Peripherals devices)
    : s_(state), op_(op), io_(devices), executeMarks_(&kNoMarks), storeMarks_(&kNoMarks) {}

void Processor::SetBreakpoints(Breakpoints* breakpoints) {
  if (breakpoints_ != nullptr) breakpoints_->Watch(nullptr);
  breakpoints_ = breakpoints;
  ++breakpointGeneration_;
  if (breakpoints != nullptr) breakpoints->Watch(&breakpointGeneration_);
  executeMarks_ = breakpoints != nullptr ? &breakpoints->ExecuteMarks() : &kNoMarks;
  storeMarks_ = breakpoints != nullptr ? &breakpoints->StoreMarks() : &kNoMarks;
}

void Processor::StepWord(bool fromRun) {
  ResetLamps(s_);
  s_.TransferTaken = false;
  if (trace_ != nullptr) {
    traceLocation_ = s_.ExecuteFromCR ? kFromControlRegister : s_.rCC;
    traceWord_ = s_.ExecuteFromCR ? s_.rCR : At(s_.rCC);
    tracePending_ = true;
  }
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
  if (tracePending_) TraceWord();
}

void Processor::TraceWord() {
  tracePending_ = false;
  if (trace_ != nullptr && !trace_->AfterWord(traceLocation_, traceWord_, s_)) trace_ = nullptr;
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
    const int next = s_.rCC + 1;
    s_.rCC = next < s_.MemorySize ? next : next % s_.MemorySize;
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
  if (tracePending_) {
    // The trace shows the word that overflowed, then the word at location 0 as a word of its own.
    TraceWord();
    traceLocation_ = 0;
    traceWord_ = At(0);
    tracePending_ = true;
  }
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
  Instruction i = Instruction::Filled(' ');
  i[0] = d.op;
  i[1] = d.rawModifier;
  ReportInvalidOpcode(i);
}

void Processor::ExecuteInstruction(const Instruction& instruction) {
  Execute(instruction.chars.data());
}

void Processor::Execute(const char* instruction) {
  Decoded d{instruction[0], instruction[1], instruction[1], 1, -1};
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

// What Execute works out before it dispatches, worked out once for the decode cache. Only the
// servo of an input-output operation depends on the console (the default servo): those are
// decoded afresh as they run.
void Processor::Decode(DecodedWord& entry, const Word& w) {
  entry.word = w;
  entry.next = static_cast<std::int16_t>(AddressOf(w, s_.AddressDigits));
  for (std::size_t half = 0; half < 2; ++half) {
    const char* in = w.chars.data() + half * Instruction::kLength;
    DecodedHalf& h = entry.half[half];
    const int digit = DigitValue(in[1]);
    h.d = Decoded{in[0], in[1], in[1], digit >= 0 ? digit : 1, -1};
    h.address = static_cast<std::int16_t>(AddressOf(in + Instruction::kLength, s_.AddressDigits));
    h.fMask = s_.IsModelII && in[1] == 'F' && kModifiers.Takes(in[0], kFMask);
    h.minus = in[1] == '-' && kModifiers.Takes(in[0], kMinusStop);
    h.storeSum = s_.IsModelII && in[1] == 'H' && kModifiers.Takes(in[0], kStoreSum);
    h.kind = FastKindOf(in[0], in[1], h.address >= 0);
  }
  // The console shows memory again after each instruction. After the left one nobody can see it
  // when the right one is sure to show it again without letting the operator in first; a right
  // one that may end at once, show a message or hold the machine needs it shown.
  switch (entry.half[1].kind) {
    case kDispatch:
    case kDecodeAgain:
    case kDivide:  // the divide fault ends it at once
    case kQ:       // a conditional stop
    case kT:
      entry.refreshLeft = true;
      break;
    default:
      entry.refreshLeft = false;
      break;
  }
  // The left one may let the operator in (a message, a hold, a window), who may change the
  // address width before the right one runs.
  switch (entry.half[0].kind) {
    case kDispatch:
    case kDecodeAgain:
    case kDivide:
    case kQ:
    case kT:
      entry.leftMayWait = true;
      break;
    default:
      entry.leftMayWait = false;
      break;
  }
}

Processor::FastKind Processor::FastKindOf(char op, char modifier, bool addressValid) {
  if (kModifiers.Takes(op, kServo)) return kDecodeAgain;
  switch (op) {
    case '0':
      return modifier == '0' ? kNoOperation : kDispatch;
    case 'X':
      return kAddX;
    case 'K':
      return kMoveAL;
    case 'Q':
      return kQ;
    case 'T':
      return kT;
    case 'U':
      return kU;
    default:
      break;
  }
  if (!addressValid) return kDispatch;  // Dispatch stops with "Invalid address"
  switch (op) {
    case 'B':
      return kBring;
    case 'A':
      return kAdd;
    case 'S':
      return kSubtract;
    case 'H':
      return kStoreA;
    case 'C':
      return kStoreClear;
    case 'F':
      return kLoadF;
    case 'G':
      return kStoreF;
    case 'J':
      return kStoreX;
    case 'L':
      return kLoadL;
    case 'M':
      return kMultiply;
    case 'N':
      return kNegativeMultiply;
    case 'P':
      return kProduct;
    case 'D':
      return kDivide;
    default:
      return kDispatch;
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
  // An operation that writes its location.
  const auto withAddress = [&](auto&& action) {
    if (!AddressInvalid()) action(Written(s_.CurrentAddress));
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
      if (!AddressInvalid()) s_.rF = At(s_.CurrentAddress);
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
    case 'T':
      Compare(d, GreaterByCode(s_.rA, s_.rL));
      return true;
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
