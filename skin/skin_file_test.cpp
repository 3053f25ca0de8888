#include "skin/skin_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace skin {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ShippedFile() {
  std::ifstream in(SKIN_FILE_PATH, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes PayloadOf(const Bytes& file) { return Bytes(file.begin() + kHeaderSize, file.end()); }

// A whole file around the payload, with a correct length and checksum.
Bytes FileWith(const Bytes& payload) {
  Bytes file = {'.', 'S', 'H', 'E', 1, 0, 0, 0};
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put32(static_cast<uint32_t>(payload.size()));
  put32(Crc32(payload.data(), payload.size()));
  file.insert(file.end(), payload.begin(), payload.end());
  return file;
}

AttachResult Parse(const Bytes& file, Look* look = nullptr) {
  Look scratch;
  return ParseSkinFile(file.data(), file.size(), look ? look : &scratch);
}

TEST(SkinFile, Crc32IsTheZlibOne) {
  const char* check = "123456789";
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(check), 9), 0xCBF43926u);
  EXPECT_EQ(Crc32(nullptr, 0), 0u);
}

TEST(SkinFile, ShippedFileIsAccepted) {
  Bytes file = ShippedFile();
  ASSERT_FALSE(file.empty()) << "cannot read " << SKIN_FILE_PATH;
  Look look;
  ASSERT_EQ(Parse(file, &look), kAttached);
  EXPECT_STREQ(look.name, "win8");
  // Readable title: caption text and caption colours differ in brightness.
  auto brightness = [](Rgb c) { return 299 * c.r + 587 * c.g + 114 * c.b; };
  EXPECT_GT(std::abs(brightness(look.colours[kCaptionTextActive]) -
                     brightness(look.colours[kCaptionActive])),
            100000);
  EXPECT_GT(std::abs(brightness(look.colours[kCaptionTextInactive]) -
                     brightness(look.colours[kCaptionInactive])),
            100000);
}

TEST(SkinFile, EveryTruncationIsRejectedAsTruncated) {
  Bytes file = ShippedFile();
  ASSERT_FALSE(file.empty());
  for (size_t length = 0; length < file.size(); ++length) {
    EXPECT_EQ(Parse(Bytes(file.begin(), file.begin() + length)), kFileTruncated)
        << "length " << length;
  }
}

TEST(SkinFile, EveryChangedByteIsRejected) {
  Bytes file = ShippedFile();
  ASSERT_FALSE(file.empty());
  for (size_t at = 0; at < file.size(); ++at) {
    for (uint8_t flip : {0x01, 0x80}) {
      Bytes changed = file;
      changed[at] ^= flip;
      EXPECT_NE(Parse(changed), kAttached) << "byte " << at << " ^ " << int(flip);
    }
  }
}

TEST(SkinFile, HeaderFaultsHaveTheirOwnCodes) {
  Bytes file = ShippedFile();
  ASSERT_FALSE(file.empty());
  auto with = [&](size_t at, uint8_t value) {
    Bytes changed = file;
    changed[at] = value;
    return changed;
  };
  Bytes longer = file;
  longer.push_back(0);
  struct Case {
    const char* name;
    Bytes bytes;
    AttachResult expected;
  };
  const Case cases[] = {
      {"lower-case magic", with(1, 's'), kBadMagic},
      {"short file with a foreign magic", {'M', 'Z', 0x90}, kFileTruncated},
      {"foreign magic", with(0, 'M'), kBadMagic},
      {"version 0", with(4, 0), kBadVersion},
      {"version 2", with(4, 2), kBadVersion},
      {"reserved field set", with(6, 1), kMalformed},
      {"length past the end", with(8, static_cast<uint8_t>(file[8] + 1)), kFileTruncated},
      {"length short of the end", with(8, static_cast<uint8_t>(file[8] - 1)), kMalformed},
      {"a byte after the payload", longer, kMalformed},
      {"checksum", with(15, static_cast<uint8_t>(file[15] ^ 0x10)), kBadChecksum},
      {"larger than any skin", Bytes(kMaxFileSize + 1, '.'), kMalformed},
  };
  for (const Case& c : cases) EXPECT_EQ(Parse(c.bytes), c.expected) << c.name;
}

TEST(SkinFile, PayloadFaultsBehindAGoodChecksumAreMalformed) {
  const Bytes payload = PayloadOf(ShippedFile());
  ASSERT_FALSE(payload.empty());
  const size_t name_length = payload[0];
  const size_t face_at = 1 + name_length;
  const size_t colours_at = face_at + 1 + payload[face_at];
  const size_t metrics_at = colours_at + 1 + 3 * kColourCount;
  auto with = [&](size_t at, uint8_t value) {
    Bytes changed = payload;
    changed[at] = value;
    return changed;
  };
  auto with_metric = [&](Metric m, uint16_t value) {
    Bytes changed = payload;
    changed[metrics_at + 1 + 2 * m] = static_cast<uint8_t>(value);
    changed[metrics_at + 2 + 2 * m] = static_cast<uint8_t>(value >> 8);
    return changed;
  };
  Bytes longer = payload;
  longer.push_back(0);
  struct Case {
    const char* name;
    Bytes payload;
  };
  const Case cases[] = {
      {"empty payload", {}},
      {"empty name", with(0, 0)},
      {"name longer than the payload", with(0, 250)},
      {"name with a control byte", with(1, 0x07)},
      {"face with a zero byte",
       [&] {
         Bytes b = payload;
         b[face_at] = 1;
         b.insert(b.begin() + face_at + 1, 0);
         return b;
       }()},
      {"fewer colours", with(colours_at, kColourCount - 1)},
      {"more colours", with(colours_at, kColourCount + 1)},
      {"fewer metrics", with(metrics_at, kMetricCount - 1)},
      {"title aligned 2", with_metric(kTitleAlign, 2)},
      {"weight 0", with_metric(kTitleFontWeight, 0)},
      {"weight 1000", with_metric(kTitleFontWeight, 1000)},
      {"caption box 3 pixels wide", with_metric(kCaptionButtonWidth, 3)},
      {"glyph stroke 0", with_metric(kCaptionGlyphStroke, 0)},
      {"a byte after the metrics", longer},
      {"metrics cut", Bytes(payload.begin(), payload.end() - 1)},
  };
  for (const Case& c : cases) EXPECT_EQ(Parse(FileWith(c.payload)), kMalformed) << c.name;
  EXPECT_EQ(Parse(FileWith(payload)), kAttached) << "the fixture itself";
}

TEST(SkinFile, RejectedFileLeavesTheLookAlone) {
  Bytes file = ShippedFile();
  ASSERT_FALSE(file.empty());
  Look look;
  std::strcpy(look.name, "before");
  look.colours[kCaptionActive] = {1, 2, 3};
  file.back() ^= 1;
  EXPECT_EQ(Parse(file, &look), kBadChecksum);
  EXPECT_STREQ(look.name, "before");
  EXPECT_EQ(look.colours[kCaptionActive], (Rgb{1, 2, 3}));
}

}  // namespace
}  // namespace skin
