// The blown-fuse window: its caption, reason line and help context for each reason.
#pragma once

#include <string>

namespace ormlax {

struct FuseWindowText {
  std::string caption;  // the window's caption
  std::string reason;   // labWhy
  int helpContext = 0;
};

// The texts for FuseReason 1 (memory filled with "Z4Z4Z4Z4Z4Z4") or 2 (the divide fault); for any
// other reason there is nothing to show and the window closes at once.
bool FuseWindowTexts(int reason, FuseWindowText& text);

}  // namespace ormlax
