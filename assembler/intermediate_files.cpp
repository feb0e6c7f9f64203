#include "assembler/intermediate_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/operator.h"
#include "tape/tape_file.h"

namespace ormlax {
namespace {

constexpr std::size_t kReadPiece = 1 << 16;
constexpr std::size_t kWritePiece = 1 << 16;

}  // namespace

std::string AssemblerFileMessage(const std::filesystem::path& path, std::string_view failure,
                                 std::string_view reason) {
  std::string text = "The file";
  text += kLineBreak;
  text += path.string();
  text += kLineBreak;
  text += failure;
  text += " (";
  text += reason;
  text += ")";
  return text;
}

HostFile::~HostFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool HostFile::Fail(const std::string& reason) {
  error_ = reason;
  return false;
}

bool HostFile::FailFromErrno() {
  return Fail(std::strerror(errno));
}

bool HostFile::Open(const std::filesystem::path& path, int flags) {
  Close();
  path_ = path;
  error_.clear();
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    return Fail(NotARegularFile(st.st_mode));
  }
  // Not blocking: a pipe would otherwise wait for the other end for ever.
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  if (fd < 0) return FailFromErrno();
  // It may have been replaced since it was looked at.
  if (::fstat(fd, &st) != 0) {
    const std::string reason = std::strerror(errno);
    ::close(fd);
    return Fail(reason);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return Fail(NotARegularFile(st.st_mode));
  }
  fd_ = fd;
  return true;
}

bool HostFile::OpenForReading(const std::filesystem::path& path) {
  return Open(path, O_RDONLY);
}

bool HostFile::Create(const std::filesystem::path& path) {
  if (!Open(path, O_RDWR | O_CREAT)) return false;
  if (::ftruncate(fd_, 0) != 0) {
    FailFromErrno();
    ::close(fd_);
    fd_ = -1;
    return false;
  }
  return true;
}

bool HostFile::Close() {
  if (fd_ < 0) return true;
  const int result = ::close(fd_);
  fd_ = -1;
  return result == 0 || FailFromErrno();
}

bool HostFile::ReadAt(std::int64_t offset, char* bytes, std::size_t count, std::size_t& got) {
  got = 0;
  while (got < count) {
    const ssize_t done = ::pread(fd_, bytes + got, count - got,
                                 static_cast<off_t>(offset) + static_cast<off_t>(got));
    if (done < 0) {
      if (errno == EINTR) continue;
      return FailFromErrno();
    }
    if (done == 0) break;
    got += static_cast<std::size_t>(done);
  }
  return true;
}

bool HostFile::WriteAt(std::int64_t offset, const char* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t done = ::pwrite(fd_, bytes, count, static_cast<off_t>(offset));
    if (done < 0) {
      if (errno == EINTR) continue;
      return FailFromErrno();
    }
    bytes += done;
    count -= static_cast<std::size_t>(done);
    offset += done;
  }
  return true;
}

bool LineReader::Fill() {
  if (buffer_.size() < kReadPiece) buffer_.resize(kReadPiece);
  std::size_t got = 0;
  if (!ReadAt(offset_, buffer_.data(), buffer_.size(), got)) return false;
  offset_ += static_cast<std::int64_t>(got);
  at_ = 0;
  end_ = got;
  eof_ = got == 0;
  return true;
}

bool LineReader::Next(std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    if (at_ == end_) {
      if (eof_ || !Fill()) return any;
      if (eof_) return any;
    }
    if (pendingCr_) {
      pendingCr_ = false;
      if (buffer_[at_] == '\n') ++at_;
      continue;
    }
    const char* start = buffer_.data() + at_;
    const char* stop = buffer_.data() + end_;
    const char* brk = std::find_if(start, stop, [](char c) { return c == '\r' || c == '\n'; });
    line.append(start, brk);
    any = true;
    at_ += static_cast<std::size_t>(brk - start);
    if (brk == stop) continue;
    pendingCr_ = *brk == '\r';
    ++at_;
    return true;
  }
}

bool TextWriter::Write(std::string_view text) {
  buffer_.append(text);
  return buffer_.size() < kWritePiece || Flush();
}

bool TextWriter::WriteLine(std::string_view line) {
  buffer_.append(line);
  buffer_.append(kLineBreak);
  return buffer_.size() < kWritePiece || Flush();
}

bool TextWriter::Flush() {
  if (buffer_.empty()) return true;
  if (!WriteAt(offset_, buffer_.data(), buffer_.size())) return false;
  offset_ += static_cast<std::int64_t>(buffer_.size());
  buffer_.clear();
  return true;
}

bool TextWriter::Finish() {
  const bool flushed = Flush();
  return Close() && flushed;
}

RecordFile::~RecordFile() {
  if (fd_ >= 0) FlushPiece();
}

bool RecordFile::Count(std::int64_t& records) {
  if (!FlushPiece()) return false;
  struct stat st;
  if (::fstat(fd_, &st) != 0) return FailFromErrno();
  records = static_cast<std::int64_t>(st.st_size) / static_cast<std::int64_t>(kRecordBytes);
  return true;
}

bool RecordFile::FlushPiece() {
  if (!dirty_) return true;
  dirty_ = false;
  const std::int64_t offset = pieceIndex_ * kPieceRecords * static_cast<std::int64_t>(kRecordBytes);
  return WriteAt(offset, piece_.data(), static_cast<std::size_t>(pieceBytes_));
}

bool RecordFile::Load(std::int64_t piece) {
  if (piece == pieceIndex_) return true;
  if (!FlushPiece()) return false;
  piece_.assign(kPieceRecords * kRecordBytes, ' ');
  std::size_t got = 0;
  const std::int64_t offset = piece * kPieceRecords * static_cast<std::int64_t>(kRecordBytes);
  if (!ReadAt(offset, piece_.data(), piece_.size(), got)) {
    pieceIndex_ = -1;
    return false;
  }
  pieceIndex_ = piece;
  pieceBytes_ = static_cast<std::int64_t>(got - got % kRecordBytes);
  return true;
}

bool RecordFile::Read(std::int64_t record, std::string& text) {
  if (record < 1) return Fail("no record " + std::to_string(record));
  if (!Load((record - 1) / kPieceRecords)) return false;
  const std::int64_t at = ((record - 1) % kPieceRecords) * static_cast<std::int64_t>(kRecordBytes);
  if (at + static_cast<std::int64_t>(kRecordBytes) > pieceBytes_) {
    return Fail("record " + std::to_string(record) + " is missing");
  }
  text.assign(piece_.data() + at + 2, kTextLength);
  return true;
}

bool RecordFile::Write(std::int64_t record, std::string_view text) {
  if (record < 1) return Fail("no record " + std::to_string(record));
  if (text.size() > kTextLength) return Fail("a record of more than 124 characters");
  if (!Load((record - 1) / kPieceRecords)) return false;
  const std::int64_t at = ((record - 1) % kPieceRecords) * static_cast<std::int64_t>(kRecordBytes);
  char* r = piece_.data() + at;
  r[0] = static_cast<char>(kTextLength + 2);
  r[1] = '\0';
  std::fill(r + 2, r + 2 + kTextLength, ' ');
  std::copy(text.begin(), text.end(), r + 2);
  r[kRecordBytes - 2] = '\r';
  r[kRecordBytes - 1] = '\n';
  pieceBytes_ = std::max(pieceBytes_, at + static_cast<std::int64_t>(kRecordBytes));
  dirty_ = true;
  return true;
}

bool RecordFile::Finish() {
  const bool flushed = FlushPiece();
  return Close() && flushed;
}

}  // namespace ormlax
