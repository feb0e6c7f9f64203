// The scratch folder of one test: in the system's temporary folder, named for the test and for
// the process, so that test programs run side by side (two builds' suites at once, say) never
// share one.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace ormlax::testing {

inline std::filesystem::path TestFolder(std::string_view name) {
  return std::filesystem::temp_directory_path() /
         (std::string(name) + "-" + std::to_string(::getpid()));
}

}  // namespace ormlax::testing
