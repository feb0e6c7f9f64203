#include "core/trace_file.h"

namespace ormlax {

TraceFile::TraceFile(const std::filesystem::path& path, const MachineState& s, std::uint64_t bound)
    : path_(path), bound_(bound < 1 ? 1 : bound) {
  std::error_code ec;
  if (!std::filesystem::is_directory(path, ec)) {
    out_.open(path, std::ios::binary | std::ios::trunc);
  }
  open_ = out_.is_open();
  if (!open_) {
    Fail();
    return;
  }
  out_ << "ORMLAX " << (s.IsModelII ? "II" : "I")
       << " trace: after each word its location, the word, rA, rX, rL and rF; at most " << bound_
       << " words\n";
  if (!out_.flush()) Fail();
}

void TraceFile::Fail() {
  open_ = false;
  failure_ = "cannot write " + path_.filename().string();
}

bool TraceFile::Close() {
  if (!out_.is_open()) return failure_.empty();
  out_.flush();
  const bool written = static_cast<bool>(out_);
  out_.close();
  open_ = false;
  if (!written) Fail();
  return written && failure_.empty();
}

bool TraceFile::AfterWord(int location, const Word& word, const MachineState& s) {
  if (!open_ || words_ >= bound_) return false;
  out_ << TraceLine(location, word, s) << '\n';
  ++words_;
  if (words_ >= bound_) {
    out_ << "trace ended: the bound of " << bound_ << " words is reached\n";
    out_.flush();
  }
  if (!out_) {
    Fail();
    return false;
  }
  return words_ < bound_;
}

}  // namespace ormlax
