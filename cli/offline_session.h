// What every off-line command does around its operation: a fresh installation in the folder, its
// off-line desk with the command line as the operator (answering as the options say), the
// source and the target named as the desk's boxes take them, and the exit status.
#pragma once

#include <memory>
#include <optional>

#include "cli/cli_operator.h"
#include "cli/commands.h"
#include "cli/offline_options.h"
#include "installation/installation.h"
#include "offline/offline_desk.h"
#include "printing/qt_host_printer.h"

namespace ormlax::cli {

class OffLineSession {
 public:
  OffLineSession(const OffLineOptions& options, CommandStreams& streams);

  // Sets up the desk and names the files. Nothing when the command can go on; otherwise the
  // exit status, the reason told.
  std::optional<int> Open();

  OffLineDesk& Desk() { return *desk_; }
  CliOperator& Op() { return op_; }

  // The exit status for how the operation ended.
  int StatusOf(OffLineOutcome outcome) const;

 private:
  int UsageError(const std::string& why);

  const OffLineOptions& options_;
  CommandStreams& streams_;
  CliOperator op_;
  std::unique_ptr<Installation> ormlax_;
  std::unique_ptr<QtHostPrinter> printer_;
  std::optional<OffLineDesk> desk_;
};

// The command as the table calls it: parses the arguments with the command's flags and usage,
// opens the session and runs `operation` on it.
int RunOffLineCommand(const std::vector<std::string>& args, CommandStreams& streams, unsigned flags,
                      const char* usage,
                      OffLineOutcome (*operation)(OffLineSession& session,
                                                  const OffLineOptions& options));

}  // namespace ormlax::cli
