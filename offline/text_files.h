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

// A text file written from its start. Writes are collected and handed to the host in large
// pieces; the first failure is kept and every later write is dropped.
class TextFileWriter {
 public:
  TextFileWriter() = default;
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // Creates the file, or empties an existing one. False, with the reason, when it cannot.
  bool Create(const std::filesystem::path& path);
  void Write(std::string_view bytes);
  // The text followed by CR LF.
  void WriteLine(std::string_view text) {
    Write(text);
    Write(kCrLf);
  }
  // Hands the rest to the host and closes the file. False when any write failed.
  bool Close();

  bool Failed() const { return !error_.empty(); }
  const std::string& Error() const { return error_; }

 private:
  void Flush();

  int fd_ = -1;
  std::string pending_;
  std::string error_;
};

}  // namespace ormlax::offline
