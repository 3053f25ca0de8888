// Runs fatal_probe beside it, reads the error box it shows, presses OK and checks how it ended.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Box {
  HWND window = nullptr;
  std::string text;
  bool has_icon = false;
};

BOOL CALLBACK ReadStatic(HWND child, LPARAM out) {
  Box& box = *reinterpret_cast<Box*>(out);
  char cls[32] = {};
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") != 0) return TRUE;
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) box.has_icon = true;
  char text[1024] = {};
  GetWindowTextA(child, text, sizeof text);
  if (text[0]) box.text = text;
  return TRUE;
}

Box WaitForBox(HANDLE process) {
  Box box;
  for (int i = 0; i < 600 && !box.window; ++i) {
    if (WaitForSingleObject(process, 100) == WAIT_OBJECT_0) break;
    box.window = FindWindowA("#32770", "错误");
  }
  if (box.window) EnumChildWindows(box.window, ReadStatic, reinterpret_cast<LPARAM>(&box));
  return box;
}

std::string Folder() {
  char path[MAX_PATH];
  std::string folder(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  return folder.substr(0, folder.rfind('\\'));
}

std::string ReadFile(const std::string& path) {
  std::string content;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[256];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) content.append(buffer, n);
    std::fclose(f);
  }
  return content;
}

// Runs the probe in `mode`, expects `text` in its box, presses OK, and checks how the probe ended.
void ExpectBoxAndExit(const std::string& mode, const std::string& text) {
  const std::string folder = Folder();
  const std::string marker = folder + "\\fatal_probe.marker";
  DeleteFileA(marker.c_str());
  std::string command = "\"" + folder + "\\fatal_probe.exe\" \"" + marker + "\" " + mode;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.c_str(), &startup, &process));

  const Box box = WaitForBox(process.hProcess);
  ASSERT_NE(box.window, nullptr) << "no box appeared";
  EXPECT_EQ(box.text, text);
  EXPECT_TRUE(box.has_icon);
  EXPECT_EQ(GetWindow(box.window, GW_OWNER), nullptr);
  PostMessageA(box.window, WM_COMMAND, IDOK, 0);

  ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(code, 0xFFFFFFFFu);  // -1
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // The exit routine is dropped without running; the cleanup runs.
  EXPECT_EQ(ReadFile(marker), "cleanup\n");
  DeleteFileA(marker.c_str());
}

TEST(FatalBox, WininetLackingAnEntryEndsTheProgramThroughTheBox) {
  ExpectBoxAndExit("bind",
                   "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“wininet.dll”中的输出命令“"
                   "InternetOpenA”\r\n");
}

TEST(FatalBox, FailedAllocationEndsTheProgramThroughTheBox) {
  const std::size_t too_much = static_cast<std::size_t>(-1) / 2;  // as fatal_probe asks
  ExpectBoxAndExit("alloc", "运行时出错!\r\n\r\n错误信息：分配 " + std::to_string(too_much) +
                                " 字节内存失败!\r\n");
}

}  // namespace
