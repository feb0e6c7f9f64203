// A tape file written whole, block after block from its first, that takes the place of any file
// of its name only once every block is on disk: until Commit, and after any failure, the old
// file stays as it was.
#pragma once

#include <filesystem>
#include <string>

#include "core/durable_file.h"
#include "tape/tape_file.h"

namespace ormlax {

class NewTapeFile {
 public:
  // False, with the reason, when the new tape cannot be begun.
  bool Begin(const std::filesystem::path& path) {
    blocks_ = 0;
    return file_.Begin(path);
  }
  // Writes the block after the last one written. False once any write has failed. The caller
  // keeps the tape within its 1950 blocks.
  bool WriteBlock(const TapeBlock& block);
  // The tape in the old file's place. False, with the reason, when it did not get there.
  bool Commit() { return file_.Commit(); }
  void Abandon() { file_.Abandon(); }

  bool IsOpen() const { return file_.IsOpen(); }
  int Blocks() const { return blocks_; }
  const std::filesystem::path& Path() const { return file_.Path(); }
  const std::string& Reason() const { return file_.Reason(); }

 private:
  DurableFile file_;
  int blocks_ = 0;
};

}  // namespace ormlax
