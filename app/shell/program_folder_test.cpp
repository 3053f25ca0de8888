#include "app/shell/program_folder.h"

#include <gtest/gtest.h>

TEST(SplitProgramPath, CutsAtTheLastBackslash) {
  struct Case {
    const char* path;
    const char* folder;
    const char* file_name;
  } cases[] = {
      {"C:\\Program Files\\序列号\\serial_lookup.exe", "C:\\Program Files\\序列号",
       "serial_lookup.exe"},
      {"C:\\serial_lookup.exe", "C:", "serial_lookup.exe"},
      {"\\\\server\\share\\a.exe", "\\\\server\\share", "a.exe"},
      {"a.exe", "", "a.exe"},
  };
  for (const Case& c : cases) {
    const ProgramPath split = SplitProgramPath(c.path);
    EXPECT_EQ(split.folder, c.folder) << c.path;
    EXPECT_EQ(split.file_name, c.file_name) << c.path;
  }
}
