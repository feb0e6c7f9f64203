#include "offline/name_acceptance.h"

#include <sys/stat.h>

#include <system_error>

#include "offline/offline_messages.h"
#include "tape/tape_file.h"
#include "tape/tape_mounting.h"
#include "tape/tape_recognition.h"

namespace ormlax {
namespace {

enum class Found { Missing, TapeLength, OtherLength, NotAFile };

// Whether the file is there, and what it is.
Found Look(const std::filesystem::path& path, Operator& op) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return Found::Missing;
  if (!S_ISREG(st.st_mode)) {
    ShowOkMessage(op, HostFileMessage(path, "cannot be used", NotARegularFile(st.st_mode)));
    return Found::NotAFile;
  }
  return st.st_size % kBlockBytes == 0 ? Found::TapeLength : Found::OtherLength;
}

}  // namespace

bool IsMountedOnMachine(const ServoUnits& servos, const std::filesystem::path& path, Operator& op) {
  if (ServoHoldingFile(servos, path) < 0) return false;
  ShowOkMessage(op,
                path.string() + std::string(kLineBreak) + std::string(offline_text::kIsMounted));
  return true;
}

bool NamesSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  return a.lexically_normal() == b.lexically_normal();
}

NameAcceptance AcceptSource(OffLineDesk& desk, const std::string& boxText) {
  OffLineState& s = desk.State;
  s.Source = SourceKind::None;
  s.SourcePath.clear();
  if (boxText.empty()) return NameAcceptance::Ignored;
  const std::filesystem::path path = FullPathOf(desk.WorkingFolder, boxText);
  if (IsMountedOnMachine(desk.Servos, path, desk.Op)) return NameAcceptance::Mounted;
  switch (Look(path, desk.Op)) {
    case Found::Missing:
      ShowOkMessage(desk.Op, std::string(offline_text::kNoSuchTape));
      return NameAcceptance::Missing;
    case Found::NotAFile:
      return NameAcceptance::NotAFile;
    case Found::TapeLength:
      s.Source = SourceKind::OrmlaxTape;
      break;
    case Found::OtherLength:
      s.Source = SourceKind::OtherFile;
      break;
  }
  s.SourcePath = path.string();
  return NameAcceptance::Accepted;
}

NameAcceptance AcceptTarget(OffLineDesk& desk, const std::string& boxText) {
  OffLineState& s = desk.State;
  if (s.Target != TargetKind::None || boxText.empty()) return NameAcceptance::Ignored;
  const std::filesystem::path path = FullPathOf(desk.WorkingFolder, boxText);
  if (IsMountedOnMachine(desk.Servos, path, desk.Op)) return NameAcceptance::Mounted;
  const Found found = Look(path, desk.Op);
  if (found == Found::NotAFile) return NameAcceptance::NotAFile;
  s.MayOverwrite = true;
  s.Target = TargetKind::Overwritable;
  if (found != Found::Missing) {
    const MessageAnswer answer = desk.Op.ShowMessage(
        MessageRequest{std::string(offline_text::kOverwriteQuestion), MessageButtons::YesNo,
                       MessageIcon::Question, MessageAnswer::No});
    if (answer != MessageAnswer::Yes) {
      s.MayOverwrite = false;
      s.Target = found == Found::TapeLength ? TargetKind::KeptTape : TargetKind::KeptFile;
    }
  }
  s.TargetPath = path.string();
  return NameAcceptance::Accepted;
}

}  // namespace ormlax
