#include "tape/ormtyper.h"

#include <algorithm>

#include "core/character_code.h"
#include "tape/tape_recognition.h"

namespace ormlax {

std::optional<char> OrmtyperCharacter(char typed) {
  const char upper = typed >= 'a' && typed <= 'z' ? static_cast<char>(typed - 'a' + 'A') : typed;
  if (CodeOf(upper) < 0) return std::nullopt;
  return upper;
}

std::string OrmtyperLayout(std::string_view characters) {
  std::string shown;
  shown.reserve(characters.size() + characters.size() / kOrmtyperWordLength);
  for (std::size_t i = 0; i < characters.size(); ++i) {
    if (i > 0 && i % kOrmtyperWordLength == 0) shown += '\n';
    shown += characters[i];
  }
  return shown;
}

std::int32_t RecordsOfLength(std::int64_t length) {
  length = std::clamp<std::int64_t>(length, 0, INT32_MAX);
  std::int64_t records = length / kRecordBytes;
  const std::int64_t rest = length % kRecordBytes;
  if (2 * rest > kRecordBytes || (2 * rest == kRecordBytes && records % 2 == 1)) ++records;
  return static_cast<std::int32_t>(records);
}

bool Ormtyper::Fail(const std::string& message) {
  if (!message.empty()) {
    op_.ShowMessage(
        MessageRequest{message, MessageButtons::Ok, MessageIcon::Exclamation, MessageAnswer::Ok});
  }
  file_.Close();
  closed_ = true;
  return false;
}

bool Ormtyper::Open(const std::filesystem::path& target, OrmtyperTarget kind, bool mayOverwrite) {
  path_ = target;
  fileName_ = target.filename().string();
  characters_.clear();
  closed_ = false;
  bool append = false;
  if (kind == OrmtyperTarget::KeptTape) {
    const MessageAnswer answer =
        op_.ShowMessage(MessageRequest{std::string(kAppendQuestion), MessageButtons::YesNoCancel,
                                       MessageIcon::Question, MessageAnswer::No});
    if (answer == MessageAnswer::Cancel) return Fail("");
    append = answer == MessageAnswer::Yes;
  } else if (kind != OrmtyperTarget::Overwritable || !mayOverwrite) {
    return Fail("");
  }
  // Writing from the start empties the file first, so that no record of an old tape is left
  // beyond the new data.
  const bool opened = append ? file_.OpenForTransfers(target) : file_.StartNewTape(target);
  if (!opened) return Fail("Cannot open " + target.string());
  std::int32_t records = 0;
  if (append) {
    const std::optional<std::int64_t> length = file_.Length();
    if (!length) return Fail("Cannot open " + target.string());
    records = RecordsOfLength(*length);
  }
  nextRecord_ = records + 1;
  wordsOnTape_ = static_cast<std::int64_t>(records) * kRecordWords;
  return true;
}

void Ormtyper::Edited(std::string_view areaText) {
  characters_.clear();
  for (const char c : areaText) {
    if (c != '\n' && c != '\r' && CodeOf(c) >= 0) characters_ += c;
  }
}

void Ormtyper::InsertSpecialCharacter(int button) {
  characters_ += SpecialCharacterCodes[static_cast<std::size_t>(button)];
}

void Ormtyper::PadTo(std::size_t multiple) {
  const std::size_t rest = characters_.size() % multiple;
  if (rest != 0) characters_.append(multiple - rest, PadCharacter());
}

void Ormtyper::FillLine() {
  PadTo(kRecordCharacters);
}

bool Ormtyper::CloseFile() {
  if (!characters_.empty()) {
    const std::size_t blockChars = kOrmtyperBlockCharacters;
    const std::size_t blocks = (characters_.size() + blockChars - 1) / blockChars;
    const std::int64_t recordsUsed = nextRecord_ - 1;
    const std::int64_t recordsFree = std::max<std::int64_t>(kTapeRecords - recordsUsed, 0);
    if (static_cast<std::int64_t>(blocks) * kBlockRecords > recordsFree) {
      ShowOkMessage(op_, "The tape cannot hold all these words:" + std::string(kLineBreak) +
                             "only " + std::to_string(recordsFree * kRecordWords) +
                             " more words fit on it." + std::string(kLineBreak) +
                             "Nothing has been written.");
      return false;
    }
    PadTo(blockChars);
    while (!characters_.empty()) {
      TapeBlock block;
      for (std::size_t w = 0; w < block.size(); ++w) {
        block[w] = Word::FromText(
            std::string_view(characters_).substr(w * kOrmtyperWordLength, kOrmtyperWordLength));
      }
      if (!file_.WriteBlock(nextRecord_, block)) {
        // The blocks written so far stay on the tape; what is left stays in the window.
        ShowOkMessage(op_, HostFileMessage(path_, "cannot be written", file_.LastError()));
        return false;
      }
      characters_.erase(0, blockChars);
      nextRecord_ += kBlockRecords;
      wordsOnTape_ += kBlockWords;
    }
  }
  // Everything is written: the window closes, and the operator learns when the host could not
  // put it on disk.
  if (!file_.Close()) {
    ShowOkMessage(op_, HostFileMessage(path_, "cannot be written", file_.LastError()));
  }
  closed_ = true;
  return true;
}

void Ormtyper::Abort() {
  file_.Close();
  closed_ = true;
}

}  // namespace ormlax
