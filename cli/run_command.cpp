#include "cli/run_command.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "cli/cli_operator.h"
#include "cli/register_lines.h"
#include "cli/terminal_text.h"
#include "console/panel_fields.h"
#include "console/panel_operations.h"
#include "installation/console_operations.h"
#include "installation/session_file.h"
#include "installation/simulator.h"
#include "tape/tape_mounting.h"

namespace ormlax::cli {
namespace {

int UsageError(CommandStreams& streams, const std::string& why) {
  streams.err << "ormlax-cli: " << why << '\n';
  return kUsageOrFileError;
}

// The typewriter's paper on standard output, with plain line feeds.
class PaperOutput {
 public:
  PaperOutput(CommandStreams& streams, CliOperator& op, const Typewriter& typewriter)
      : streams_(streams), op_(op), typewriter_(typewriter) {}

  void Print(std::string_view text) {
    if (text.empty()) return;
    const std::string lines = ReplaceLineBreaks(text, "\n");
    streams_.out << (streams_.outIsTerminal ? EscapeControls(lines, true) : lines);
    streams_.out.flush();
    lineOpen_ = lines.back() != '\n';
    CheckPaper();
  }

  // Says so, once, when the paper has run out.
  void CheckPaper() {
    if (!typewriter_.State().PaperBlack || toldPaperOut_) return;
    toldPaperOut_ = true;
    op_.Report("paper", "the paper ran out after " + std::to_string(lines_) +
                            " lines; what is printed later is lost");
  }

  void SetLines(int lines) { lines_ = lines; }

  // A terminal gets a line end after an unfinished last line, so its prompt starts afresh.
  void Finish() {
    if (streams_.outIsTerminal && lineOpen_) streams_.out << '\n';
    streams_.out.flush();
  }

 private:
  CommandStreams& streams_;
  CliOperator& op_;
  const Typewriter& typewriter_;
  bool lineOpen_ = false;
  bool toldPaperOut_ = false;
  int lines_ = 0;
};

// The word --start gives, as the operator would type it into the Contents field: a short word is
// filled with zeros on the left, and lower-case control codes are kept.
Word StartWord(const std::string& text) {
  return Word::FromText(ShiftIntoWordField("", KeepTapeCharacters(text)));
}

}  // namespace

int RunMain(const std::vector<std::string>& args, CommandStreams& streams) {
  RunOptions options;
  std::string error;
  if (!ParseRunOptions(args, options, error)) {
    streams.err << "ormlax-cli: " << error << "\n\n" << kRunUsage;
    return kUsageOrFileError;
  }
  return RunCommand(options, streams);
}

int RunCommand(const RunOptions& options, CommandStreams& streams) {
  std::error_code ec;
  std::string error;
  std::filesystem::path folder = std::filesystem::absolute(options.dir, ec).lexically_normal();
  if (folder.filename().empty()) folder = folder.parent_path();  // "dir/" or "."
  if (ec || !std::filesystem::is_directory(folder, ec)) {
    return UsageError(streams, "no folder " + options.dir);
  }
  std::ifstream inputFile;
  if (options.input) {
    const std::filesystem::path input = FullPathOf(folder, *options.input);
    if (!std::filesystem::is_directory(input, ec)) inputFile.open(input, std::ios::binary);
    if (!inputFile.is_open()) return UsageError(streams, "cannot read " + *options.input);
  }
  // A misspelt program tape would otherwise be mounted as a blank tape and run as empty memory.
  if (options.tape && !std::filesystem::exists(FullPathOf(folder, *options.tape), ec)) {
    return UsageError(streams,
                      "there is no program tape " + *options.tape + " in " + folder.string());
  }

  auto ormlax = MakeInstallation(options.modelII, folder);
  CliOperator op(options.input ? inputFile : streams.in, streams.err);
  Simulator sim(*ormlax, op);
  op.Attach(sim);
  MachineState& s = sim.Machine();
  s.DefaultServo = options.defaultServo;
  SetFiftyBreak(s, options.fifty);
  SetStopOnComma(s, options.commaStop);
  SetProgramDebug(s, options.debug);

  Typewriter& typewriter = sim.Ormprinter();
  PaperOutput paper(streams, op, typewriter);
  typewriter.State().EndlessPaper = !options.paper.has_value();
  if (options.paper) {
    typewriter.State().PaperLeft = *options.paper;
    paper.SetLines(*options.paper);
  }
  typewriter.AdvancePaper(0);
  paper.CheckPaper();
  typewriter.SetPaperListener([&paper](std::string_view text) { paper.Print(text); });
  typewriter.PressPower();
  // A restored session replaces the fresh installation whole; its paper is on standard output
  // already, so only what this run prints follows.
  if (options.restore) {
    if (!RestoreSession(*ormlax, *options.restore, error)) return UsageError(streams, error);
    paper.SetLines(typewriter.State().PaperLeft);
    paper.CheckPaper();
  }

  for (const MountRequest& m : options.mounts) {
    if (!MountTape(ormlax->Servos, m.servo, op, folder, m.file, m.writeProtected)) {
      return UsageError(streams, "the tape " + m.file + " was not mounted");
    }
  }
  if (options.tape) {
    if (!MountTape(ormlax->Servos, s.DefaultServo, op, folder, *options.tape, false)) {
      return UsageError(streams, "the tape " + *options.tape + " was not mounted");
    }
    LoadProgramFromServo(s);
  }
  if (options.start) FeedWord(s, StartWord(*options.start));

  sim.Cpu().SetWordLimit(options.maxWords);
  sim.Cpu().Run();
  paper.Finish();

  // A tape the host failed to read or write: the program may have gone on to stop normally,
  // but what it wrote is not all there.
  for (const std::string& failure : sim.Tapes().HostFileErrors()) op.Report("error", failure);
  streams.err << "stopped: " << StopReasonText(s.LastStop) << '\n';
  if (options.registers) streams.err << RegisterLines(s);
  bool hostFailed = !sim.Tapes().HostFileErrors().empty();
  if (options.dump) {
    std::string failure;
    if (!DumpMemory(*ormlax, *options.dump, failure)) {
      op.Report("error", failure);
      hostFailed = true;
    }
  }
  if (options.save && !SaveSession(*ormlax, *options.save, error)) {
    op.Report("error", error);
    hostFailed = true;
  }
  // Tapes whose blocks the host could not put on disk are host file errors too.
  for (const std::string& failure : SwitchOff(*ormlax)) {
    op.Report("error", failure);
    hostFailed = true;
  }
  if (hostFailed) return kUsageOrFileError;
  switch (s.LastStop) {
    case StopReason::StopInstruction:
      return kStoppedOnStopInstruction;
    case StopReason::WordLimit:
      return kWordLimitReached;
    default:
      return kStoppedOtherwise;
  }
}

}  // namespace ormlax::cli
