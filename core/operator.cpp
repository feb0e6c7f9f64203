#include "core/operator.h"

namespace ormlax {

std::string ReplaceLineBreaks(std::string_view text, std::string_view separator) {
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at = text.find(kLineBreak); at != std::string_view::npos;
       at = text.find(kLineBreak, from)) {
    out.append(text.substr(from, at - from));
    out.append(separator);
    from = at + kLineBreak.size();
  }
  out.append(text.substr(from));
  return out;
}

}  // namespace ormlax
