// One assembly run: its options, the model it assembles for, its files, its counters and its six
// sorted tables.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "assembler/sorted_table.h"

namespace ormlax {

// Locations are counted wide enough that no source, however long, can make them wrap round.
using Location = std::int64_t;

// The assembler window's three check boxes.
struct AssemblyOptions {
  bool InsertOverflowCode = false;  // chkRU, "Insert overflow code"
  bool InsertLoader = false;        // chkLoader, "Insert loader"
  bool KeepIntermediates = false;   // chkPreserveInt, "Keep intermediates"
};

// What the assembler needs to know of the machine it assembles for.
struct AssemblyModel {
  int AddressDigits = 3;  // 3 on ORMLAX I, 4 on ORMLAX II
  int MemorySize = 1000;  // 1000 on ORMLAX I, 10000 on ORMLAX II
};

// The codes of the errors a run records. 0 to 4 are the source language's; 5 to 7 keep what
// cannot be loaded, or cannot be held in an intermediate record, out of the object tape.
enum ErrorCode : int {
  kInvalidProgramPoint = 0,
  kProgramPointNotDefined = 1,
  kNotEnoughFields = 2,
  kUndefinedSymbol = 3,
  kStorageCountOutOfRange = 4,
  kLocationOutsideMemory = 5,
  kTooManyWordsToLoad = 6,
  kFieldsTooLong = 7,
};

// The message of an error code; "Unspecified error" for a code that has none.
const char* ErrorText(int code);

inline constexpr int kProgramPointCount = 10;

// A text table: symbol names, uses, constant references, working-storage areas.
using TextTable = SortedTable<std::string, Location>;
// A table keyed by location, in numeric order: the errors (value: the code) and, in the
// listing, the label table and the uses of one symbol (value: the symbol's name).
using ErrorTable = SortedTable<Location, int>;
using LocationTable = SortedTable<Location, std::string>;

struct AssemblyState {
  AssemblyOptions Options;
  AssemblyModel Model;
  // The folder of the files and the program name: every file of the run is base + extension.
  std::filesystem::path Base;

  std::string ProgramName;
  Location LocationCounter = -1;
  std::vector<std::string> Fields;
  std::array<Location, kProgramPointCount> ProgramPoints{};
  bool AssemblyOk = true;
  Location WordCount = 0;
  Location WorkingStorageStart = 0;
  Location WorkingStorageTotal = 0;
  Location CurrentLocation = 0;

  TextTable lstSymTab;  // symbol name -> location; -1 for an undefined name
  TextTable lstXref;    // symbol name -> location of the word that looked it up
  LocationTable lstXrefSort;
  ErrorTable lstError;  // location -> error code
  TextTable lstAuto;    // automatic constant reference, once per occurrence
  TextTable lstWS;      // working-storage name -> word count

  // Why the run could not go on when a host file failed; empty while none has.
  std::string HostFailure;

  AssemblyState() { ProgramPoints.fill(-1); }

  // The path of one of the run's files: ".asm", ".i2" ... ".i5", ".lst", ".obj".
  std::filesystem::path FileOf(const char* extension) const;
};

// Adds the error to lstError.
void RecordError(AssemblyState& s, int code, Location location);
// All ten program points undefined.
void ResetProgramPoints(AssemblyState& s);
// The pseudo-operation in the label field acts for pass 1, 2 or 3.
void ApplyPseudoOp(AssemblyState& s, int pass);

// A host file failed: the reason is kept for the operator and the run goes no further.
bool FailRun(AssemblyState& s, const std::string& message);

}  // namespace ormlax
