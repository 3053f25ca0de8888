#include "skin/tests/gui_main.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace skin_test {

int RunGuiTests(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::string result_path;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--result=", 9) == 0) result_path = argv[i] + 9;
  }
  int result = RUN_ALL_TESTS();
  std::fflush(stdout);
  if (!result_path.empty()) {
    if (FILE* out = std::fopen(result_path.c_str(), "w")) {
      std::fprintf(out, "%d\n", result);
      std::fclose(out);
    }
  }
  return result;
}

}  // namespace skin_test
