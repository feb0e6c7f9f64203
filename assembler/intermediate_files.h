// The files of an assembly run as the host holds them: source lines read with any of the three
// line ends, text files written with CR LF, and the fixed 128-byte records of ".i3" and ".i4".
// Only regular files are opened, and nothing waits on a pipe or a device. No operation throws: a
// failure answers false and leaves the reason in Error().
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ormlax {

// "The file" CR LF path CR LF what went wrong and why, for the operator.
std::string AssemblerFileMessage(const std::filesystem::path& path, std::string_view failure,
                                 std::string_view reason);

// A host file held open by descriptor.
class HostFile {
 public:
  HostFile() = default;
  ~HostFile();
  HostFile(const HostFile&) = delete;
  HostFile& operator=(const HostFile&) = delete;

  bool OpenForReading(const std::filesystem::path& path);
  // Creates the file, or empties an existing one.
  bool Create(const std::filesystem::path& path);
  bool Close();

  bool IsOpen() const { return fd_ >= 0; }
  const std::filesystem::path& Path() const { return path_; }
  const std::string& Error() const { return error_; }

 protected:
  bool Fail(const std::string& reason);
  bool FailFromErrno();
  bool ReadAt(std::int64_t offset, char* bytes, std::size_t count, std::size_t& got);
  bool WriteAt(std::int64_t offset, const char* bytes, std::size_t count);

  int fd_ = -1;
  std::filesystem::path path_;
  std::string error_;

 private:
  bool Open(const std::filesystem::path& path, int flags);
};

// Lines of a text file; a line ends at CR LF, at LF or at a lone CR.
class LineReader : public HostFile {
 public:
  // The next line without its line end; false at the end of the file or on a failure (Error()
  // then says which).
  bool Next(std::string& line);

 private:
  bool Fill();

  std::vector<char> buffer_;
  std::size_t at_ = 0;
  std::size_t end_ = 0;
  std::int64_t offset_ = 0;
  bool eof_ = false;
  bool pendingCr_ = false;  // the last line ended at a CR whose LF may follow in the next read
};

// A text file written line by line, each line ended by CR LF.
class TextWriter : public HostFile {
 public:
  bool WriteLine(std::string_view line);
  bool Write(std::string_view text);
  // Writes what is buffered and closes the file.
  bool Finish();

 private:
  bool Flush();

  std::string buffer_;
  std::int64_t offset_ = 0;
};

// Records of ".i3" and ".i4", numbered from 1: a 2-byte length (126) and 126 characters, the
// record's text padded with blanks to 124 characters and CR LF. Records are read and written in
// pieces of many records, so a pass may walk them in either direction.
class RecordFile : public HostFile {
 public:
  static constexpr std::size_t kTextLength = 124;
  static constexpr std::size_t kRecordBytes = 128;

  ~RecordFile();

  // The number of records: the file's length divided by 128.
  bool Count(std::int64_t& records);
  // The record's 124 characters.
  bool Read(std::int64_t record, std::string& text);
  // The text must fit in 124 characters.
  bool Write(std::int64_t record, std::string_view text);
  bool Finish();

 private:
  bool Load(std::int64_t piece);
  bool FlushPiece();

  static constexpr std::int64_t kPieceRecords = 512;
  std::vector<char> piece_;
  std::int64_t pieceIndex_ = -1;  // which piece of records is in piece_
  std::int64_t pieceBytes_ = 0;   // how many of its bytes are in the file or written
  bool dirty_ = false;
};

}  // namespace ormlax
