// The words the assembler adds of its own: the overflow routine at the head of the program, the
// automatic constants after it and the places of the working-storage areas after those.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "assembler/assembly_state.h"

namespace ormlax {

class RecordFile;

// The overflow routine occupies locations 0 to 3; the program proper begins at 4.
inline constexpr int kOverflowRoutineWords = 4;
// Its four lines as pass 1 writes them at the head of ".i2".
const std::array<std::string, kOverflowRoutineWords>& OverflowRoutineLines();

// The constant word of a reference "+" letter value: TAB "|" + groups 1-2 + TAB "|" + groups 3-4,
// the value in the groups the letter "A" to "L" selects and "000" in the others. Empty when the
// letter selects none.
std::string ConstantWord(std::string_view reference);

// After the last record of ".i4": each distinct constant reference gets a word and a location
// (records appended to ".i4", entries in lstSymTab). False when ".i4" failed.
bool AllocateConstants(AssemblyState& s, RecordFile& i4, std::int64_t records);
// The working-storage areas take their places after the constants, in ascending name order.
void AllocateWorkingStorage(AssemblyState& s);

}  // namespace ormlax
