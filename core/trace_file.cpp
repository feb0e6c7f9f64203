#include "core/trace_file.h"

namespace ormlax {

TraceFile::TraceFile(const std::filesystem::path& path, const MachineState& s, std::uint64_t bound)
    : path_(path), bound_(bound < 1 ? 1 : bound) {
  open_ = out_.Begin(path);
  if (!open_) {
    Fail();
    return;
  }
  out_.Write(std::string("ORMLAX ") + (s.IsModelII ? "II" : "I") +
             " trace: after each word its location, the word, rA, rX, rL and rF; at most " +
             std::to_string(bound_) + " words\n");
}

TraceFile::~TraceFile() {
  Close();
}

void TraceFile::Fail() {
  open_ = false;
  if (failure_.empty()) {
    failure_ = "The trace file " + path_.string() + " cannot be written: " + out_.Reason();
  }
  out_.Abandon();
}

void TraceFile::Commit() {
  open_ = false;
  if (!out_.Commit()) Fail();
}

bool TraceFile::Close() {
  if (out_.IsOpen()) Commit();
  return failure_.empty();
}

bool TraceFile::AfterWord(int location, const Word& word, const MachineState& s) {
  if (!open_ || words_ >= bound_) return false;
  std::string line = TraceLine(location, word, s);
  line += '\n';
  ++words_;
  if (words_ >= bound_) {
    line += "trace ended: the bound of " + std::to_string(bound_) + " words is reached\n";
  }
  if (!out_.Write(line)) {
    Fail();
    return false;
  }
  if (words_ >= bound_) {
    Commit();  // the trace is whole: it takes its place at once
    return false;
  }
  return true;
}

}  // namespace ormlax
