#include "tape/tape_recognition.h"

#include <fstream>
#include <system_error>

namespace ormlax {
namespace {

constexpr int kTapeLineCharacters = kRecordCharacters + 1;

// The file's length when it exists and can be opened for reading.
std::optional<std::uintmax_t> ReadableLength(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec)) {
    return std::nullopt;
  }
  if (!std::ifstream(path, std::ios::binary).is_open()) return std::nullopt;
  const std::uintmax_t length = std::filesystem::file_size(path, ec);
  if (ec) return std::nullopt;
  return length;
}

void ShowNotATape(Operator& op, const std::filesystem::path& path) {
  ShowOkMessage(op, "The tape\r\n" + path.string() + "\r\nis not a ORMLAX tape");
}

}  // namespace

std::string HostFileMessage(const std::filesystem::path& path, std::string_view failure,
                            std::string_view reason) {
  std::string text = "The tape file\r\n" + path.string() + "\r\n" + std::string(failure);
  if (!reason.empty()) text += " (" + std::string(reason) + ")";
  return text;
}

TapeValidity ValidateTape(const std::filesystem::path& path) {
  const auto length = ReadableLength(path);
  if (!length) return TapeValidity::Blank;
  return *length % kBlockBytes == 0 ? TapeValidity::ValidTape : TapeValidity::NotATape;
}

bool HasTapeLines(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return false;
  int count = 0;             // characters of the current line, NUL bytes not counted
  bool lineStarted = false;  // the current line has at least one byte
  bool pendingCR = false;    // the last byte was a CR that may end the line
  char c;
  while (in.get(c)) {
    if (pendingCR) {
      pendingCR = false;
      if (c == '\n') {
        if (count != kTapeLineCharacters) return false;
        count = 0;
        lineStarted = false;
        continue;
      }
      ++count;  // a CR on its own is a character of the line
    }
    lineStarted = true;
    if (c == '\r') {
      pendingCR = true;
    } else if (c != '\0') {
      ++count;
    }
  }
  if (in.bad()) return false;
  if (pendingCR) ++count;
  return !lineStarted || count == kTapeLineCharacters;
}

NameStepResult TapeNameStep(Operator& op, std::string_view typedName,
                            const std::filesystem::path& fullPath) {
  switch (ValidateTape(fullPath)) {
    case TapeValidity::Blank: {
      const MessageAnswer answer = op.ShowMessage(MessageRequest{
          "File " + std::string(typedName) + " not present.\r\nIs this a blank tape?",
          MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::Yes});
      return answer == MessageAnswer::Yes ? NameStepResult::BlankTape : NameStepResult::NotBlank;
    }
    case TapeValidity::NotATape:
      ShowNotATape(op, fullPath);
      return NameStepResult::NotATape;
    case TapeValidity::ValidTape:
      break;
  }
  return NameStepResult::Accepted;
}

std::optional<MountedTape> TapeMountStep(Operator& op, const std::filesystem::path& fullPath,
                                         bool blankTape) {
  if (!blankTape) {
    std::error_code ec;
    const std::uintmax_t length = std::filesystem::file_size(fullPath, ec);
    if (ec) {
      ShowOkMessage(op, HostFileMessage(fullPath, "cannot be read", ec.message()));
      return std::nullopt;
    }
    // The file may have changed since it was named.
    if (length % kBlockBytes != 0) {
      ShowNotATape(op, fullPath);
      return std::nullopt;
    }
    if (length != 0 && !HasTapeLines(fullPath)) {
      ShowOkMessage(op, fullPath.string() + " does not appear to be a valid tape file");
      return std::nullopt;
    }
  }
  MountedTape tape;
  if (!tape.File.OpenForTransfers(fullPath)) {
    ShowOkMessage(op, HostFileMessage(fullPath, "cannot be opened", tape.File.LastError()));
    return std::nullopt;
  }
  if (!blankTape) {
    const auto count = tape.File.RecordCount();
    if (!count) {
      ShowOkMessage(op, HostFileMessage(fullPath, "cannot be read", tape.File.LastError()));
      return std::nullopt;
    }
    tape.EndOfData = *count + 1;
  }
  return tape;
}

}  // namespace ormlax
