// The executable's full path taken apart at its last backslash.
#pragma once

#include <string_view>

struct ProgramPath {
  std::string_view folder;     // up to, not including, the last backslash
  std::string_view file_name;  // after it
};

ProgramPath SplitProgramPath(std::string_view full_path);
