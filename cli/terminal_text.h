// Text that is safe to show on a terminal.
#pragma once

#include <string>
#include <string_view>

namespace ormlax::cli {

// The text with every byte that could work a terminal shown as \xHH instead: control bytes (an
// ESC that would change its colours, a bell...), DEL, and bytes that are not part of a printable
// UTF-8 character. Printable ASCII and UTF-8 characters from U+00A0 up stand as they are; line
// feeds too when `keepLineFeeds`.
std::string EscapeControls(std::string_view text, bool keepLineFeeds);

}  // namespace ormlax::cli
