// The program's start-up as a whole under Wine: the two files it writes into C:\Windows, which
// jedata.dll it binds, what it does when none can be bound, two copies at once, the skin's effect
// on its three windows, and the resources of the built .exe. run_shell.sh starts it on a Wine
// desktop in a prefix of its own (the tests change that prefix's C:\Windows) with the sample
// lookup service running for the end-to-end copy of the program.
//
//   SHELL_ARTIFACTS  folder for the screenshots (a Unix path)
//   SHELL_STATUS     file that gets the exit code (the Wine desktop does not hand it back)
//   --bench=N        instead of the tests: N rounds of the start-up with and without the skin
#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "build_config.h"
#include "tests/e2e/driver.h"

namespace e2e {
namespace {

const std::string kMakerUrl = build_config::kMakerUrl;
const std::string kMainTitle = "Morvane - Tovik - " + kMakerUrl;
const std::string kErrorTitle = "查询错误！ " + kMakerUrl;
const std::string kDetailsTitle = "设备详情 - Tovik " + kMakerUrl;

constexpr char kLibraryPath[] = "C:\\Windows\\jedata.dll";
constexpr char kSkinPath[] = "C:\\Windows\\win8.she";

// ---- files

std::string ReadAll(const std::string& path) {
  std::string content;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) content.append(buffer, n);
    std::fclose(f);
  }
  return content;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

const std::string& EngineBytes() {
  static const std::string bytes = ReadAll(WindowsPath(SHELL_SKIN_ENGINE));
  return bytes;
}

const std::string& SkinFileBytes() {
  static const std::string bytes = ReadAll(WindowsPath(SHELL_SKIN_FILE));
  return bytes;
}

// C:\Windows back to plain files that anyone may replace.
void ReleaseWindowsFiles() {
  for (const char* path : {kLibraryPath, kSkinPath}) {
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path);
  }
}

// `content` as the file at `path`, or no file at all.
void Seed(const char* path, const std::optional<std::string>& content) {
  ReleaseWindowsFiles();
  DeleteFileA(path);
  if (content) {
    ASSERT_TRUE(WriteAll(path, *content)) << path;
  }
}

// ---- copies of the program, each alone in a folder of its own

struct ProgramCopy {
  std::string folder;
  std::string executable;
  std::string marker;  // what the recording jedata.dll beside it writes
};

// `library`: the Unix path of a jedata.dll to put beside the copy, or null for none.
ProgramCopy MakeCopy(const char* name, const char* program, const char* library) {
  const std::string work = WindowsPath(SHELL_WORK);
  CreateDirectoryA(work.c_str(), nullptr);
  ProgramCopy copy;
  copy.folder = work + "\\" + name;
  CreateDirectoryA(copy.folder.c_str(), nullptr);
  copy.executable = copy.folder + "\\serial_lookup.exe";
  copy.marker = copy.folder + "\\jedata.called";
  CopyFileA(WindowsPath(program).c_str(), copy.executable.c_str(), FALSE);
  const std::string beside = copy.folder + "\\jedata.dll";
  DeleteFileA(beside.c_str());
  if (library) CopyFileA(WindowsPath(library).c_str(), beside.c_str(), FALSE);
  DeleteFileA(copy.marker.c_str());
  return copy;
}

// ---- the program's windows, by process

struct Search {
  DWORD process_id;
  std::function<bool(HWND)> wanted;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM lparam) {
  Search& search = *reinterpret_cast<Search*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == search.process_id && IsWindowVisible(hwnd) && search.wanted(hwnd)) {
    search.found.push_back(hwnd);
  }
  return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD process_id, std::function<bool(HWND)> wanted) {
  Search search{process_id, std::move(wanted), {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND MainWindowOf(DWORD process_id) {
  const auto found =
      VisibleWindowsOf(process_id, [](HWND hwnd) { return Text(hwnd) == kMainTitle; });
  return found.empty() ? nullptr : found.front();
}

HWND WaitForMainWindowOf(const Process& process, DWORD timeout_ms = 20000) {
  HWND main = nullptr;
  WaitUntil(
      [&] {
        main = MainWindowOf(process.id);
        return main != nullptr || WaitForSingleObject(process.handle, 0) == WAIT_OBJECT_0;
      },
      timeout_ms);
  return main;
}

// Closes the program as a user would and hands back its exit code (99: it had to be ended).
DWORD CloseProgram(Process& process, HWND main) {
  if (main) PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD code = 99;
  if (!WaitForExit(process, 15000, &code)) code = 99;
  Stop(process);
  return code;
}

// ---- the start-up's two files

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(EngineBytes().empty()) << SHELL_SKIN_ENGINE;
    ASSERT_FALSE(SkinFileBytes().empty()) << SHELL_SKIN_FILE;
  }
  void TearDown() override { ReleaseWindowsFiles(); }

  // Starts `copy`, expects its main window and closes it again with exit code 0.
  void StartAndClose(const ProgramCopy& copy) {
    Process process = Start(copy.executable);
    ASSERT_NE(process.handle, nullptr) << "cannot start " << copy.executable;
    const HWND main = WaitForMainWindowOf(process);
    EXPECT_NE(main, nullptr) << "no main window";
    EXPECT_EQ(CloseProgram(process, main), 0u);
  }
};

TEST_F(StartUp, WritesBothCarriedFilesOverWhateverWasThere) {
  const ProgramCopy copy = MakeCopy("plain", SHELL_PROGRAM, nullptr);
  const struct {
    const char* name;
    std::optional<std::string> before;
  } cases[] = {
      {"no files", std::nullopt},
      {"shorter files", std::string("old copy")},
      {"longer files", std::string(EngineBytes().size() + 4096, 'x')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Seed(kLibraryPath, c.before);
    Seed(kSkinPath, c.before);
    StartAndClose(copy);
    EXPECT_TRUE(ReadAll(kLibraryPath) == EngineBytes()) << "jedata.dll differs from the built one";
    EXPECT_TRUE(ReadAll(kSkinPath) == SkinFileBytes()) << "win8.she differs from assets/win8.she";
  }
}

TEST_F(StartUp, BindsTheJedataDllOfItsOwnFolderWithTheSkinPathAndAnEmptyText) {
  const ProgramCopy copy = MakeCopy("own_library", SHELL_PROGRAM, SHELL_RECORDING_DLL);
  Seed(kLibraryPath, std::nullopt);
  StartAndClose(copy);
  EXPECT_EQ(ReadAll(copy.marker), "SkinH_AttachEx(\"C:\\Windows\\win8.she\", \"\")\r\n");
  // The files are written all the same, before the binding.
  EXPECT_TRUE(ReadAll(kLibraryPath) == EngineBytes());
}

// Files that cannot be replaced keep the copies of an earlier start, and the program runs with
// them. The earlier copies differ from the carried bytes (trailing bytes the loader does not look
// at, a skin file the engine rejects), so that a write that went through would show.
TEST_F(StartUp, RunsWithEarlierCopiesWhenTheFilesAreReadOnly) {
  const ProgramCopy copy = MakeCopy("plain", SHELL_PROGRAM, nullptr);
  const std::string earlier_library = EngineBytes() + std::string(64, '\0');
  const std::string earlier_skin = SkinFileBytes() + "earlier";
  Seed(kLibraryPath, earlier_library);
  Seed(kSkinPath, earlier_skin);
  std::vector<HANDLE> held;
  for (const char* path : {kLibraryPath, kSkinPath}) {
    ASSERT_TRUE(SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY)) << path;
    // Wine keeps the attribute as the file's Unix write bits, which root does not heed: there a
    // handle that denies writing stands in for it.
    HANDLE probe = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE) continue;
    CloseHandle(probe);
    std::printf("%s: read-only does not stop writing here; held open against writes instead\n",
                path);
    held.push_back(
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(held.back(), INVALID_HANDLE_VALUE);
  }
  StartAndClose(copy);
  for (HANDLE handle : held) CloseHandle(handle);
  EXPECT_TRUE(ReadAll(kLibraryPath) == earlier_library) << "jedata.dll was replaced";
  EXPECT_TRUE(ReadAll(kSkinPath) == earlier_skin) << "win8.she was replaced";
}

struct Box {
  std::string text;
  bool has_icon = false;
};

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM lparam) {
  Box& box = *reinterpret_cast<Box*>(lparam);
  if (ClassName(child) != "Static") return TRUE;
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) box.has_icon = true;
  char text[1024] = {};
  GetWindowTextA(child, text, sizeof text);
  if (text[0]) box.text = text;
  return TRUE;
}

// No jedata.dll anywhere and none can be written (a folder holds its name): the fatal box, before
// any window of the program, then exit code -1.
TEST_F(StartUp, WithoutAnyJedataDllShowsTheErrorBoxAndEndsWithMinusOne) {
  const ProgramCopy copy = MakeCopy("plain", SHELL_PROGRAM, nullptr);
  Seed(kLibraryPath, std::nullopt);
  ASSERT_TRUE(CreateDirectoryA(kLibraryPath, nullptr));

  Process process = Start(copy.executable);
  ASSERT_NE(process.handle, nullptr);
  const auto is_box = [](HWND hwnd) { return ClassName(hwnd) == "#32770" && Text(hwnd) == "错误"; };
  HWND box_window = nullptr;
  WaitUntil(
      [&] {
        const auto boxes = VisibleWindowsOf(process.id, is_box);
        box_window = boxes.empty() ? nullptr : boxes.front();
        return box_window != nullptr || WaitForSingleObject(process.handle, 0) == WAIT_OBJECT_0;
      },
      20000);
  ASSERT_NE(box_window, nullptr) << "no box titled 错误";

  Box box;
  EnumChildWindows(box_window, ReadBoxChild, reinterpret_cast<LPARAM>(&box));
  EXPECT_EQ(box.text,
            "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“jedata.dll”中的输出命令“SkinH_"
            "AttachEx”\r\n");
  EXPECT_TRUE(box.has_icon) << "no stop icon";
  EXPECT_EQ(GetWindow(box_window, GW_OWNER), nullptr);
  EXPECT_EQ(VisibleWindowsOf(process.id, [&](HWND hwnd) { return hwnd != box_window; }).size(), 0u)
      << "a window of the program is open beside the box";
  EXPECT_EQ(MainWindowOf(process.id), nullptr);

  ASSERT_TRUE(BringToFront(box_window));
  Tap(VK_RETURN);  // OK
  DWORD code = 0;
  EXPECT_TRUE(WaitForExit(process, 15000, &code)) << "still running after OK";
  EXPECT_EQ(code, 0xFFFFFFFFu);
  EXPECT_EQ(MainWindowOf(process.id), nullptr);
  Stop(process);
}

// The second copy cannot replace the library the first has loaded; it runs with that one.
TEST_F(StartUp, ASecondCopyRunsBesideTheFirst) {
  const ProgramCopy copy = MakeCopy("plain", SHELL_PROGRAM, nullptr);
  Process first = Start(copy.executable);
  ASSERT_NE(first.handle, nullptr);
  const HWND first_main = WaitForMainWindowOf(first);
  ASSERT_NE(first_main, nullptr);

  Process second = Start(copy.executable);
  ASSERT_NE(second.handle, nullptr);
  const HWND second_main = WaitForMainWindowOf(second);
  EXPECT_NE(second_main, nullptr) << "the second copy shows no main window";
  EXPECT_NE(second_main, first_main);
  EXPECT_TRUE(IsWindowVisible(first_main));
  EXPECT_TRUE(ReadAll(kLibraryPath) == EngineBytes());

  EXPECT_EQ(CloseProgram(second, second_main), 0u);
  EXPECT_EQ(CloseProgram(first, first_main), 0u);
}

// ---- the skin on the three windows

struct ChildPlace {
  int id;
  int parent_id;
  std::string class_name;
  RECT place;
};

struct Geometry {
  SIZE outer;
  SIZE client;
  std::vector<ChildPlace> children;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM lparam) {
  auto& children = *reinterpret_cast<std::vector<ChildPlace>*>(lparam);
  children.push_back({GetDlgCtrlID(child), GetDlgCtrlID(GetParent(child)), ClassName(child),
                      PlaceInParent(child)});
  return TRUE;
}

Geometry GeometryOf(HWND window) {
  Geometry geometry;
  const RECT outer = ScreenRect(window);
  geometry.outer = {outer.right - outer.left, outer.bottom - outer.top};
  RECT client{};
  GetClientRect(window, &client);
  geometry.client = {client.right, client.bottom};
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&geometry.children));
  return geometry;
}

struct Shot {
  Geometry geometry;
  Image image;
};

struct WindowShots {
  Shot main, error, details;
};

std::string ArtifactPath(const std::string& name) {
  const std::string folder = WindowsPath(Environment("SHELL_ARTIFACTS"));
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\" + name;
}

Shot TakeShot(HWND window, const std::string& name) {
  Sleep(800);  // the last paint, and the details window's picture download
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);
  Shot shot{GeometryOf(window), Capture(ScreenRect(window))};
  EXPECT_TRUE(SaveBmp(shot.image, ArtifactPath(name + ".bmp"))) << name;
  return shot;
}

void TypeSerialAndEnter(HWND main, const std::string& serial) {
  const HWND serial_box = Control(main, 4);  // 序列号
  ASSERT_NE(serial_box, nullptr);
  ASSERT_TRUE(BringToFront(main));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == serial_box; }, 3000));
  Tap(VK_END);
  Tap(VK_HOME, {VK_SHIFT});
  Tap(VK_DELETE);
  TypeAscii(serial);
  ASSERT_TRUE(WaitUntil([&] { return Text(serial_box) == serial; }));
  Tap(VK_RETURN);
}

void CloseModal(HWND modal, const std::string& title) {
  ASSERT_TRUE(BringToFront(modal));
  Tap(VK_ESCAPE);
  ASSERT_TRUE(WaitForNoWindow(title.c_str()));
}

// Opens the three windows of `copy` in turn and photographs each as `<window>_<mode>`.
void ShootThreeWindows(const ProgramCopy& copy, const std::string& mode, WindowShots* shots) {
  Process process = Start(copy.executable);
  ASSERT_NE(process.handle, nullptr);
  const HWND main = WaitForMainWindowOf(process);
  ASSERT_NE(main, nullptr);
  shots->main = TakeShot(main, "main_window_" + mode);

  TypeSerialAndEnter(main, "000000000000");  // unknown to the sample service
  const HWND error = WaitForWindow(kErrorTitle.c_str());
  ASSERT_NE(error, nullptr) << "no error window; is the sample service running?";
  shots->error = TakeShot(error, "error_window_" + mode);
  CloseModal(error, kErrorTitle);

  TypeSerialAndEnter(main, "F2LJK0XXDTTN");
  const HWND details = WaitForWindow(kDetailsTitle.c_str());
  ASSERT_NE(details, nullptr);
  shots->details = TakeShot(details, "details_window_" + mode);
  CloseModal(details, kDetailsTitle);

  EXPECT_EQ(CloseProgram(process, main), 0u);
}

// Mean difference of the top band of both pictures, where the title bar is.
double TitleBarDifference(const Image& a, const Image& b) {
  const auto band = [](const Image& image) {
    Image top;
    top.width = image.width;
    top.height = std::min(image.height, 24);
    top.pixels.assign(image.pixels.begin(), image.pixels.begin() + top.width * top.height);
    return top;
  };
  return MeanDifference(band(a), band(b));
}

TEST(Skin, ChangesTheLookOfTheThreeWindowsButNotTheirSizesOrControlPlaces) {
  ReleaseWindowsFiles();
  WindowShots skinned, plain;
  ShootThreeWindows(MakeCopy("e2e_skinned", SHELL_PROGRAM_E2E, nullptr), "skinned", &skinned);
  ShootThreeWindows(MakeCopy("e2e_plain", SHELL_PROGRAM_E2E, SHELL_RECORDING_DLL), "plain", &plain);

  const struct {
    const char* name;
    const Shot& skinned;
    const Shot& plain;
    int width, height;
  } windows[] = {
      {"main window", skinned.main, plain.main, 631, 116},
      {"error window", skinned.error, plain.error, 333, 181},
      {"details window", skinned.details, plain.details, 637, 493},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(w.name);
    const Geometry& on = w.skinned.geometry;
    const Geometry& off = w.plain.geometry;
    EXPECT_EQ(on.outer.cx, w.width);
    EXPECT_EQ(on.outer.cy, w.height);
    EXPECT_EQ(off.outer.cx, w.width);
    EXPECT_EQ(off.outer.cy, w.height);
    EXPECT_EQ(on.client.cx, off.client.cx);
    EXPECT_EQ(on.client.cy, off.client.cy);
    ASSERT_EQ(on.children.size(), off.children.size());
    ASSERT_FALSE(on.children.empty());
    for (std::size_t i = 0; i < on.children.size(); ++i) {
      const ChildPlace& a = on.children[i];
      const ChildPlace& b = off.children[i];
      SCOPED_TRACE("control " + std::to_string(a.id) + " (" + a.class_name + ")");
      EXPECT_EQ(a.id, b.id);
      EXPECT_EQ(a.parent_id, b.parent_id);
      EXPECT_TRUE(EqualRect(&a.place, &b.place))
          << a.place.left << "," << a.place.top << " " << a.place.right - a.place.left << "x"
          << a.place.bottom - a.place.top << " without the skin: " << b.place.left << ","
          << b.place.top << " " << b.place.right - b.place.left << "x"
          << b.place.bottom - b.place.top;
    }
    // The skin is on: its title bar is not the system's.
    EXPECT_GT(TitleBarDifference(w.skinned.image, w.plain.image), 10.0);
  }
}

// ---- the resources of the built program

std::string VersionString(const std::vector<char>& info, const std::string& key) {
  char* value = nullptr;
  UINT length = 0;
  const std::string query = "\\StringFileInfo\\080404B0\\" + key;
  if (!VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) ||
      !value) {
    return "(none)";
  }
  return std::string(value, strnlen(value, length));
}

TEST(Resources, VersionIsOneZeroZeroZeroWithTheChineseStringTable) {
  const std::string program = WindowsPath(SHELL_PROGRAM);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation[0], 0x0804);
  EXPECT_EQ(translation[1], 1200);

  EXPECT_EQ(VersionString(info, "FileVersion"), "1.0.0.0");
  EXPECT_EQ(VersionString(info, "ProductVersion"), "1.0.0.0");
  EXPECT_EQ(VersionString(info, "CompanyName"), "Tovik");
  EXPECT_EQ(VersionString(info, "FileDescription"), "苹果序列号查询");
  EXPECT_EQ(VersionString(info, "ProductName"), "苹果序列号查询");
}

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width, height, colour_count, reserved;
  WORD planes, bit_count;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST(Resources, IconGroupHoldsFourImagesAndThereIsNoManifest) {
  HMODULE module =
      LoadLibraryExA(WindowsPath(SHELL_PROGRAM).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC group = FindResourceA(module, "DEFAULT_ICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr) << "no icon group DEFAULT_ICON";
  const auto* header = static_cast<const WORD*>(LockResource(LoadResource(module, group)));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header[0], 0);  // reserved
  EXPECT_EQ(header[1], 1);  // icons
  ASSERT_EQ(header[2], 4);
  const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 3);

  std::vector<std::pair<int, int>> images;  // size, bits per pixel
  for (int i = 0; i < header[2]; ++i) {
    const IconGroupEntry& entry = entries[i];
    const int size = entry.width ? entry.width : 256;
    images.push_back({size, entry.bit_count});
    HRSRC icon = FindResourceA(module, MAKEINTRESOURCEA(entry.id), MAKEINTRESOURCEA(3));  // RT_ICON
    ASSERT_NE(icon, nullptr) << "image " << entry.id << " of the group is missing";
    EXPECT_EQ(SizeofResource(module, icon), entry.bytes);
    const auto* bitmap =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, icon)));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->biWidth, size);
    EXPECT_EQ(bitmap->biHeight, 2 * size);  // colour and mask
    EXPECT_EQ(bitmap->biBitCount, entry.bit_count);
  }
  std::sort(images.begin(), images.end());
  const std::vector<std::pair<int, int>> expected = {{16, 8}, {16, 32}, {32, 8}, {32, 32}};
  EXPECT_EQ(images, expected);

  int manifests = 0;
  EnumResourceNamesA(module, MAKEINTRESOURCEA(24), CountName,
                     reinterpret_cast<LONG_PTR>(&manifests));
  EXPECT_EQ(manifests, 0) << "the program carries a manifest";
  FreeLibrary(module);
}

// ---- the benchmark

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// From CreateProcess to the main window being visible, in seconds; negative when it did not come.
double TimeToMainWindow(const ProgramCopy& copy) {
  LARGE_INTEGER start, shown;
  QueryPerformanceCounter(&start);
  Process process = Start(copy.executable);
  HWND main = nullptr;
  for (int i = 0; i < 20000 && process.handle && !(main = MainWindowOf(process.id)); ++i) Sleep(1);
  QueryPerformanceCounter(&shown);
  CloseProgram(process, main);
  return main ? Seconds(start, shown) : -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int RunBenchmark(int rounds) {
  ReleaseWindowsFiles();
  const ProgramCopy skinned = MakeCopy("bench_skinned", SHELL_PROGRAM, nullptr);
  const ProgramCopy plain = MakeCopy("bench_plain", SHELL_PROGRAM, SHELL_RECORDING_DLL);
  struct Variant {
    const char* name;
    const ProgramCopy& copy;
    bool writes_refused;
    std::vector<double> times;
  } variants[] = {
      {"skin (writes both files, attaches)", skinned, false, {}},
      {"no skin (writes both files, no-op attach)", plain, false, {}},
      {"neither (writes refused: files held open, no-op attach)", plain, true, {}},
  };
  TimeToMainWindow(skinned);  // warm the caches once
  // Interleaved, so that a slow phase of the machine hits all variants alike.
  for (int round = 0; round < rounds; ++round) {
    for (Variant& v : variants) {
      // A handle that denies writing refuses the program's writes at once, for root too.
      std::vector<HANDLE> held;
      if (v.writes_refused) {
        for (const char* path : {kLibraryPath, kSkinPath}) {
          held.push_back(
              CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        }
      }
      const double t = TimeToMainWindow(v.copy);
      for (HANDLE handle : held) CloseHandle(handle);
      if (t < 0) {
        std::printf("%s: no main window\n", v.name);
        return 1;
      }
      v.times.push_back(t);
    }
  }
  ReleaseWindowsFiles();
  char line[256];
  std::snprintf(line, sizeof line, "start to visible main window, %d rounds, median (min):\n",
                rounds);
  std::string report = line;
  for (const Variant& v : variants) {
    std::snprintf(line, sizeof line, "  %-58s %7.1f ms (%.1f ms)\n", v.name, 1000 * Median(v.times),
                  1000 * *std::min_element(v.times.begin(), v.times.end()));
    report += line;
  }
  const double skin = Median(variants[0].times), plain_attach = Median(variants[1].times),
               neither = Median(variants[2].times);
  std::snprintf(line, sizeof line, "ratio skin / no skin: %.3f\nratio skin / neither: %.3f\n",
                skin / plain_attach, skin / neither);
  report += line;
  const std::string out = Environment("SHELL_REPORT");
  if (out.empty() || !WriteAll(WindowsPath(out), report)) std::fputs(report.c_str(), stdout);
  return 0;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  OleInitialize(nullptr);
  int result = 0;
  if (argc > 1 && std::strncmp(argv[1], "--bench=", 8) == 0) {
    result = e2e::RunBenchmark(std::max(1, std::atoi(argv[1] + 8)));
  } else {
    testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  // Under the Wine desktop the exit code goes no further than explorer: the script reads this file.
  const std::string status = e2e::Environment("SHELL_STATUS");
  if (!status.empty()) e2e::WriteAll(e2e::WindowsPath(status), std::to_string(result));
  OleUninitialize();
  return result;
}
