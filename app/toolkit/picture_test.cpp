#include "app/toolkit/picture.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <vector>

#include "app/toolkit/test_pictures.h"

namespace toolkit {
namespace {

TEST(PictureFormatOf, TellsTheFormatByTheFirstBytes) {
  struct Case {
    std::vector<unsigned char> bytes;
    PictureFormat expected;
  } cases[] = {
      {{'B', 'M', 0, 0}, PictureFormat::kBmp},
      {{0xFF, 0xD8, 0xFF, 0xE0}, PictureFormat::kJpeg},
      {{'G', 'I', 'F', '8', '9', 'a'}, PictureFormat::kGif},
      {{}, PictureFormat::kUnknown},
      {{'B'}, PictureFormat::kUnknown},
      {{0xFF}, PictureFormat::kUnknown},
      {{'<', 'h', 't', 'm', 'l', '>'},
       PictureFormat::kUnknown},                         // an error page instead of a picture
      {{0x89, 'P', 'N', 'G'}, PictureFormat::kUnknown},  // OLE does not decode it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PictureFormatOf(c.bytes.data(), c.bytes.size()), c.expected) << c.bytes.size();
  }
}

class DecodePictureTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }
};

TEST_F(DecodePictureTest, DecodesABitmapToItsOwnCopy) {
  const auto bmp = testing::SolidBmp(7, 5, RGB(10, 200, 30));
  Picture picture = DecodePicture(bmp.data(), bmp.size());
  ASSERT_NE(picture.bitmap, nullptr);
  EXPECT_EQ(picture.size.width, 7);
  EXPECT_EQ(picture.size.height, 5);

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture.bitmap);
  EXPECT_EQ(GetPixel(dc, 3, 2), RGB(10, 200, 30));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(picture.bitmap);
}

TEST_F(DecodePictureTest, EmptyUnknownAndBrokenBytesGiveNoPicture) {
  const auto bmp = testing::SolidBmp(4, 4, RGB(1, 2, 3));
  const std::vector<unsigned char> cases[] = {
      {},
      {'<', 'h', 't', 'm', 'l', '>', '4', '0', '4'},
      {'B', 'M', 0x10, 0, 0, 0},  // a BMP header cut short
      std::vector<unsigned char>(bmp.begin(), bmp.begin() + 20),
      {0xFF, 0xD8, 0xFF, 0xD9},  // a JPEG with nothing in it
  };
  for (const auto& bytes : cases) {
    const Picture picture = DecodePicture(bytes.data(), bytes.size());
    EXPECT_EQ(picture.bitmap, nullptr) << bytes.size();
    if (picture.bitmap) DeleteObject(picture.bitmap);
  }
  EXPECT_EQ(DecodePicture(nullptr, 0).bitmap, nullptr);
}

}  // namespace
}  // namespace toolkit
