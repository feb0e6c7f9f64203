#include "console/fuse_window.h"

namespace ormlax {

bool FuseWindowTexts(int reason, FuseWindowText& text) {
  switch (reason) {
    case 1:
      text = {"A fuse has blown!!!", "The entire memory has been filled with \"Z4Z4Z4Z4Z4Z4\"",
              7000};
      return true;
    case 2:
      text = {"Hardware error!!!", "There has been an adder subtrahend odd-even error", 7001};
      return true;
    default:
      return false;
  }
}

}  // namespace ormlax
