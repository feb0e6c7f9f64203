// The Ormtyper, the key-to-tape device: the operator types machine characters, twelve to a word,
// and the device writes them onto a tape file, after the tape's last record or from its start.
// The desktop window binds its entry area, count and buttons to this model.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/operator.h"
#include "tape/tape_file.h"

namespace ormlax {

// The target as the off-line desk hands it over.
enum class OrmtyperTarget : std::int32_t {
  None = 0,
  KeptTape = 1,      // an existing tape the operator chose to keep: appended to, or rewritten
  KeptFile = 2,      // an existing file that is not a tape, not to be overwritten
  Overwritable = 3,  // a new file, or one the operator agreed to overwrite
};

inline constexpr std::string_view kOrmtyperCaption = "Ormtyper (Data entry device)";
inline constexpr std::string_view kAppendQuestion = "File already exists\r\nAppend to end?";
inline constexpr int kOrmtyperWordLength = 12;
// Fill line pads to a whole record (ten words), Close File to a whole block (60 words).
inline constexpr int kOrmtyperBlockCharacters = kRecordCharacters * kBlockRecords;

// The character a key typed in the entry area enters: its upper-case form when that is a machine
// character; nothing for any other key (the control characters i, r, c, t, s, b and n come from
// the character buttons only).
std::optional<char> OrmtyperCharacter(char typed);

// The typed characters laid out one word to a line: a line end after every 12 characters when
// at least one more follows.
std::string OrmtyperLayout(std::string_view characters);

// The number of records of `length` bytes of tape: to the nearest whole record, halves to even.
std::int32_t RecordsOfLength(std::int64_t length);

class Ormtyper {
 public:
  explicit Ormtyper(Operator& op) : op_(op) {}

  // Opens the device on the target: asks whether to append to a kept tape (No empties it first),
  // creates or empties a target that may be overwritten, and refuses any other. False when the
  // window is to close at once (Closed is then set); nothing has been written then.
  bool Open(const std::filesystem::path& target, OrmtyperTarget kind, bool mayOverwrite);

  // What the window shows.
  const std::string& FileName() const { return fileName_; }
  // The characters typed, without line ends.
  const std::string& Characters() const { return characters_; }
  // The entry area: the characters one word to a line.
  std::string Shown() const { return OrmtyperLayout(characters_); }
  std::int64_t WordsOnTape() const { return wordsOnTape_; }
  std::int64_t WordsTyped() const {
    return static_cast<std::int64_t>(characters_.size()) / kOrmtyperWordLength;
  }
  // labCount: the words on the tape and the whole words typed.
  std::int64_t Count() const { return WordsOnTape() + WordsTyped(); }
  bool Closed() const { return closed_; }
  // The record the next word goes to.
  std::int32_t NextRecord() const { return nextRecord_; }

  // The pad character: "0" with "zeros", a space with "spaces".
  bool PadWithZeros = true;

  // The entry area after the operator edited it: line ends are dropped, and so is anything that
  // is not a machine character.
  void Edited(std::string_view areaText);
  // Character button k (0-15): its code appended, in its own case.
  void InsertSpecialCharacter(int button);
  // Pads the characters to a whole record (ten words).
  void FillLine();
  // Pads the characters to a whole block and writes them from the next record, then closes the
  // file, what was written put on disk first (the operator is told when the host could not).
  // When they do not all fit on the tape, the operator is told how many words still fit and
  // nothing is written; the characters stay. False while the window stays open.
  bool CloseFile();
  // Closes the file without writing anything more.
  void Abort();

 private:
  char PadCharacter() const { return PadWithZeros ? '0' : ' '; }
  void PadTo(std::size_t multiple);
  bool Fail(const std::string& message);

  Operator& op_;
  TapeFile file_;
  std::filesystem::path path_;
  std::string fileName_;
  std::string characters_;
  std::int64_t wordsOnTape_ = 0;
  std::int32_t nextRecord_ = 1;
  bool closed_ = false;
};

}  // namespace ormlax
