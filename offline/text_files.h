// Text files of the off-line equipment: read whole and split into lines whatever their line ends
// (CR LF, LF or CR), and written with CR LF, byte for byte. Only regular files are opened, so a
// pipe or a device can never make an operation wait.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/durable_file.h"

namespace ormlax::offline {

inline constexpr std::string_view kCrLf = "\r\n";

// Hands the file's bytes to `take` piece by piece until the end or until `take` answers false.
// False, with the host's reason in `error`, when the file cannot be read.
bool ReadFilePieces(const std::filesystem::path& path,
                    const std::function<bool(std::string_view)>& take, std::string& error);

// Reads at most `limit` bytes of the file into `text` (`truncated` tells whether there was more).
// False, with the host's reason in `error`, when the file cannot be read.
bool ReadTextFile(const std::filesystem::path& path, std::size_t limit, std::string& text,
                  bool& truncated, std::string& error);

// The lines of a text, without their ends; a last line without an end counts too.
std::vector<std::string> SplitLines(std::string_view text);

// A text file written anew. Writes are collected and handed to the host in large pieces; the
// first failure is kept and every later write is dropped. The file takes the place of an earlier
// one of its name only when Close has put all of it on disk: until then, and after any failure,
// the old file stays as it was.
class TextFileWriter {
 public:
  // Begins the new file. False, with the reason, when it cannot be made.
  bool Create(const std::filesystem::path& path) { return file_.Begin(path); }
  void Write(std::string_view bytes) { file_.Write(bytes); }
  // The text followed by CR LF.
  void WriteLine(std::string_view text) {
    Write(text);
    Write(kCrLf);
  }
  // Puts the file in the old one's place. False when any write failed or it did not get there.
  bool Close() { return file_.Commit(); }
  // Drops what was written; the old file stays.
  void Abandon() { file_.Abandon(); }

  bool Failed() const { return file_.Failed(); }
  const std::string& Error() const { return file_.Reason(); }

 private:
  DurableFile file_;
};

}  // namespace ormlax::offline
