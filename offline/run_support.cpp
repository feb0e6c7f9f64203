#include "offline/run_support.h"

#include "offline/name_acceptance.h"
#include "offline/offline_messages.h"
#include "tape/tape_recognition.h"

namespace ormlax::offline {

bool SourceTape::Open(OffLineDesk& desk) {
  const std::filesystem::path path = desk.State.SourcePath;
  if (file_.OpenExisting(path, true)) {
    if (const std::optional<std::int32_t> count = file_.RecordCount()) {
      count_ = std::min<std::int32_t>(*count, kTapeRecords);
      return true;
    }
  }
  ShowOkMessage(desk.Op, HostFileMessage(path, "cannot be read", file_.LastError()));
  file_.Close();
  return false;
}

std::optional<std::string> SourceTape::Next() {
  if (failed_ || next_ > count_) return std::nullopt;
  std::optional<std::string> text = file_.ReadRecordText(next_++);
  if (!text) failed_ = true;
  return text;
}

void SourceTape::ReportFailure(Operator& op) {
  if (failed_)
    ShowOkMessage(op, HostFileMessage(file_.Path(), "cannot be read", file_.LastError()));
}

bool TargetIsSource(OffLineDesk& desk) {
  const OffLineState& s = desk.State;
  if (s.Source == SourceKind::None || s.Target == TargetKind::None) return false;
  if (!NamesSameFile(s.SourcePath, s.TargetPath)) return false;
  ShowOkMessage(desk.Op, std::string(offline_text::kSameFile));
  return true;
}

bool PrinterAccepted(OffLineDesk& desk) {
  return desk.Op.ShowMessage(MessageRequest{std::string(offline_text::kDefaultPrinterQuestion),
                                            MessageButtons::OkCancel, MessageIcon::None,
                                            MessageAnswer::Cancel}) == MessageAnswer::Ok;
}

std::string WithoutLineEnds(std::string text) {
  std::size_t out = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      continue;
    }
    text[out++] = text[i];
  }
  text.resize(out);
  return text;
}

void ResetDesk(OffLineDesk& desk) {
  ResetOffLineState(desk.State, desk.Board);
}

}  // namespace ormlax::offline
