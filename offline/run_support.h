// What the conversions and the printer runs share: their common checks, the source tape read
// record by record, and the end of an operation.
#pragma once

#include <optional>
#include <string>

#include "offline/offline_desk.h"
#include "tape/tape_file.h"

namespace ormlax::offline {

// The source tape, read a record at a time as text.
class SourceTape {
 public:
  // Opens the desk's source for reading. False when it cannot; the operator has been told why.
  bool Open(OffLineDesk& desk);
  // The next record as its length field counts it; nothing once the tape is exhausted or a read
  // failed (then Failed() says so).
  std::optional<std::string> Next();
  int RecordCount() const { return count_; }
  bool Failed() const { return failed_; }
  // Tells the operator that the tape could not be read to its end, when it could not.
  void ReportFailure(Operator& op);

 private:
  TapeFile file_;
  int count_ = 0;
  int next_ = 1;
  bool failed_ = false;
};

// True, the operator told, when the target is the source file itself (under any spelling or
// through a link): writing the target would empty the source before it is read.
bool TargetIsSource(OffLineDesk& desk);

// "The output will go to the default printer", OK or Cancel (the default): true for OK.
bool PrinterAccepted(OffLineDesk& desk);

// The blockette without its line end: every CR LF removed.
std::string WithoutLineEnds(std::string text);

// The end of an operation that ran to its end: source and target forgotten.
void ResetDesk(OffLineDesk& desk);

}  // namespace ormlax::offline
