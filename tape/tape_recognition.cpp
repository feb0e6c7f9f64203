#include "tape/tape_recognition.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ormlax {
namespace {

void ShowNotATape(Operator& op, const std::filesystem::path& path) {
  ShowOkMessage(op, "The tape\r\n" + path.string() + "\r\nis not a ORMLAX tape");
}

void ShowNotAFile(Operator& op, const std::filesystem::path& path) {
  struct stat st;
  const unsigned mode = ::stat(path.c_str(), &st) == 0 ? st.st_mode : 0;
  ShowOkMessage(op, HostFileMessage(path, "cannot be a tape", NotARegularFile(mode)));
}

}  // namespace

std::string HostFileMessage(const std::filesystem::path& path, std::string_view failure,
                            std::string_view reason) {
  std::string text = "The tape file\r\n" + path.string() + "\r\n" + std::string(failure);
  if (!reason.empty()) text += " (" + std::string(reason) + ")";
  return text;
}

TapeValidity ValidateTape(const std::filesystem::path& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    // Absent, or a name the host cannot reach: the operator is asked about a blank tape.
    return TapeValidity::Blank;
  }
  if (!S_ISREG(st.st_mode)) return TapeValidity::NotAFile;
  if (::access(path.c_str(), R_OK) != 0) return TapeValidity::Blank;
  return st.st_size % kBlockBytes == 0 ? TapeValidity::ValidTape : TapeValidity::NotATape;
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
    case TapeValidity::NotAFile:
      ShowNotAFile(op, fullPath);
      return NameStepResult::NotATape;
    case TapeValidity::NotATape:
      ShowNotATape(op, fullPath);
      return NameStepResult::NotATape;
    case TapeValidity::ValidTape:
      break;
  }
  return NameStepResult::Accepted;
}

std::optional<MountedTape> TapeMountStep(Operator& op, const std::filesystem::path& fullPath,
                                         bool blankTape, bool writeProtected) {
  if (ValidateTape(fullPath) == TapeValidity::NotAFile) {
    ShowNotAFile(op, fullPath);
    return std::nullopt;
  }
  MountedTape tape;
  // A blank tape is created when it is absent; any other file must still be there.
  const bool opened = blankTape ? tape.File.OpenForTransfers(fullPath, writeProtected)
                                : tape.File.OpenExisting(fullPath, writeProtected);
  if (!opened) {
    const bool gone = !blankTape && !std::filesystem::exists(fullPath);
    ShowOkMessage(op, HostFileMessage(fullPath, gone ? "cannot be read" : "cannot be opened",
                                      tape.File.LastError()));
    return std::nullopt;
  }
  if (blankTape) return tape;
  // The file is examined again through the handle that will be used: it may have changed since
  // it was named.
  const auto length = tape.File.Length();
  if (!length) {
    ShowOkMessage(op, HostFileMessage(fullPath, "cannot be read", tape.File.LastError()));
    return std::nullopt;
  }
  if (*length % kBlockBytes != 0) {
    ShowNotATape(op, fullPath);
    return std::nullopt;
  }
  if (*length > kTapeBytes) {
    ShowOkMessage(op, "The tape\r\n" + fullPath.string() + "\r\nis longer than a full tape (" +
                          std::to_string(kTapeBlocks) + " blocks)");
    return std::nullopt;
  }
  if (!tape.File.HasTapeRecords()) {
    ShowOkMessage(op, fullPath.string() + " does not appear to be a valid tape file");
    return std::nullopt;
  }
  tape.EndOfData = static_cast<std::int32_t>(*length / kRecordBytes) + 1;
  return tape;
}

}  // namespace ormlax
