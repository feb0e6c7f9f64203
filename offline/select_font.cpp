#include "offline/select_font.h"

#include <cmath>

namespace ormlax {

void SelectMonospacedFont(HostPrinter& printer) {
  const int count = printer.FontCount();
  for (int i = 0; i < count; ++i) {
    printer.SetFontName(printer.FontNameAt(i));
    const double narrow = printer.TextWidth("i");
    const double wide = printer.TextWidth("W");
    if (std::abs(narrow - wide) <= 1e-9 * std::abs(wide)) return;
  }
}

}  // namespace ormlax
