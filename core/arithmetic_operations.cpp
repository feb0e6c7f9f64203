// Addition, subtraction, multiplication, division and extraction.
#include "core/character_code.h"
#include "core/decimal_arithmetic.h"
#include "core/processor.h"

namespace ormlax {

void Processor::AddToA(const Word& operand, bool storeBack) {
  s_.rX = operand;
  bool overflow = false;
  s_.rA = DecimalAdd(s_.rA, s_.rX, overflow);
  SetOverflow(s_, overflow);
  if (storeBack) Written(s_.CurrentAddress) = s_.rA;
}

void Processor::Multiply(const Word& operand, bool doubleLength) {
  s_.rX = operand;
  bool overflow = false;
  const bool valid = doubleLength ? DoubleLengthProduct(s_.rL, operand, s_.rA, s_.rX, overflow)
                                  : RoundedProduct(s_.rL, operand, s_.rA, overflow);
  if (!valid) {
    StopWithLamp(s_, kInvalidOperandLamp);
    return;
  }
  if (overflow) SetOverflow(s_, true);
  s_.rF = kZeroWord;
}

bool Processor::Divide() {
  if (AddressInvalid()) return true;
  // The divide fault: a "(" in rA facing a "'" in the operand word.
  const auto paren = s_.rA.View().find('(');
  if (paren != std::string_view::npos && At(s_.CurrentAddress)[paren] == '\'') {
    s_.FuseReason = 2;
    StopWithLamp(s_, kInvalidOperandLamp, StopReason::FuseBlown);
    op_.ShowFuseWindow(2);
    StopAs(StopReason::FuseBlown);
    s_.rA = kZeroWord;
    return false;
  }
  const Word o = Operand();
  s_.rX = o;
  bool overflow = false;
  Word rounded, truncated;
  // An invalid operand or a zero divisor lights "Invalid operand" and leaves rA alone.
  if (!Quotient(o, s_.rL, rounded, truncated, overflow)) {
    StopWithLamp(s_, kInvalidOperandLamp);
    return true;
  }
  s_.rA = rounded;
  s_.rX = truncated;
  if (overflow) SetOverflow(s_, true);
  s_.rF = kZeroWord;
  return true;
}

void Processor::ExtractE(bool fMask) {
  const Word& m = At(s_.CurrentAddress);
  Word r = s_.rA;
  for (std::size_t p = 0; p < Word::kLength; ++p) {
    const int code = CodeOf(s_.rF[p]);
    // An even code selects the operand's character; with the F modifier an odd code or none does.
    const bool even = code >= 0 && code % 2 == 0;
    if (even != fMask) r[p] = m[p];
  }
  s_.rA = r;
  if (fMask) Written(s_.CurrentAddress) = s_.rA;
}

}  // namespace ormlax
