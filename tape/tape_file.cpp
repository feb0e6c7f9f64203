#include "tape/tape_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "core/character_code.h"

namespace ormlax {
namespace {

constexpr char kLengthLow = static_cast<char>(kRecordLengthField & 0xFF);
constexpr char kLengthHigh = static_cast<char>(kRecordLengthField >> 8);

// The 124 bytes of one record.
void PutRecord(char* out, const Word* words) {
  out[0] = kLengthLow;
  out[1] = kLengthHigh;
  for (int w = 0; w < kRecordWords; ++w) {
    std::copy(words[w].chars.begin(), words[w].chars.end(), out + 2 + w * Word::kLength);
  }
  out[kRecordBytes - 2] = '\r';
  out[kRecordBytes - 1] = '\n';
}

// The record's bytes are laid out as the tape units write them.
bool IsTapeRecord(const char* r) {
  if (r[0] == '\0' || r[1] != '\0') return false;
  if (r[kRecordBytes - 2] != '\r' || r[kRecordBytes - 1] != '\n') return false;
  return std::all_of(r + 2, r + 2 + kRecordCharacters, IsTapeCharacter);
}

off_t OffsetOf(int record) {
  return static_cast<off_t>(record - 1) * kRecordBytes;
}

void PutBlock(char* out, const Word* words) {
  for (int r = 0; r < kBlockRecords; ++r) {
    PutRecord(out + r * kRecordBytes, words + r * kRecordWords);
  }
}

// Writes all the bytes at the offset, going on after a partial write.
bool WriteAll(int fd, const char* bytes, std::size_t count, off_t offset) {
  while (count > 0) {
    const ssize_t done = ::pwrite(fd, bytes, count, offset);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += done;
    count -= static_cast<std::size_t>(done);
    offset += done;
  }
  return true;
}

// Reads up to `count` bytes at the offset; the number read, or -1.
ssize_t ReadAll(int fd, char* bytes, std::size_t count, off_t offset) {
  std::size_t got = 0;
  while (got < count) {
    const ssize_t done = ::pread(fd, bytes + got, count - got, offset + static_cast<off_t>(got));
    if (done < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (done == 0) break;
    got += static_cast<std::size_t>(done);
  }
  return static_cast<ssize_t>(got);
}

}  // namespace

std::array<char, kBlockBytes> BlockBytesOf(const TapeBlock& words) {
  std::array<char, kBlockBytes> bytes;
  PutBlock(bytes.data(), words.data());
  return bytes;
}

TapeFile::~TapeFile() {
  Close();
}

TapeFile::TapeFile(TapeFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      readOnly_(other.readOnly_),
      unsynced_(std::exchange(other.unsynced_, false)),
      created_(std::exchange(other.created_, false)),
      path_(std::move(other.path_)),
      lastError_(std::move(other.lastError_)) {}

TapeFile& TapeFile::operator=(TapeFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    readOnly_ = other.readOnly_;
    unsynced_ = std::exchange(other.unsynced_, false);
    created_ = std::exchange(other.created_, false);
    path_ = std::move(other.path_);
    lastError_ = std::move(other.lastError_);
  }
  return *this;
}

bool TapeFile::Open(const std::filesystem::path& path, int flags, bool readOnly) {
  Close();
  path_ = path;
  readOnly_ = readOnly;
  struct stat st;
  const bool existed = ::stat(path.c_str(), &st) == 0;
  if (existed && !S_ISREG(st.st_mode)) return Fail(NotARegularFile(st.st_mode));
  // Not blocking: opening a pipe would otherwise wait for a writer for ever.
  const int fd =
      ::open(path.c_str(),
             flags | (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  if (fd < 0) return FailFromErrno();
  // It may have been replaced since it was looked at.
  if (::fstat(fd, &st) != 0) {
    FailFromErrno();
    ::close(fd);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return Fail(NotARegularFile(st.st_mode));
  }
  fd_ = fd;
  created_ = !existed && (flags & O_CREAT) != 0;
  return true;
}

bool TapeFile::OpenForTransfers(const std::filesystem::path& path, bool readOnly) {
  return Open(path, O_CREAT, readOnly);
}

bool TapeFile::OpenExisting(const std::filesystem::path& path, bool readOnly) {
  return Open(path, 0, readOnly);
}

bool TapeFile::StartNewTape(const std::filesystem::path& path) {
  if (!Open(path, O_CREAT, false)) return false;
  if (::ftruncate(fd_, 0) != 0) {
    FailFromErrno();
    Close();
    return false;
  }
  unsynced_ = true;
  return true;
}

bool TapeFile::Sync() {
  if (fd_ < 0) return true;
  if (unsynced_) {
    if (::fsync(fd_) != 0) return FailFromErrno();
    unsynced_ = false;
  }
  if (created_) {
    std::filesystem::path folder = path_.parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return FailFromErrno();
    // Some file systems cannot sync a folder at all; they keep nothing to be synced.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    if (!synced) FailFromErrno();
    ::close(fd);
    if (!synced) return false;
    created_ = false;
  }
  return true;
}

bool TapeFile::Close() {
  if (fd_ < 0) return true;
  bool ok = Sync();
  if (::close(fd_) != 0 && ok) ok = FailFromErrno();
  fd_ = -1;
  unsynced_ = false;
  created_ = false;
  return ok;
}

bool TapeFile::Fail(const std::string& reason) {
  lastError_ = reason;
  return false;
}

bool TapeFile::FailFromErrno() {
  return Fail(std::strerror(errno));
}

std::optional<std::int64_t> TapeFile::Length() {
  if (fd_ < 0) {
    Fail("the file is not open");
    return std::nullopt;
  }
  struct stat st;
  if (::fstat(fd_, &st) != 0) {
    FailFromErrno();
    return std::nullopt;
  }
  return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::int32_t> TapeFile::RecordCount() {
  const auto length = Length();
  if (!length) return std::nullopt;
  return static_cast<std::int32_t>(std::min<std::int64_t>(*length / kRecordBytes, INT32_MAX));
}

bool TapeFile::ReadRecordBytes(int n, char* bytes, std::size_t& length) {
  if (fd_ < 0) return Fail("the file is not open");
  if (n < 1 || n > kTapeRecords) return Fail("no such record on a tape");
  const ssize_t got = ReadAll(fd_, bytes, kRecordBytes, OffsetOf(n));
  if (got < 0) return FailFromErrno();
  // The length field counts the characters that follow; never more than the record holds.
  const auto field = [&](int i) { return static_cast<unsigned char>(bytes[i]); };
  length = got < 2 ? 0 : std::min<std::size_t>(field(0) | (field(1) << 8), kRecordLengthField);
  if (got < 2 || static_cast<std::size_t>(got) < 2 + length) {
    return Fail("record " + std::to_string(n) + " is cut short by the end of the file");
  }
  return true;
}

std::optional<TapeRecord> TapeFile::ReadRecord(int n) {
  char bytes[kRecordBytes];
  std::size_t length = 0;
  if (!ReadRecordBytes(n, bytes, length)) return std::nullopt;
  char* data = bytes + 2;
  std::fill(data + length, data + kRecordLengthField, ' ');
  TapeRecord words;
  for (int w = 0; w < kRecordWords; ++w) {
    std::copy_n(data + w * Word::kLength, Word::kLength, words[w].chars.begin());
  }
  return words;
}

std::optional<std::string> TapeFile::ReadRecordText(int n) {
  char bytes[kRecordBytes];
  std::size_t length = 0;
  if (!ReadRecordBytes(n, bytes, length)) return std::nullopt;
  return std::string(bytes + 2, length);
}

bool TapeFile::WriteBytes(int record, const char* bytes, std::size_t count) {
  if (fd_ < 0) return Fail("the file is not open");
  if (record < 1 || record > kTapeRecords) return Fail("no such record on a tape");
  const auto length = Length();
  if (!length) return false;
  const off_t offset = OffsetOf(record);
  // What the write replaces, to be put back when the host cannot finish it.
  const std::int64_t keptEnd = std::min<std::int64_t>(*length, offset + static_cast<off_t>(count));
  std::vector<char> old(static_cast<std::size_t>(std::max<std::int64_t>(keptEnd - offset, 0)));
  if (!old.empty() &&
      ReadAll(fd_, old.data(), old.size(), offset) != static_cast<ssize_t>(old.size())) {
    return FailFromErrno();
  }
  unsynced_ = true;
  if (WriteAll(fd_, bytes, count, offset)) return true;
  std::string reason = std::strerror(errno);
  // Put back what was there and cut the file back to its length before the write, so that it
  // still holds whole blocks only.
  const bool restored = (old.empty() || WriteAll(fd_, old.data(), old.size(), offset)) &&
                        ::ftruncate(fd_, static_cast<off_t>(*length)) == 0;
  if (!restored) reason += "; the file could not be put back as it was";
  return Fail(reason);
}

bool TapeFile::WriteRecord(int n, const TapeRecord& words) {
  char bytes[kRecordBytes];
  PutRecord(bytes, words.data());
  return WriteBytes(n, bytes, sizeof bytes);
}

bool TapeFile::AppendRecord(const TapeRecord& words) {
  const auto count = RecordCount();
  return count.has_value() && WriteRecord(*count + 1, words);
}

bool TapeFile::WriteBlock(int first, const TapeBlock& words) {
  if (BeyondTapeCapacity(first)) return Fail("the block would pass the end of tape");
  const std::array<char, kBlockBytes> bytes = BlockBytesOf(words);
  return WriteBytes(first, bytes.data(), bytes.size());
}

bool TapeFile::HasTapeRecords() {
  const auto length = Length();
  if (!length || *length % kRecordBytes != 0) return false;
  constexpr std::size_t kChunkRecords = 64;
  std::vector<char> chunk(kChunkRecords * kRecordBytes);
  for (std::int64_t offset = 0; offset < *length;) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::int64_t>(*length - offset, chunk.size()));
    errno = 0;
    if (ReadAll(fd_, chunk.data(), want, static_cast<off_t>(offset)) !=
        static_cast<ssize_t>(want)) {
      return Fail(errno != 0 ? std::strerror(errno) : "the file ended early");
    }
    for (std::size_t r = 0; r < want; r += kRecordBytes) {
      if (!IsTapeRecord(chunk.data() + r)) return false;
    }
    offset += static_cast<std::int64_t>(want);
  }
  return true;
}

}  // namespace ormlax
