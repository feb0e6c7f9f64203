#include "offline/dtmb.h"

#include "core/character_code.h"
#include "offline/offline_messages.h"
#include "offline/printer_output.h"
#include "offline/text_files.h"

namespace ormlax {

using namespace offline;  // the off-line equipment's file and run helpers
namespace {

constexpr std::string_view kMarked = " Obrsc?it|=";
constexpr std::string_view kPrintedAs = " O         ";
constexpr std::string_view kMarks = "V.BRSCQXTIE";
constexpr std::size_t kLongestJobName = 30;
constexpr int kPageLines = 62;  // header, blank line, 60 word lines
constexpr int kPageColumns = 53;

bool IsDigitOrPoint(char c) {
  return std::string_view("0123456789.;-").find(c) != std::string_view::npos;
}

Word WordOf(const std::string& blockette, std::size_t j) {
  const std::size_t from = std::min(blockette.size(), j * Word::kLength);
  return Word::FromText(std::string_view(blockette).substr(from, Word::kLength));
}

}  // namespace

std::string DtmbHeader(Operator& op, const std::string& date) {
  std::string name = op.AskText(std::string(offline_text::kJobNamePrompt), "").value_or("");
  if (name.empty()) name = "(NO JOB NAME)";
  if (name.size() > kLongestJobName) name = "(LONG JOB NAME)";
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (CodeOf(c) < 0) c = ' ';
  }
  const int length = static_cast<int>(name.size());
  const std::string left =
      "  PAGE $" + std::string(static_cast<std::size_t>((65 - length) / 2 - 11), ' ') + name;
  return left + std::string(55 - left.size(), ' ') + date + std::string(kCrLf) + std::string(kCrLf);
}

void FormatDtmbWord(const Word& word, std::string& line1, std::string& line2) {
  Word w = word;
  Word marks = Word::Filled(' ');
  for (std::size_t k = 0; k < Word::kLength; ++k) {
    const std::size_t at = kMarked.find(w[k]);
    if (at == std::string_view::npos) continue;
    w[k] = kPrintedAs[at];
    marks[k] = kMarks[at];
  }
  const auto blankHalf = [&](std::size_t from) {
    if (w.View().substr(from, 6) != "000000") return;
    for (std::size_t k = 0; k < 6; ++k) w[from + k] = "  -   "[k];
  };
  blankHalf(0);
  blankHalf(6);
  for (std::size_t k : {1u, 7u}) {
    if (w[k] == '0' && !IsDigitOrPoint(w[k - 1])) w[k] = ' ';
  }
  for (std::size_t k : {2u, 8u}) {
    if (w[k] == '0') w[k] = ' ';
  }
  line1 += w.View().substr(0, 6);
  line1 += "  ";
  line1 += w.View().substr(6, 6);
  line2 += marks.View().substr(0, 6);
  line2 += "  ";
  line2 += marks.View().substr(6, 6);
}

std::string BuildDtmbPage(int pageNumber, const std::string& header, SourceTape& source) {
  std::optional<std::string> first = source.Next();
  if (!first) return "";
  std::string blockettes[kBlockRecords];
  blockettes[0] = std::move(*first);
  for (int r = 1; r < kBlockRecords; ++r) blockettes[r] = source.Next().value_or("");

  std::string page;
  const std::string number = std::to_string(pageNumber);
  for (const char c : header) {
    if (c == '$') {
      page += number;
    } else {
      page += c;
    }
  }
  for (int g = 0; g < 3; ++g) {
    for (std::size_t j = 0; j < kRecordWords; ++j) {
      std::string line1 = std::to_string(g) + "   ";
      std::string line2 = "    ";
      FormatDtmbWord(WordOf(blockettes[g], j), line1, line2);
      line1 += std::string(17, ' ') + std::to_string(g) + "   ";
      line2 += std::string(21, ' ');
      FormatDtmbWord(WordOf(blockettes[g + 3], j), line1, line2);
      page += line1;
      page += kCrLf;
      page += line2;
      page += kCrLf;
    }
  }
  return page;
}

OffLineOutcome PrintDtmb(OffLineDesk& desk) {
  OffLineState& s = desk.State;
  if (s.Source != SourceKind::OrmlaxTape) {
    ShowOkMessage(desk.Op, std::string(offline_text::kNeedsOrmlaxInput));
    return OffLineOutcome::Refused;
  }
  const bool toPrinter = s.Target == TargetKind::None;
  if (toPrinter && !PrinterAccepted(desk)) return OffLineOutcome::Refused;
  const std::string header = DtmbHeader(desk.Op, desk.Today());
  if (!toPrinter && !s.MayOverwrite) {
    ShowOkMessage(desk.Op, std::string(offline_text::kOverwriteNotAllowed));
    return OffLineOutcome::Refused;
  }
  if (TargetIsSource(desk)) return OffLineOutcome::Refused;
  if (toPrinter && desk.Printer == nullptr) {
    ShowOkMessage(desk.Op, std::string(offline_text::kNoPrinter));
    return OffLineOutcome::HostFailure;
  }

  SourceTape source;
  if (!source.Open(desk)) return OffLineOutcome::HostFailure;
  PrinterOutput output;
  std::string why;
  const bool opened = toPrinter ? output.OpenPrinter(*desk.Printer, kPageColumns, kPageLines, why)
                                : output.OpenFile(s.TargetPath, why);
  if (!opened) {
    ShowOkMessage(desk.Op, why);
    return OffLineOutcome::HostFailure;
  }
  for (int pageNumber = 1;; ++pageNumber) {
    const std::string page = BuildDtmbPage(pageNumber, header, source);
    if (page.empty() || output.Failed()) break;
    for (const std::string& line : SplitLines(page)) output.Line(line);
    if (output.ToPrinter()) {
      output.NewPage();
    } else {
      output.Line("");
    }
  }
  if (source.Failed()) {
    output.Abandon();
    source.ReportFailure(desk.Op);
    return OffLineOutcome::HostFailure;
  }
  if (!output.Close(why)) {
    ShowOkMessage(desk.Op, why);
    return OffLineOutcome::HostFailure;
  }
  ResetDesk(desk);
  s.StopLamp = LampColour::Red;
  return OffLineOutcome::Completed;
}

}  // namespace ormlax
