#include "cli/offline_session.h"

#include <system_error>

#include "installation/offline_desk.h"
#include "offline/name_acceptance.h"
#include "offline/offline_messages.h"
#include "tape/tape_mounting.h"

namespace ormlax::cli {
namespace {

bool Is(const MessageRequest& request, std::string_view text) {
  return request.text == text;
}

}  // namespace

OffLineSession::OffLineSession(const OffLineOptions& options, CommandStreams& streams)
    : options_(options), streams_(streams), op_(streams.in, streams.err) {}

int OffLineSession::UsageError(const std::string& why) {
  streams_.err << "ormlax-cli: " << why << '\n';
  return kUsageOrFileError;
}

std::optional<int> OffLineSession::Open() {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::absolute(options_.dir, ec).lexically_normal();
  if (folder.filename().empty()) folder = folder.parent_path();  // "dir/" or "."
  if (ec || !std::filesystem::is_directory(folder, ec))
    return UsageError("no folder " + options_.dir);

  if (!options_.target) {
    if (options_.pdf) {
      const std::filesystem::path pdf = FullPathOf(folder, *options_.pdf);
      if (NamesSameFile(pdf, FullPathOf(folder, options_.source))) {
        return UsageError("the PDF file " + *options_.pdf + " is the source");
      }
      if (std::filesystem::symlink_status(pdf, ec).type() !=
              std::filesystem::file_type::not_found &&
          !options_.overwrite) {
        return UsageError("the PDF file " + *options_.pdf + " exists; --overwrite replaces it");
      }
      printer_ = QtHostPrinter::PdfFile(pdf);
    } else {
      printer_ = QtHostPrinter::DefaultPrinter();
    }
  }

  const bool overwrite = options_.overwrite;
  const bool print = options_.printer || options_.pdf.has_value();
  op_.SetAnswerer([overwrite, print](const MessageRequest& r) -> std::optional<MessageAnswer> {
    if (Is(r, offline_text::kOverwriteQuestion) ||
        r.text.ends_with(offline_text::kReplaceAsmQuestionTail)) {
      return overwrite ? MessageAnswer::Yes : MessageAnswer::No;
    }
    if (Is(r, offline_text::kDefaultPrinterQuestion)) {
      return print ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    return std::nullopt;
  });
  if (options_.job) op_.SetTextAnswer(*options_.job);

  ormlax_ = MakeInstallation(false, folder);
  desk_.emplace(OpenOffLineDesk(*ormlax_, op_, printer_.get()));
  // The command line has no tape mounted, so a name is refused only when it is not a file.
  if (AcceptSource(*desk_, options_.source) == NameAcceptance::NotAFile) return kUsageOrFileError;
  if (options_.target && AcceptTarget(*desk_, *options_.target) == NameAcceptance::NotAFile) {
    return kUsageOrFileError;
  }
  return std::nullopt;
}

int OffLineSession::StatusOf(OffLineOutcome outcome) const {
  switch (outcome) {
    case OffLineOutcome::Completed:
    case OffLineOutcome::Resumed:
      return kSuccess;
    case OffLineOutcome::EndedByMessage:
    case OffLineOutcome::Refused:
      return kStoppedOtherwise;
    case OffLineOutcome::HostFailure:
      break;
  }
  return kUsageOrFileError;
}

int RunOffLineCommand(const std::vector<std::string>& args, CommandStreams& streams, unsigned flags,
                      const char* usage,
                      OffLineOutcome (*operation)(OffLineSession& session,
                                                  const OffLineOptions& options)) {
  OffLineOptions options;
  std::string error;
  if (!ParseOffLineOptions(args, flags, options, error)) {
    streams.err << "ormlax-cli: " << error << "\n\n" << usage;
    return kUsageOrFileError;
  }
  OffLineSession session(options, streams);
  if (const std::optional<int> status = session.Open()) return *status;
  return session.StatusOf(operation(session, options));
}

}  // namespace ormlax::cli
