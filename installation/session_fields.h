// The fields of a session file, in the order they are written: each knows its key, how to write
// its lines from a record and how to read one line back into a record.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "installation/session_record.h"
#include "installation/session_text.h"

namespace ormlax {

enum class FieldLines {
  Once,     // exactly one line
  Indexed,  // a line for each place that is kept, the place named by the line's first value
  Ordered,  // any number of lines, read back in order
};

struct SessionField {
  const char* section;  // a comment line written before the field, or null
  const char* key;
  FieldLines lines;
  // The values of each of the field's lines, as written after the key.
  std::function<std::vector<std::string>(SessionRecord&)> write;
  // Takes one line's values into the record: empty when they are good, otherwise what is wrong.
  std::function<std::string(SessionRecord&, const std::vector<SessionValue>&)> read;
};

const std::vector<SessionField>& SessionFields();

// "I" or "II".
const char* SessionModelName(bool modelII);

}  // namespace ormlax
