#include "cli/offline_options.h"

#include <charconv>

#include "offline/plugboard.h"

namespace ormlax::cli {

bool ParseOffLineOptions(const std::vector<std::string>& args, unsigned flags,
                         OffLineOptions& options, std::string& error) {
  std::vector<std::string> names;
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
    const auto allowed = [&](unsigned flag) {
      if (flags & flag) return true;
      error = "unknown option " + a;
      return false;
    };
    std::string v;
    if (a == "--dir") {
      if (!value(options.dir)) return false;
    } else if (a == "--overwrite") {
      options.overwrite = true;
    } else if (a == "--board") {
      if (!allowed(kBoardFlag) || !value(v)) return false;
      int board = 0;
      const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), board);
      if (ec != std::errc() || end != v.data() + v.size() || board < 0 || board > kLongestForm) {
        error = "--board must be a board number from 0 to 32767";
        return false;
      }
      options.board = board;
    } else if (a == "--breakpoints") {
      if (!allowed(kBreakpointsFlag)) return false;
      options.breakpoints = true;
    } else if (a == "--pdf") {
      if (!allowed(kPrinterFlags) || !value(v)) return false;
      options.pdf = v;
    } else if (a == "--printer") {
      if (!allowed(kPrinterFlags)) return false;
      options.printer = true;
    } else if (a == "--job") {
      if (!allowed(kJobFlag) || !value(v)) return false;
      options.job = v;
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      error = "unknown option " + a;
      return false;
    } else {
      names.push_back(a);
    }
  }
  const bool printing = (flags & kPrinterFlags) != 0;
  if (names.empty() || names.size() > 2 || (names.size() == 1 && !printing)) {
    error =
        printing ? "give SRC, and DST unless the output goes to the printer" : "give SRC and DST";
    return false;
  }
  if (names[0].empty() || (names.size() == 2 && names[1].empty())) {
    error = "a file name may not be empty";
    return false;
  }
  options.source = names[0];
  if (names.size() == 2) options.target = names[1];
  if (options.target && (options.pdf || options.printer)) {
    error = "the output goes to DST or to the printer, not both";
    return false;
  }
  return true;
}

}  // namespace ormlax::cli
