// The word trace written into a host file a person reads: a first line saying what it holds, then
// one line a word (see TraceLine in word_trace.h), LF line ends:
//
//   ORMLAX I trace: after each word its location, the word, rA, rX, rL and rF; at most 100000 words
//   000  B00100A00101  rA 000000000012  rX 000000000007  rL 000000000000  rF 000000000000
//   001  U00000000000  rA 000000000012  rX 000000000007  rL 000000000000  rF 000000000000
//
// A trace holds at most its bound of words (kDefaultTraceBound unless told otherwise), about 90
// bytes each; the word that reaches the bound is followed by the line
//
//   trace ended: the bound of 100000 words is reached
//
// and nothing more is written. The file is opened (and emptied) when the trace is made and closed
// when the trace is destroyed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/word_trace.h"

namespace ormlax {

// About nine megabytes of trace.
inline constexpr std::uint64_t kDefaultTraceBound = 100'000;

class TraceFile : public WordTrace {
 public:
  TraceFile(const std::filesystem::path& path, const MachineState& s,
            std::uint64_t bound = kDefaultTraceBound);

  // False when the file could not be opened; Failure() then says why.
  bool IsOpen() const { return open_; }
  bool AfterWord(int location, const Word& word, const MachineState& s) override;

  // Writes out what is kept back and closes the file; false when it could not all be written.
  bool Close();

  std::uint64_t Words() const { return words_; }
  std::uint64_t Bound() const { return bound_; }
  bool BoundReached() const { return words_ >= bound_; }
  // Why the trace could not be written ("cannot write trace.txt"), or an empty text.
  const std::string& Failure() const { return failure_; }

 private:
  void Fail();

  std::filesystem::path path_;
  std::ofstream out_;
  std::uint64_t bound_;
  std::uint64_t words_ = 0;
  bool open_ = false;
  std::string failure_;
};

}  // namespace ormlax
