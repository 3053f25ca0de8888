#include <gtest/gtest.h>

#include <string>

#include "app/platform/fatal_error.h"
#include "app/platform/library_table.h"
#include "app/platform/shell_state.h"

namespace {

std::string Text(std::string_view message, int code, std::size_t size = 4096) {
  std::string out(size, 'x');
  out.resize(FormatFatalErrorText(out.data(), size, message, code));
  return out;
}

TEST(FatalErrorText, CodeAndMessageAppearOnlyWhenGiven) {
  EXPECT_EQ(Text("", 0), "运行时出错!\r\n\r\n");
  EXPECT_EQ(Text("载入启动窗口失败", 0), "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(Text("", -7), "运行时出错!\r\n\r\n错误代码：-7\r\n\r\n");
  EXPECT_EQ(Text("m", 12), "运行时出错!\r\n\r\n错误代码：12\r\n\r\n错误信息：m\r\n");
}

TEST(FatalErrorText, LongMessageIsCutToTheBuffer) {
  const std::string long_message(10000, 'm');
  const std::string text = Text(long_message, 0, 100);
  EXPECT_EQ(text.size(), 99u);
  EXPECT_EQ(text.substr(0, 15), "运行时出错!\r\n\r\n");
}

int g_exit_runs = 0;

TEST(ShellState, ExitRoutineRunsOnceAndCanBeDropped) {
  g_exit_runs = 0;
  SetExitRoutine([] { ++g_exit_runs; });
  RunExitRoutine();
  RunExitRoutine();
  EXPECT_EQ(g_exit_runs, 1);
  SetExitRoutine([] { ++g_exit_runs; });
  ClearExitRoutine();
  RunExitRoutine();
  EXPECT_EQ(g_exit_runs, 1);
}

TEST(LibraryTable, BindsEveryWininetRowAndKeepsTheAddress) {
  for (int row = kRowInternetOpenA; row <= kRowHttpQueryInfoA; ++row) {
    const FARPROC first = BindLibraryEntry(row);
    ASSERT_NE(first, nullptr) << row;
    EXPECT_EQ(BindLibraryEntry(row), first) << row;
  }
  // The two declarations of HttpSendRequestA are one entry.
  EXPECT_EQ(BindLibraryEntry(kRowHttpSendRequestA), BindLibraryEntry(kRowHttpSendRequestWithBodyA));
  HMODULE wininet = GetModuleHandleA("wininet.dll");
  ASSERT_NE(wininet, nullptr);
  EXPECT_EQ(BindLibraryEntry(kRowInternetOpenA), GetProcAddress(wininet, "InternetOpenA"));
  FreeBoundLibraries();
  // Every handle the rows held is given back, so nothing keeps the library loaded.
  EXPECT_EQ(GetModuleHandleA("wininet.dll"), nullptr);
  EXPECT_NE(BindLibraryEntry(kRowInternetReadFile), nullptr);  // rows bind again after the cleanup
  FreeBoundLibraries();
}

}  // namespace
