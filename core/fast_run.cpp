// The fast run: each word is decoded once and kept, by location, as long as memory holds the
// same characters there (and the address width is the same); a word stored into, by the program
// or at the console, is decoded afresh when it next runs. Everything a word does is done as
// StepWord does it, in the same order: the common operations are done here as Dispatch does them,
// the others by Dispatch itself.
#include "core/decimal_arithmetic.h"
#include "core/packed_digits.h"
#include "core/processor.h"

namespace ormlax {

inline const Processor::DecodedWord& Processor::Lookup(int location, std::uint32_t key) {
  if (!cache_) {
    cache_ = std::make_unique<DecodedWord[]>(kMaxMemorySize);
    for (int a = 0; a < kMaxMemorySize; ++a) cache_[static_cast<std::size_t>(a)].key = 0;
  }
  DecodedWord& entry = cache_[static_cast<std::size_t>(location)];
  const Word& w = At(location);
  if (entry.key != key || entry.word != w) {
    Decode(entry, w);
    entry.key = key;
    entry.stop = (*executeMarks_)[static_cast<std::size_t>(location)] != 0;
  }
  return entry;
}

[[gnu::always_inline]] inline bool Processor::ExecuteFast(const DecodedHalf& h) {
  // A local reference: the compiler need not read s_ again after every character stored.
  MachineState& s = s_;
  const int m = h.address;
  const auto add = [&](const Word& operand) {
    s.rX = operand;
    bool overflow = false;
    Word sum;
    if (!AddDigitWords(s.rA, s.rX, sum, overflow)) sum = DecimalAdd(s.rA, s.rX, overflow);
    s.rA = sum;
    SetOverflow(s, overflow);
    if (h.storeSum) Written(m) = s.rA;
  };
  const auto operand = [&]() -> Word {
    return h.fMask ? Operand() : s.Memory[static_cast<std::size_t>(m)];
  };
  switch (h.kind) {
    case kNoOperation:
      return true;
    case kBring:
      s.rA = s.rX = operand();
      return true;
    case kAdd:
      add(operand());
      return true;
    case kSubtract:
      add(NegateWord(operand()));
      return true;
    case kAddX:
      add(s.rX);
      return true;
    case kStoreA:
      Written(m) = s.rA;
      return true;
    case kStoreClear:
      Written(m) = s.rA;
      s.rA = kZeroWord;
      return true;
    case kLoadF:
      s.rF = s.Memory[static_cast<std::size_t>(m)];
      return true;
    case kStoreF:
      Written(m) = s.rF;
      return true;
    case kStoreX:
      Written(m) = s.rX;
      return true;
    case kMoveAL:
      s.rL = s.rA;
      s.rA = kZeroWord;
      return true;
    case kLoadL:
      s.rL = s.rX = operand();
      return true;
    case kMultiply:
    case kProduct:
      Multiply(operand(), h.kind == kProduct);
      return true;
    case kNegativeMultiply:
      Multiply(NegateWord(operand()), false);
      return true;
    case kDivide:
      return Divide();
    case kQ:
    case kT:
    case kU: {
      // A transfer without a stop switch that holds it; Compare's and U's own way otherwise.
      const bool held =
          h.kind != kU &&
          (s.QTSwitches[kQTAll] || (h.d.modifier >= '0' && h.d.modifier <= '9' &&
                                    s.QTSwitches[static_cast<std::size_t>(h.d.modifier - '0')]));
      if (held || s.NextAddress < 0) return Dispatch(h.d);
      // RequestTransfer.
      s.TransferTaken = true;
      s.TransferSave[0] = s.Memory[static_cast<std::size_t>(s.rCC)];
      s.TransferSave[1] = s.Memory[static_cast<std::size_t>(s.NextAddress)];
      if (h.kind == kQ) s.TransferTaken = s.rA == s.rL;
      if (h.kind == kT) s.TransferTaken = GreaterByCode(s.rA, s.rL);
      return true;
    }
    case kDispatch:
    case kDecodeAgain:
      break;
  }
  return Dispatch(h.d);
}

[[gnu::always_inline]] inline void Processor::ExecuteHalf(const DecodedHalf& h,
                                                          const char* instruction, bool refresh) {
  MachineState& s = s_;
  if (h.kind == kDecodeAgain) {
    Execute(instruction);
    return;
  }
  s.CurrentAddress = h.address;
  s.FModifier = h.fMask;
  s.MinusModifier = h.minus;
  if (ExecuteFast(h) && refresh) {
    s.Panel.Contents = s.Memory[static_cast<std::size_t>(s.ConsoleLocation)];
    s.Panel.ContentsEmpty = false;
  }
}

std::uint64_t Processor::RunFast(std::uint64_t budget) {
  MachineState& s = s_;
  std::uint64_t done = 0;
  // The first word has been looked at by the breakpoints already.
  const DecodedWord* e = &Lookup(s.rCC, CacheKey());
  for (;;) {
    // Nothing a word does looks up another word of the cache, so the entry stays as it is while
    // its word runs, whatever the word stores.
    ResetLamps(s);
    s.TransferTaken = false;
    s.NextAddress = e->next;
    s.MinusModifier = false;
    ExecuteHalf(e->half[0], e->word.chars.data(), e->refreshLeft);
    if (e->leftMayWait && e->key != CacheKey()) {
      // The operator changed the address width (or the breakpoints) while the left half waited:
      // the right half is decoded as it stands now.
      Execute(e->word.chars.data() + Instruction::kLength);
    } else {
      ExecuteHalf(e->half[1], e->word.chars.data() + Instruction::kLength, true);
    }
    if (s.TransferTaken) {
      // RestoreTransferWords and AdvanceControl.
      s.Memory[static_cast<std::size_t>(s.rCC)] = s.TransferSave[0];
      s.Memory[static_cast<std::size_t>(s.NextAddress)] = s.TransferSave[1];
      s.rCC = s.NextAddress;
    } else if (!s.ExecuteFromCR) {
      const int next = s.rCC + 1;
      s.rCC = next < s.MemorySize ? next : next % s.MemorySize;
    }
    if (s.OverflowFlag) CheckOverflow();
    s.ExecuteFromCR = false;
    ++wordsExecuted_;
    ++done;
    if (!stored_.empty()) StoreBreakpointStops();
    if (done >= budget || !s.Running || s.ExecuteFromCR) break;
    // The key is worked out afresh: a word that waited for the operator may have let the address
    // width or the breakpoints change.
    e = &Lookup(s.rCC, CacheKey());
    if (e->stop) break;  // the run loop meets the breakpoint
  }
  return done;
}

}  // namespace ormlax
