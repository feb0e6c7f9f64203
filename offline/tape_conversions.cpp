#include "offline/tape_conversions.h"

#include <system_error>

#include "offline/name_acceptance.h"
#include "offline/offline_messages.h"
#include "offline/run_support.h"
#include "offline/text_files.h"
#include "tape/tape_mounting.h"
#include "tape/tape_recognition.h"

namespace ormlax {

using namespace offline;  // the off-line equipment's file and run helpers
namespace {

// The checks both conversions make first.
bool CanConvert(OffLineDesk& desk) {
  const OffLineState& s = desk.State;
  if (s.Source != SourceKind::OrmlaxTape || s.Target == TargetKind::None) {
    ShowOkMessage(desk.Op, std::string(offline_text::kNeedsOrmlaxSourceAndTarget));
    return false;
  }
  if (!s.MayOverwrite) {
    ShowOkMessage(desk.Op, std::string(offline_text::kOverwriteNotAllowed));
    return false;
  }
  return true;
}

// Writes every record of the source, up to the first empty one, as its ten words.
template <typename WriteWord>
OffLineOutcome Convert(OffLineDesk& desk, WriteWord writeWord) {
  OffLineState& s = desk.State;
  SourceTape source;
  if (!source.Open(desk)) return OffLineOutcome::HostFailure;
  TextFileWriter target;
  if (!target.Create(s.TargetPath)) {
    ShowOkMessage(desk.Op, HostFileMessage(s.TargetPath, "cannot be written", target.Error()));
    return OffLineOutcome::HostFailure;
  }
  while (const std::optional<std::string> record = source.Next()) {
    if (record->empty() || target.Failed()) break;
    const TapeRecord words = [&] {
      TapeRecord r;
      for (std::size_t w = 0; w < r.size(); ++w) {
        r[w] = Word::FromText(std::string_view(*record).substr(
            std::min(record->size(), w * Word::kLength), Word::kLength));
      }
      return r;
    }();
    for (const Word& w : words) writeWord(target, w);
  }
  // A target cut short by its source is not kept: the old file stays.
  if (source.Failed()) {
    target.Abandon();
    source.ReportFailure(desk.Op);
    return OffLineOutcome::HostFailure;
  }
  if (!target.Close()) {
    ShowOkMessage(desk.Op, HostFileMessage(s.TargetPath, "cannot be written", target.Error()));
    return OffLineOutcome::HostFailure;
  }
  ResetDesk(desk);
  return OffLineOutcome::Completed;
}

}  // namespace

std::string AssemblerLineOf(const Word& word) {
  const std::string_view w = word.View();
  std::string line;
  line.reserve(20);
  line += '\t';
  line += w.substr(0, 2);
  line += ' ';
  line += w.substr(2, 4);
  line += "\t\t";
  line += w.substr(6, 2);
  line += ' ';
  line += w.substr(8, 4);
  return line;
}

OffLineOutcome ConvertTapeToText(OffLineDesk& desk) {
  if (!CanConvert(desk) || TargetIsSource(desk)) return OffLineOutcome::Refused;
  return Convert(desk, [](TextFileWriter& out, const Word& w) { out.WriteLine(w.View()); });
}

OffLineOutcome ConvertTapeToAssembler(OffLineDesk& desk) {
  if (!CanConvert(desk)) return OffLineOutcome::Refused;
  OffLineState& s = desk.State;
  std::string target = s.TargetPath;
  // The last "." of the name as the operator gave it, folders typed with it included; the
  // working folder's own name does not count, or a folder such as "jobs.1961" would refuse
  // every name.
  const std::string folder = FullPathOf(desk.WorkingFolder, "").string();
  const std::size_t typedFrom = target.starts_with(folder) ? folder.size() : 0;
  std::size_t dot = target.rfind('.');
  if (dot != std::string::npos && dot < typedFrom) dot = std::string::npos;
  if (dot != std::string::npos && target.substr(dot) != ".asm") {
    ShowOkMessage(desk.Op, std::string(offline_text::kNeedsAsmTarget));
    return OffLineOutcome::Refused;
  }
  if (dot == std::string::npos) {
    ShowOkMessage(desk.Op, std::string(offline_text::kAddingAsm));
    target += ".asm";
    // A file of the new name has not been confirmed by the operator.
    if (IsMountedOnMachine(desk.Servos, target, desk.Op)) return OffLineOutcome::Refused;
    if (NamesSameFile(s.SourcePath, target)) {
      ShowOkMessage(desk.Op, std::string(offline_text::kSameFile));
      return OffLineOutcome::Refused;
    }
    std::error_code ec;
    if (std::filesystem::symlink_status(target, ec).type() !=
        std::filesystem::file_type::not_found) {
      const MessageAnswer answer = desk.Op.ShowMessage(MessageRequest{
          target + std::string(kLineBreak) + std::string(offline_text::kReplaceAsmQuestionTail),
          MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No});
      if (answer != MessageAnswer::Yes) return OffLineOutcome::Refused;
    }
    s.TargetPath = target;
  }
  if (TargetIsSource(desk)) return OffLineOutcome::Refused;
  return Convert(desk,
                 [](TextFileWriter& out, const Word& w) { out.WriteLine(AssemblerLineOf(w)); });
}

}  // namespace ormlax
