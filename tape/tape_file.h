// A tape is a host file of fixed 124-byte records: a length field (122, little-endian), the ten
// words of the record as 120 characters, and CR LF. Six records make a block of 60 words, the
// unit of every transfer; a tape holds at most 1950 blocks.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "core/word.h"

namespace ormlax {

inline constexpr int kRecordWords = 10;
inline constexpr int kRecordCharacters = 120;
inline constexpr int kRecordBytes = 124;
inline constexpr int kRecordLengthField = 122;  // the characters and the line end
inline constexpr int kBlockRecords = 6;
inline constexpr int kBlockWords = kBlockRecords * kRecordWords;
inline constexpr int kBlockBytes = kBlockRecords * kRecordBytes;
inline constexpr int kTapeBlocks = 1950;
inline constexpr int kTapeRecords = kTapeBlocks * kBlockRecords;

using TapeRecord = std::array<Word, kRecordWords>;
using TapeBlock = std::array<Word, kBlockWords>;

// A block starting at record `first` would go beyond the last record a tape can hold.
constexpr bool BeyondTapeCapacity(int first) {
  return first + kBlockRecords - 1 > kTapeRecords;
}

// One tape file, open for reading and writing records at any record number while it is held.
// Records are numbered from 1. No operation throws: a host failure answers false (or nothing)
// and leaves its reason in LastError.
class TapeFile {
 public:
  TapeFile() = default;
  ~TapeFile();
  TapeFile(TapeFile&& other) noexcept;
  TapeFile& operator=(TapeFile&& other) noexcept;
  TapeFile(const TapeFile&) = delete;
  TapeFile& operator=(const TapeFile&) = delete;

  // Opens an existing file, or creates an empty one when there is none.
  bool OpenForTransfers(const std::filesystem::path& path);
  // Creates the file, or empties an existing one, and opens it.
  bool StartNewTape(const std::filesystem::path& path);
  void Close();

  bool IsOpen() const { return file_ != nullptr; }
  const std::filesystem::path& Path() const { return path_; }
  const std::string& LastError() const { return lastError_; }

  // File length divided by the record length.
  std::optional<std::int32_t> RecordCount();
  // The ten words of record n; a record whose length field counts fewer characters gives words
  // filled out with spaces.
  std::optional<TapeRecord> ReadRecord(int n);
  bool WriteRecord(int n, const TapeRecord& words);
  bool AppendRecord(const TapeRecord& words);
  // Writes the six records of a block starting at record `first` in one piece.
  bool WriteBlock(int first, const TapeBlock& words);

 private:
  bool Opened();
  bool Fail(const std::string& reason);
  bool FailFromErrno();
  bool Seek(int record);
  bool WriteBytes(int record, const char* bytes, std::size_t count);

  std::FILE* file_ = nullptr;
  std::filesystem::path path_;
  std::string lastError_;
};

}  // namespace ormlax
