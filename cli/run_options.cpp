#include "cli/run_options.h"

#include <charconv>
#include <string_view>

#include "tape/servo_unit.h"

namespace ormlax::cli {

const char* const kRunUsage =
    "usage: ormlax-cli run [--model I|II] [--dir DIR] [--servo S] [--mount S=FILE[:ro]]...\n"
    "                      [--start WORD] [--fifty skip|normal|stop] [--comma-stop] [--debug]\n"
    "                      [--max-words N] [--input FILE] [--paper LINES] [--dump FILE]\n"
    "                      [--registers] [--save FILE] [--restore FILE] [TAPE]\n"
    "\n"
    "Switches on a fresh installation (or restores a saved session), runs one program and\n"
    "reports how it stopped.\n"
    "\n"
    "  TAPE               the program tape: mounted on the default servo and loaded by the\n"
    "                     word 1 0000300000, which reads its first block to location 0\n"
    "  --model I|II       the model (default: I)\n"
    "  --dir DIR          the folder every file name is taken from (default: the current one)\n"
    "  --servo S          the default servo: -, 1 to 9, and A to F on ORMLAX II (default: -)\n"
    "  --mount S=FILE     mounts FILE on servo S; FILE:ro write-protects it; a file that does\n"
    "                     not exist is a blank tape\n"
    "  --start WORD       feeds WORD to the control register instead of the loading word\n"
    "  --fifty MODE       the \"50 break\" switch: skip, normal (default) or stop\n"
    "  --comma-stop       the \",\" breakpoint switch on\n"
    "  --debug            Special functions on: program logic warnings stop the run\n"
    "  --max-words N      stops the run after N words (default: 10000000)\n"
    "  --input FILE       keyboard input, one line a word (default: standard input)\n"
    "  --paper LINES      lines of typewriter paper (default: the paper does not run out)\n"
    "  --dump FILE        writes the memory dump to FILE after the run\n"
    "  --registers        after the run, a line each for rA, rX, rL, rF and rCC, and the\n"
    "                     lit lamps\n"
    "  --save FILE        saves the whole installation into the session file FILE after the run\n"
    "  --restore FILE     goes on from the session saved in FILE instead of a fresh\n"
    "                     installation: its tapes are mounted again where they stood; the\n"
    "                     console's switches are the session's, so --servo, --fifty,\n"
    "                     --comma-stop, --debug and --paper cannot be given with it\n"
    "\n"
    "The typewriter's paper goes to standard output. Messages go to standard error as\n"
    "\"message: \" lines, answered by their default button; the line \"stopped: \" says how the\n"
    "run ended. Exit status: 0 on the stop instruction, 1 on any other stop, 2 for a usage or\n"
    "host file error, 3 at the word limit.\n";

int ServoNumberOf(const std::string& identifier) {
  return identifier.size() == 1 ? ormlax::ServoNumberOf(identifier[0]) : -1;
}

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

}  // namespace

bool ParseRunOptions(const std::vector<std::string>& args, RunOptions& options,
                     std::string& error) {
  std::string servoText;
  std::vector<std::string> mountTexts;
  std::string sessionSwitch;  // a switch that a restored session holds itself
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--servo" || a == "--fifty" || a == "--comma-stop" || a == "--debug" ||
        a == "--paper") {
      sessionSwitch = a;
    }
    const auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--model") {
      if (!value(v)) return false;
      if (v != "I" && v != "II") {
        error = "--model must be I or II";
        return false;
      }
      options.modelII = v == "II";
    } else if (a == "--dir") {
      if (!value(options.dir)) return false;
    } else if (a == "--servo") {
      if (!value(servoText)) return false;
    } else if (a == "--mount") {
      if (!value(v)) return false;
      mountTexts.push_back(v);
    } else if (a == "--start") {
      if (!value(v)) return false;
      options.start = v;
    } else if (a == "--fifty") {
      if (!value(v)) return false;
      if (v == "skip") {
        options.fifty = FiftyBreakMode::Skip;
      } else if (v == "normal") {
        options.fifty = FiftyBreakMode::Normal;
      } else if (v == "stop") {
        options.fifty = FiftyBreakMode::Stop;
      } else {
        error = "--fifty must be skip, normal or stop";
        return false;
      }
    } else if (a == "--comma-stop") {
      options.commaStop = true;
    } else if (a == "--debug") {
      options.debug = true;
    } else if (a == "--max-words") {
      if (!value(v)) return false;
      if (!ParseNumber(v, options.maxWords) || options.maxWords == 0) {
        error = "--max-words must be a positive whole number";
        return false;
      }
    } else if (a == "--input") {
      if (!value(v)) return false;
      options.input = v;
    } else if (a == "--paper") {
      if (!value(v)) return false;
      int lines = 0;
      if (!ParseNumber(v, lines) || lines < 0 || lines > 32767) {
        error = "--paper must be a whole number from 0 to 32767";
        return false;
      }
      options.paper = lines;
    } else if (a == "--dump") {
      if (!value(v)) return false;
      options.dump = v;
    } else if (a == "--save" || a == "--restore") {
      if (!value(v)) return false;
      (a == "--save" ? options.save : options.restore) = v;
    } else if (a == "--registers") {
      options.registers = true;
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      error = "unknown option " + a;
      return false;
    } else if (options.tape) {
      error = "only one TAPE may be given";
      return false;
    } else {
      options.tape = a;
    }
  }

  if (options.restore && !sessionSwitch.empty()) {
    error = sessionSwitch + " cannot be given with --restore: the session holds the switches";
    return false;
  }

  const int servos = ServoCountOf(options.modelII);
  const auto servoNumber = [&](const std::string& id, int& servo) {
    servo = ServoNumberOf(id);
    if (servo < 0 || servo >= servos) {
      error = "no servo \"" + id + "\" on ORMLAX " + (options.modelII ? "II" : "I");
      return false;
    }
    return true;
  };
  if (!servoText.empty() && !servoNumber(servoText, options.defaultServo)) return false;
  for (const std::string& m : mountTexts) {
    const auto equals = m.find('=');
    if (equals == std::string::npos || equals + 1 == m.size()) {
      error = "--mount takes S=FILE or S=FILE:ro, not " + m;
      return false;
    }
    MountRequest request;
    if (!servoNumber(m.substr(0, equals), request.servo)) return false;
    request.file = m.substr(equals + 1);
    if (request.file.size() > 3 && request.file.ends_with(":ro")) {
      request.file.resize(request.file.size() - 3);
      request.writeProtected = true;
    }
    options.mounts.push_back(request);
  }
  return true;
}

}  // namespace ormlax::cli
