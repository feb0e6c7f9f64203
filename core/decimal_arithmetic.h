// Decimal addition on the characters of words, and exact products and quotients.
#pragma once

#include "core/word.h"

namespace ormlax {

// a + b digit by digit; characters that are not digits pass through into the result. `overflow`
// is set to whether a carry left the top digit.
Word DecimalAdd(const Word& a, const Word& b, bool& overflow);

// Products and quotients need operands whose digit positions all have digit values; they return
// false (and change nothing) otherwise. `overflow` is set when a result reaches 1 and left alone
// otherwise.

// l times x, rounded to eleven digits (halves go toward plus infinity).
bool RoundedProduct(const Word& l, const Word& x, Word& result, bool& overflow);

// l times x to 22 digits, truncated: high holds digits 1-11, low digits 12-22, both signed.
bool DoubleLengthProduct(const Word& l, const Word& x, Word& high, Word& low, bool& overflow);

// m divided by l, rounded and truncated to eleven digits. False as well when l is zero.
bool Quotient(const Word& m, const Word& l, Word& rounded, Word& truncated, bool& overflow);

}  // namespace ormlax
