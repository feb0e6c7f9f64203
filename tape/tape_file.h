// A tape is a host file of fixed 124-byte records: a length field (122, little-endian), the ten
// words of the record as 120 characters, and CR LF. Six records make a block of 60 words, the
// unit of every transfer; a tape holds at most 1950 blocks.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/devices.h"
#include "core/file_kind.h"
#include "core/word.h"

namespace ormlax {

inline constexpr int kRecordWords = 10;
inline constexpr int kRecordCharacters = 120;
inline constexpr int kRecordBytes = 124;
inline constexpr int kRecordLengthField = 122;  // the characters and the line end
inline constexpr int kBlockRecords = 6;
static_assert(kBlockWords == kBlockRecords * kRecordWords);
inline constexpr int kBlockBytes = kBlockRecords * kRecordBytes;
inline constexpr int kTapeBlocks = 1950;
inline constexpr int kTapeRecords = kTapeBlocks * kBlockRecords;

using TapeRecord = std::array<Word, kRecordWords>;
using TapeBlock = std::array<Word, kBlockWords>;

// A block starting at record `first` would go beyond the last record a tape can hold.
constexpr bool BeyondTapeCapacity(int first) {
  return first + kBlockRecords - 1 > kTapeRecords;
}

// The bytes of a tape holding `records` whole records: 124 each, at most a full tape.
constexpr std::int64_t RecordBytesOf(std::int64_t records) {
  return records * kRecordBytes;
}
inline constexpr std::int64_t kTapeBytes = RecordBytesOf(kTapeRecords);

// The 744 bytes of a block as a tape file holds them: its six records one after the other.
std::array<char, kBlockBytes> BlockBytesOf(const TapeBlock& words);

// One tape file, open for reading and writing records at any record number while it is held.
// Records are numbered from 1. No operation throws: a host failure answers false (or nothing)
// and leaves its reason in LastError. Only a regular file can be a tape: a folder, a device or
// a pipe is refused without waiting on it.
class TapeFile {
 public:
  TapeFile() = default;
  ~TapeFile();
  TapeFile(TapeFile&& other) noexcept;
  TapeFile& operator=(TapeFile&& other) noexcept;
  TapeFile(const TapeFile&) = delete;
  TapeFile& operator=(const TapeFile&) = delete;

  // Opens an existing file, or creates an empty one when there is none, for reading and
  // writing, or for reading only when `readOnly`.
  bool OpenForTransfers(const std::filesystem::path& path, bool readOnly = false);
  // Opens an existing file only.
  bool OpenExisting(const std::filesystem::path& path, bool readOnly);
  // Creates the file, or empties an existing one, and opens it.
  bool StartNewTape(const std::filesystem::path& path);
  // Puts what was written since the file was opened (or last synced) on disk, and the name of a
  // file that opening created into its folder. False, with the reason, when the host could not.
  bool Sync();
  // Syncs as Sync does and closes the file. False, with the reason, when the sync or the close
  // failed; the file is closed all the same.
  bool Close();

  bool IsOpen() const { return fd_ >= 0; }
  bool IsReadOnly() const { return readOnly_; }
  const std::filesystem::path& Path() const { return path_; }
  const std::string& LastError() const { return lastError_; }

  // The file's length in bytes.
  std::optional<std::int64_t> Length();
  // File length divided by the record length.
  std::optional<std::int32_t> RecordCount();
  // The ten words of record n; a record whose length field counts fewer characters gives words
  // filled out with spaces.
  std::optional<TapeRecord> ReadRecord(int n);
  // The characters of record n as its length field counts them (the 120 characters and the
  // line end, or fewer in a hand-made file), for readers that take a record as a line of text.
  std::optional<std::string> ReadRecordText(int n);
  bool WriteRecord(int n, const TapeRecord& words);
  bool AppendRecord(const TapeRecord& words);
  // Writes the six records of a block starting at record `first` in one piece. A write the host
  // cannot finish leaves the file as it was before it.
  bool WriteBlock(int first, const TapeBlock& words);
  // Every record of the file has the layout the tape units write: the length field's "z" and
  // NUL, 120 characters a tape can hold, and CR LF at the end of its 124 bytes. Stops at the
  // first record that has not.
  bool HasTapeRecords();

 private:
  bool Open(const std::filesystem::path& path, int flags, bool readOnly);
  bool Fail(const std::string& reason);
  bool FailFromErrno();
  // Reads record n's 124 bytes and the count of characters its length field gives.
  bool ReadRecordBytes(int n, char* bytes, std::size_t& length);
  // Writes the bytes at record `record`, all of them or none.
  bool WriteBytes(int record, const char* bytes, std::size_t count);

  int fd_ = -1;
  bool readOnly_ = false;
  bool unsynced_ = false;  // written since opened or last synced
  bool created_ = false;   // made by opening it; its folder is synced with it
  std::filesystem::path path_;
  std::string lastError_;
};

}  // namespace ormlax
