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
// and nothing more is written. The lines go to a temporary file beside the trace's; it takes the
// trace's name, replacing an earlier trace of that name, when the trace is closed (by Close, at
// the bound, or when it is destroyed). Until then an earlier file of that name stays whole, and
// one that cannot be written in full is never put in its place.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/durable_file.h"
#include "core/word_trace.h"

namespace ormlax {

// About nine megabytes of trace.
inline constexpr std::uint64_t kDefaultTraceBound = 100'000;

class TraceFile : public WordTrace {
 public:
  TraceFile(const std::filesystem::path& path, const MachineState& s,
            std::uint64_t bound = kDefaultTraceBound);
  ~TraceFile() override;
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  // False when the file could not be opened; Failure() then says why.
  bool IsOpen() const { return open_; }
  bool AfterWord(int location, const Word& word, const MachineState& s) override;

  // Writes out what is kept back and puts the file in place; false when it could not all be
  // written (the earlier file of its name then stays as it was).
  bool Close();

  std::uint64_t Words() const { return words_; }
  std::uint64_t Bound() const { return bound_; }
  bool BoundReached() const { return words_ >= bound_; }
  // Why the trace could not be written ("The trace file /home/ann/trace.txt cannot be written:
  // No space left on device"), or an empty text.
  const std::string& Failure() const { return failure_; }

 private:
  void Fail();
  // Puts what is written in the file's place.
  void Commit();

  std::filesystem::path path_;
  DurableFile out_;
  std::uint64_t bound_;
  std::uint64_t words_ = 0;
  bool open_ = false;
  std::string failure_;
};

}  // namespace ormlax
