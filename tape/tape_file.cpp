#include "tape/tape_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

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

}  // namespace

TapeFile::~TapeFile() {
  Close();
}

TapeFile::TapeFile(TapeFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      path_(std::move(other.path_)),
      lastError_(std::move(other.lastError_)) {}

TapeFile& TapeFile::operator=(TapeFile&& other) noexcept {
  if (this != &other) {
    Close();
    file_ = std::exchange(other.file_, nullptr);
    path_ = std::move(other.path_);
    lastError_ = std::move(other.lastError_);
  }
  return *this;
}

bool TapeFile::OpenForTransfers(const std::filesystem::path& path) {
  Close();
  path_ = path;
  file_ = std::fopen(path.c_str(), "r+b");
  if (file_ == nullptr && errno == ENOENT) file_ = std::fopen(path.c_str(), "w+b");
  return Opened();
}

bool TapeFile::StartNewTape(const std::filesystem::path& path) {
  Close();
  path_ = path;
  file_ = std::fopen(path.c_str(), "w+b");
  return Opened();
}

bool TapeFile::Opened() {
  if (file_ == nullptr) return FailFromErrno();
  // Every transfer goes to the file at once: what another holder of the file writes is seen,
  // and a write the host refuses is known when it happens.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  return true;
}

void TapeFile::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

bool TapeFile::Fail(const std::string& reason) {
  lastError_ = reason;
  return false;
}

bool TapeFile::FailFromErrno() {
  return Fail(std::strerror(errno));
}

bool TapeFile::Seek(int record) {
  if (file_ == nullptr) return Fail("the file is not open");
  if (record < 1 || record > kTapeRecords) return Fail("no such record on a tape");
  const long offset = static_cast<long>(record - 1) * kRecordBytes;
  return std::fseek(file_, offset, SEEK_SET) == 0 || FailFromErrno();
}

std::optional<std::int32_t> TapeFile::RecordCount() {
  if (file_ == nullptr) {
    Fail("the file is not open");
    return std::nullopt;
  }
  if (std::fseek(file_, 0, SEEK_END) != 0) {
    FailFromErrno();
    return std::nullopt;
  }
  const long length = std::ftell(file_);
  if (length < 0) {
    FailFromErrno();
    return std::nullopt;
  }
  return static_cast<std::int32_t>(length / kRecordBytes);
}

std::optional<TapeRecord> TapeFile::ReadRecord(int n) {
  if (!Seek(n)) return std::nullopt;
  char bytes[kRecordBytes];
  const std::size_t got = std::fread(bytes, 1, kRecordBytes, file_);
  if (std::ferror(file_)) {
    FailFromErrno();
    std::clearerr(file_);
    return std::nullopt;
  }
  std::clearerr(file_);
  // The length field counts the characters that follow; never more than the record holds.
  const auto field = [&](int i) { return static_cast<unsigned char>(bytes[i]); };
  const std::size_t length =
      got < 2 ? 0 : std::min<std::size_t>(field(0) | (field(1) << 8), kRecordLengthField);
  if (got < 2 || got < 2 + length) {
    Fail("record " + std::to_string(n) + " is cut short by the end of the file");
    return std::nullopt;
  }
  char* data = bytes + 2;
  std::fill(data + length, data + kRecordLengthField, ' ');
  TapeRecord words;
  for (int w = 0; w < kRecordWords; ++w) {
    std::copy_n(data + w * Word::kLength, Word::kLength, words[w].chars.begin());
  }
  return words;
}

bool TapeFile::WriteBytes(int record, const char* bytes, std::size_t count) {
  if (!Seek(record)) return false;
  if (std::fwrite(bytes, 1, count, file_) != count) {
    FailFromErrno();
    std::clearerr(file_);
    return false;
  }
  return true;
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
  if (first + kBlockRecords - 1 > kTapeRecords) return Fail("the block would pass the end of tape");
  char bytes[kBlockBytes];
  for (int r = 0; r < kBlockRecords; ++r) {
    PutRecord(bytes + r * kRecordBytes, words.data() + r * kRecordWords);
  }
  return WriteBytes(first, bytes, sizeof bytes);
}

}  // namespace ormlax
