#include "cli/run_command.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/cli_operator.h"
#include "console/memory_dump.h"
#include "console/panel_fields.h"
#include "console/panel_operations.h"
#include "installation/simulator.h"
#include "tape/servo_window.h"

namespace ormlax::cli {
namespace {

// The word the console feeds after an assembly: read the first block of the default servo's
// tape into rI and store it at location 0.
constexpr const char* kLoadingWord = "1 0000300000";

// Mounts a tape as the operator would in the servo window. A missing file is a blank tape.
bool MountTape(Simulator& sim, CliOperator& op, const MountRequest& m) {
  Installation& ormlax = sim.Ormlax();
  ServoUnit& unit = ormlax.Servos[static_cast<std::size_t>(m.servo)];
  ServoWindow window(ormlax.Servos, op, ormlax.WorkingFolder, ormlax.Machine.IsModelII);
  std::string noProgram;
  window.Open(noProgram);
  if (unit.File.IsOpen()) op.AnswerNext(MessageAnswer::Yes);  // a later mount replaces it
  window.SelectServo(m.servo);
  op.ForgetAnswers();
  window.txtFileName = m.file;
  std::error_code ec;
  if (!std::filesystem::exists(FullPathOf(ormlax.WorkingFolder, m.file), ec)) {
    op.AnswerNext(MessageAnswer::Yes);
  }
  window.NameFile();
  op.ForgetAnswers();
  if (!window.cmdMountEnabled) return false;
  window.chkReadOnly = m.writeProtected;
  window.Mount();
  return unit.State == ServoState::ReadWrite || unit.State == ServoState::WriteProtected;
}

// Why the run ended, from what the console shows.
std::string StopReason(Simulator& sim, const CliOperator& op) {
  const MachineState& s = sim.Machine();
  const auto lit = [&](int lamp) {
    return s.Lamp[static_cast<std::size_t>(lamp)] == LampColour::Red;
  };
  if (sim.Cpu().WordLimitReached()) return "word limit reached";
  if (sim.Cpu().StoppedOnStopInstruction()) return "stop instruction";
  if (op.FuseBlown()) return "fuse blown";
  if (lit(kInvalidOpcodeLamp)) return "invalid opcode";
  if (lit(kInvalidOperandLamp)) return "invalid operand";
  if (lit(kInvalidAddressLamp)) return "invalid address";
  if (lit(kBreakpointStopLamp)) return "breakpoint";
  if (lit(kFiftyStopLamp)) return "50 stop";
  if (lit(kOverflowLamp)) return "overflow";
  if (op.LastMessage().ends_with(" not ready")) return "servo not ready";
  if (!op.LastMessage().empty()) return "after the message \"" + OneLine(op.LastMessage()) + "\"";
  return "operator stop";
}

int Fail(std::ostream& errors, const std::string& why) {
  errors << "stopped: " << why << '\n';
  return kUsageOrFileError;
}

}  // namespace

int RunCommand(const RunOptions& options, std::istream& input, std::ostream& out,
               std::ostream& errors) {
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::absolute(options.dir, ec);
  if (ec || !std::filesystem::is_directory(folder, ec)) {
    return Fail(errors, "no folder " + options.dir);
  }
  std::ifstream inputFile;
  if (options.input) {
    inputFile.open(FullPathOf(folder, *options.input));
    if (!inputFile) return Fail(errors, "cannot read " + *options.input);
  }

  auto ormlax = MakeInstallation(options.modelII, folder);
  CliOperator op(options.input ? inputFile : input, errors);
  Simulator sim(*ormlax, op);
  op.Attach(sim);
  MachineState& s = sim.Machine();
  s.DefaultServo = options.defaultServo;
  SetFiftyBreak(s, options.fifty);
  SetStopOnComma(s, options.commaStop);
  SetProgramDebug(s, options.debug);

  Typewriter& typewriter = sim.Ormprinter();
  typewriter.State().PaperLeft = options.paper;
  typewriter.AdvancePaper(0);
  typewriter.SetPaperListener([&out](std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text.compare(i, 2, "\r\n") == 0) {
        out << '\n';
        ++i;
      } else {
        out << text[i];
      }
    }
    out.flush();
  });
  typewriter.PressPower();

  for (const MountRequest& m : options.mounts) {
    if (!MountTape(sim, op, m)) return Fail(errors, "tape " + m.file + " not mounted");
  }
  if (options.tape && !MountTape(sim, op, MountRequest{options.defaultServo, *options.tape})) {
    return Fail(errors, "tape " + *options.tape + " not mounted");
  }

  if (options.start || options.tape) {
    // The word goes into the Contents field as given (a short one filled with zeros on the
    // left), keeping lower-case control codes, and SCICR feeds it to the control register.
    s.Panel.Contents =
        Word::FromText(ShiftIntoWordField("", options.start ? *options.start : kLoadingWord));
    s.Panel.ContentsEmpty = false;
    SCICR(s);
  }
  sim.Cpu().SetWordLimit(options.maxWords);
  sim.Cpu().Run();

  const std::string reason = StopReason(sim, op);
  if (options.dump) {
    std::string error;
    if (!WriteMemoryDump(s, FullPathOf(folder, *options.dump), error)) {
      errors << "message: " << OneLine(error) << '\n';
      return Fail(errors, "memory dump not written");
    }
  }
  errors << "stopped: " << reason << '\n';
  if (sim.Cpu().WordLimitReached()) return kWordLimitReached;
  return sim.Cpu().StoppedOnStopInstruction() ? kStoppedOnStopInstruction : kStoppedOtherwise;
}

}  // namespace ormlax::cli
