#include "app/shell/write_bytes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

class WriteBytesToFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    path_ =
        std::string(folder) + "write_bytes_test_" + std::to_string(GetCurrentProcessId()) + ".bin";
  }
  void TearDown() override { DeleteFileA(path_.c_str()); }
  std::string Contents() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string path_;
};

TEST_F(WriteBytesToFileTest, WritesEachBufferInOrderAndTruncatesWhatWasThere) {
  const ByteBuffer old_bytes(100, 'x');
  ASSERT_TRUE(WriteBytesToFile(path_, {&old_bytes}));
  const ByteBuffer first{'M', 'Z', 0, 1};
  const ByteBuffer empty;
  const ByteBuffer second{'.', 'S', 'H', 'E'};
  ASSERT_TRUE(WriteBytesToFile(path_, {&first, &empty, &second}));
  EXPECT_EQ(Contents(), std::string("MZ\0\1.SHE", 8));
}

TEST_F(WriteBytesToFileTest, NothingToWriteGivesAnEmptyFile) {
  const ByteBuffer empty;
  ASSERT_TRUE(WriteBytesToFile(path_, {&empty}));
  EXPECT_EQ(Contents(), "");
}

TEST_F(WriteBytesToFileTest, FailsForAnEmptyPathAndAFileThatCannotBeOpened) {
  const ByteBuffer bytes{1, 2, 3};
  EXPECT_FALSE(WriteBytesToFile("", {&bytes}));
  EXPECT_FALSE(WriteBytesToFile(path_ + "\\no\\such\\folder\\x.bin", {&bytes}));
  // Open with no sharing elsewhere: it cannot be opened for writing.
  ASSERT_TRUE(WriteBytesToFile(path_, {&bytes}));
  HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteBytesToFile(path_, {&bytes}));
  CloseHandle(held);
  EXPECT_EQ(Contents(), std::string("\1\2\3", 3));
}

}  // namespace
