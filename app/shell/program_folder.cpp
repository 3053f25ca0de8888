#include "app/shell/program_folder.h"

ProgramPath SplitProgramPath(std::string_view full_path) {
  const std::size_t cut = full_path.rfind('\\');
  if (cut == std::string_view::npos) return {std::string_view(), full_path};
  return {full_path.substr(0, cut), full_path.substr(cut + 1)};
}
