// SkinH_AttachEx through the built jedata.dll: what it rejects, what it accepts, and which windows
// it then reaches. The cases run in order in one fresh process: rejections first, while nothing is
// attached.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "skin/tests/gui_main.h"
#include "skin/tests/test_windows.h"

namespace skin_test {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Patched(Bytes bytes, size_t offset, uint8_t value) {
  bytes[offset] = value;
  return bytes;
}

// Recomputes the checksum, so that a damaged payload reaches the payload checks.
Bytes WithFixedChecksum(Bytes bytes) {
  uint32_t crc = skin::Crc32(bytes.data() + skin::kHeaderSize, bytes.size() - skin::kHeaderSize);
  for (int i = 0; i < 4; ++i) bytes[12 + i] = static_cast<uint8_t>(crc >> (8 * i));
  return bytes;
}

bool IsSubclassed(HWND window) {
  return static_cast<uintptr_t>(GetWindowLongPtrA(window, GWLP_WNDPROC)) !=
         static_cast<uintptr_t>(GetClassLongPtrA(window, GCLP_WNDPROC));
}

AttachFunction Attach() {
  static AttachFunction attach = LoadAttach();
  return attach;
}

TEST(Attach, RejectsBadFilesAndLeavesNewWindowsAlone) {
  ASSERT_NE(Attach(), nullptr) << "jedata.dll or its entry SkinH_AttachEx not found";
  const Bytes good = ShippedSkinBytes();
  ASSERT_GT(good.size(), skin::kHeaderSize);
  const size_t colour_count_at = skin::kHeaderSize + 1 + 4 + 1;  // after "win8" and the empty face

  struct Case {
    const char* name;
    Bytes bytes;
    int expected;
  };
  const Case cases[] = {
      {"empty file", {}, skin::kFileTruncated},
      {"three bytes", Bytes(good.begin(), good.begin() + 3), skin::kFileTruncated},
      {"header cut", Bytes(good.begin(), good.begin() + skin::kHeaderSize - 1),
       skin::kFileTruncated},
      {"payload cut", Bytes(good.begin(), good.end() - 1), skin::kFileTruncated},
      {"bad magic", Patched(good, 0, 'X'), skin::kBadMagic},
      {"newer version", Patched(good, 4, 2), skin::kBadVersion},
      {"payload byte changed", Patched(good, good.size() - 3, good[good.size() - 3] ^ 0x40),
       skin::kBadChecksum},
      {"checksum changed", Patched(good, 12, good[12] ^ 1), skin::kBadChecksum},
      {"colour count changed", WithFixedChecksum(Patched(good, colour_count_at, 3)),
       skin::kMalformed},
      {"larger than any skin", Bytes(70000, '.'), skin::kMalformed},
  };
  for (const Case& c : cases) {
    std::string path = TempPath("bad.she");
    ASSERT_TRUE(WriteFileBytes(path, c.bytes));
    EXPECT_EQ(Attach()(path.c_str(), ""), c.expected) << c.name;
    DeleteFileA(path.c_str());
  }

  char folder[MAX_PATH];
  GetTempPathA(sizeof(folder), folder);
  const struct {
    const char* name;
    const char* path;
  } unopenable[] = {
      {"missing file", "C:\\no such folder\\win8.she"},
      {"folder", folder},
      {"empty path", ""},
      {"no path", nullptr},
  };
  for (const auto& c : unopenable) EXPECT_EQ(Attach()(c.path, ""), skin::kFileMissing) << c.name;

  HWND window = CreateTestWindow(Kind::kError, 40, 40);
  EXPECT_FALSE(IsSubclassed(window));
  EXPECT_FALSE(IsSubclassed(Control(window, kOkButton)));
  DestroyWindow(window);
}

TEST(Attach, AcceptsShippedSkinAndReachesWindowsCreatedAfterIt) {
  ASSERT_NE(Attach(), nullptr);
  HWND before = CreateTestWindow(Kind::kError, 40, 40);
  EXPECT_EQ(Attach()(SKIN_FILE_PATH, ""), skin::kAttached);
  HWND after = CreateTestWindow(Kind::kError, 400, 40);
  HWND main = CreateTestWindow(Kind::kMain, 40, 300);
  HWND controls = CreateTestWindow(Kind::kControls, 40, 500);

  EXPECT_FALSE(IsSubclassed(before));
  EXPECT_FALSE(IsSubclassed(Control(before, kOkButton)));
  EXPECT_TRUE(IsSubclassed(after));
  EXPECT_TRUE(IsSubclassed(Control(after, kOkButton)));
  // Only what the skin draws is taken over: the program's borderless serial box and banner stay as
  // they are.
  EXPECT_FALSE(IsSubclassed(Control(main, kSerialEdit)));
  EXPECT_FALSE(IsSubclassed(Control(main, kBannerBox)));
  EXPECT_FALSE(IsSubclassed(Control(controls, kCheckBox)));
  for (int id :
       {kEdgeEdit, kBorderEdit, kBorderPicture, kSunkenPicture, kFirstButton, kDisabledButton}) {
    EXPECT_TRUE(IsSubclassed(Control(controls, id))) << "control " << id;
  }
  for (HWND w : {before, after, main, controls}) DestroyWindow(w);
}

TEST(Attach, ReloadsOnSecondCallAndKeepsTheSkinWhenTheNewFileIsBad) {
  ASSERT_NE(Attach(), nullptr);
  EXPECT_EQ(Attach()(SKIN_FILE_PATH, ""), skin::kAttached);
  EXPECT_EQ(Attach()("C:\\no such folder\\win8.she", ""), skin::kFileMissing);
  HWND window = CreateTestWindow(Kind::kMain, 40, 40);
  EXPECT_TRUE(IsSubclassed(window));
  DestroyWindow(window);
}

TEST(Attach, RefusesAnotherThreadOnceAttached) {
  ASSERT_NE(Attach(), nullptr);
  ASSERT_EQ(Attach()(SKIN_FILE_PATH, ""), skin::kAttached);
  int result = -1;
  std::thread other([&] { result = Attach()(SKIN_FILE_PATH, ""); });
  other.join();
  EXPECT_EQ(result, skin::kOtherThread);
}

TEST(Attach, StaysLoadedWhileSkinnedWindowsLive) {
  ASSERT_NE(Attach(), nullptr);
  HWND window = CreateTestWindow(Kind::kError, 40, 40);
  ASSERT_TRUE(IsSubclassed(window));
  HMODULE library = GetModuleHandleA("jedata.dll");
  ASSERT_NE(library, nullptr);
  for (int i = 0; i < 8; ++i) FreeLibrary(library);
  EXPECT_EQ(GetModuleHandleA("jedata.dll"), library);
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  SetWindowTextA(window, "still drawn");
  Pump(50);
  EXPECT_TRUE(IsWindow(window));
  DestroyWindow(window);
}

}  // namespace
}  // namespace skin_test

int main(int argc, char** argv) { return skin_test::RunGuiTests(argc, argv); }
