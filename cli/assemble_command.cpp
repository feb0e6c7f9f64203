#include "cli/assemble_command.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "cli/cli_operator.h"
#include "installation/assembly_operations.h"

namespace ormlax::cli {

const char* const kAssembleUsage =
    "usage: ormlax-cli assemble [--model I|II] [--dir DIR] [--overflow] [--loader] [--keep] NAME\n"
    "\n"
    "Assembles the source file NAME.asm into the object tape NAME.obj and the listing NAME.lst,\n"
    "as the assembler window does. Any extension typed with NAME is replaced by \".asm\".\n"
    "\n"
    "  --model I|II   the model the program is for (default: I)\n"
    "  --dir DIR      the folder every file name is taken from (default: the current one)\n"
    "  --overflow     \"Insert overflow code\": the overflow routine at locations 0 to 3\n"
    "  --loader       \"Insert loader\": a loading routine in front, which reads the whole\n"
    "                 program and clears its working storage\n"
    "  --keep         \"Keep intermediates\": NAME.i2 to NAME.i5 are not deleted\n"
    "\n"
    "Messages go to standard error as \"message: \" lines. Exit status: 0 when the program was\n"
    "assembled, 1 after \"Errors in assembly\" (the listing shows them), 2 when the run was\n"
    "refused before it began, for a usage error, or when a file could not be read or written.\n"
    "\n"
    "\"ormlax-cli run --model ... NAME.obj\" then loads and runs the program.\n";

namespace {

struct AssembleOptions {
  bool modelII = false;
  std::string dir = ".";
  AssemblyOptions options;
  std::optional<std::string> name;
};

bool ParseAssembleOptions(const std::vector<std::string>& args, AssembleOptions& o,
                          std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    if (a == "--model") {
      std::string v;
      if (!value(v)) return false;
      if (v != "I" && v != "II") {
        error = "--model must be I or II";
        return false;
      }
      o.modelII = v == "II";
    } else if (a == "--dir") {
      if (!value(o.dir)) return false;
    } else if (a == "--overflow") {
      o.options.InsertOverflowCode = true;
    } else if (a == "--loader") {
      o.options.InsertLoader = true;
    } else if (a == "--keep") {
      o.options.KeepIntermediates = true;
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      error = "unknown option " + a;
      return false;
    } else if (o.name) {
      error = "only one NAME may be given";
      return false;
    } else {
      o.name = a;
    }
  }
  if (!o.name) {
    error = "the NAME of the program to assemble is missing";
    return false;
  }
  return true;
}

}  // namespace

int AssembleMain(const std::vector<std::string>& args, CommandStreams& streams) {
  AssembleOptions o;
  std::string error;
  if (!ParseAssembleOptions(args, o, error)) {
    streams.err << "ormlax-cli: " << error << "\n\n" << kAssembleUsage;
    return kUsageOrFileError;
  }
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::absolute(o.dir, ec).lexically_normal();
  if (folder.filename().empty()) folder = folder.parent_path();  // "dir/" or "."
  if (ec || !std::filesystem::is_directory(folder, ec)) {
    streams.err << "ormlax-cli: no folder " << o.dir << '\n';
    return kUsageOrFileError;
  }
  auto ormlax = MakeInstallation(o.modelII, folder);
  CliOperator op(streams.in, streams.err);
  switch (Assemble(*ormlax, op, *o.name, o.options)) {
    case AssemblyOutcome::Assembled:
      return kSuccess;
    case AssemblyOutcome::ErrorsInAssembly:
      return kStoppedOtherwise;
    case AssemblyOutcome::Refused:
    case AssemblyOutcome::HostFileError:
      break;
  }
  return kUsageOrFileError;
}

}  // namespace ormlax::cli
