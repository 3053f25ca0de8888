#include "lookup/detail_texts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "build_config.h"
#include "text/test_bytes.h"

namespace {

using Member = std::optional<Text> DetailLabelTexts::*;

constexpr char kBlack[] = "\\u9ed1\\u8272";
constexpr char kWhite[] = "\\u767d\\u8272";
constexpr char kActivated[] = "\\u5df2\\u6fc0\\u6d3b";
constexpr char kExpired[] = "\\u5df2\\u8fc7\\u671f";
constexpr char kNotExpired[] = "\\u672a\\u8fc7\\u671f";

std::string PictureAt(const char* file) {
  return std::string("http://") + build_config::kLookupHost + "/xuliehao/devimages/" + file;
}

// A result as a good lookup leaves it.
const LookupResult kFull = {
    .response = "{}",
    .resultcode = "0",
    .phone_model = "iPhone 5",
    .size = "16GB",
    .color = kWhite,
    .active = kActivated,
    .warranty_status = kNotExpired,
    .warranty = "90",
    .tele_support_status = kExpired,
    .start_date = "2012-09-01",
    .end_date = "2012-10-01",
    .image = "iphone 5_white",
};

struct DetailCase {
  const char* name;
  LookupResult result;
  const char* serial;
  Member member;
  std::optional<Text> want;  // nullopt: the label is left blank
};

const std::optional<Text> kBlank = std::nullopt;

TEST(DetailTexts, EveryRule) {
  const LookupResult empty;
  const DetailCase cases[] = {
      // every field empty: a lookup that did not reach the service
      {"empty: serial", empty, "C39", &DetailLabelTexts::序列号, Text("序列号：C39")},
      {"empty: heading", empty, "C39", &DetailLabelTexts::设名, Text("设备名称：")},
      {"empty: name", empty, "C39", &DetailLabelTexts::名称, Text("设备名称：")},
      {"empty: capacity", empty, "C39", &DetailLabelTexts::容量, Text("设备容量：")},
      {"empty: colour", empty, "C39", &DetailLabelTexts::颜色, Text("外观颜色：未知")},
      {"empty: activation", empty, "C39", &DetailLabelTexts::激活状态, Text("激活状态：未知")},
      {"empty: warranty", empty, "C39", &DetailLabelTexts::硬件保修, kBlank},
      {"empty: phone support", empty, "C39", &DetailLabelTexts::电话支持, Text("电话支持：未过期")},
      {"empty: place", empty, "C39", &DetailLabelTexts::生产地, Text("设备产地：中国")},
      {"empty: period", empty, "C39", &DetailLabelTexts::生产日期, Text("生产日期： - ")},
      {"empty: picture", empty, "C39", &DetailLabelTexts::picture_address, kBlank},
      {"empty serial", empty, "", &DetailLabelTexts::序列号, Text("序列号：")},

      // a good lookup
      {"serial as typed", kFull, " c39 x", &DetailLabelTexts::序列号, Text("序列号： c39 x")},
      {"heading", kFull, "", &DetailLabelTexts::设名, Text("设备名称：iPhone 5")},
      {"name", kFull, "", &DetailLabelTexts::名称, Text("设备名称：iPhone 5")},
      {"capacity", kFull, "", &DetailLabelTexts::容量, Text("设备容量：16GB")},
      {"white", kFull, "", &DetailLabelTexts::颜色, Text("外观颜色：白色")},
      {"activated", kFull, "", &DetailLabelTexts::激活状态, Text("激活状态：已激活")},
      {"not expired with term", kFull, "", &DetailLabelTexts::硬件保修,
       Text("硬件保修：未过期（90）")},
      {"support expired", kFull, "", &DetailLabelTexts::电话支持, Text("电话支持：已过期")},
      {"place whatever the reply", kFull, "", &DetailLabelTexts::生产地, Text("设备产地：中国")},
      {"period", kFull, "", &DetailLabelTexts::生产日期, Text("生产日期：2012-09-01 - 2012-10-01")},
      {"picture", kFull, "", &DetailLabelTexts::picture_address,
       Text(PictureAt("iphone%205_white.jpg"))},

      // the colour
      {"black", {.color = kBlack}, "", &DetailLabelTexts::颜色, Text("外观颜色：黑色")},
      {"black in upper-case hex", {.color = "\\u9ED1\\u8272"}, "", &DetailLabelTexts::颜色, kBlank},
      {"another colour", {.color = "\\u7ea2\\u8272"}, "", &DetailLabelTexts::颜色, kBlank},
      {"the word itself", {.color = "黑色"}, "", &DetailLabelTexts::颜色, kBlank},
      {"white with a trailing blank",
       {.color = "\\u767d\\u8272 "},
       "",
       &DetailLabelTexts::颜色,
       kBlank},
      {"colour present but empty",
       {.color = ""},
       "",
       &DetailLabelTexts::颜色,
       Text("外观颜色：未知")},

      // activation
      {"not activated",
       {.active = "\\u672a\\u6fc0\\u6d3b"},
       "",
       &DetailLabelTexts::激活状态,
       Text("激活状态：未知")},
      {"activated in upper-case hex",
       {.active = "\\u5DF2\\u6FC0\\u6D3B"},
       "",
       &DetailLabelTexts::激活状态,
       Text("激活状态：未知")},

      // hardware warranty
      {"expired",
       {.warranty_status = kExpired, .warranty = "90"},
       "",
       &DetailLabelTexts::硬件保修,
       Text("硬件保修：已过期")},
      {"not expired, empty term",
       {.warranty_status = kNotExpired},
       "",
       &DetailLabelTexts::硬件保修,
       Text("硬件保修：未过期（）")},
      {"term shown raw",
       {.warranty_status = kNotExpired, .warranty = "\\u5929"},
       "",
       &DetailLabelTexts::硬件保修,
       Text("硬件保修：未过期（\\u5929）")},
      {"other warranty state",
       {.warranty_status = kActivated},
       "",
       &DetailLabelTexts::硬件保修,
       kBlank},

      // phone support
      {"support not expired word",
       {.tele_support_status = kNotExpired},
       "",
       &DetailLabelTexts::电话支持,
       Text("电话支持：未过期")},
      {"support anything else",
       {.tele_support_status = "x"},
       "",
       &DetailLabelTexts::电话支持,
       Text("电话支持：未过期")},

      // raw values
      {"escapes in the model shown as they came",
       {.phone_model = "\\u82f9\\u679c"},
       "",
       &DetailLabelTexts::名称,
       Text("设备名称：\\u82f9\\u679c")},
      {"one date only", {.end_date = "e"}, "", &DetailLabelTexts::生产日期, Text("生产日期： - e")},

      // the six pictures, and keys outside the table
      {"iphone 5_black",
       {.image = "iphone 5_black"},
       "",
       &DetailLabelTexts::picture_address,
       Text(PictureAt("iphone%205_black.jpg"))},
      {"iphone 4s_black",
       {.image = "iphone 4s_black"},
       "",
       &DetailLabelTexts::picture_address,
       Text(PictureAt("iphone%204s_black.jpg"))},
      {"iphone 4s_white",
       {.image = "iphone 4s_white"},
       "",
       &DetailLabelTexts::picture_address,
       Text(PictureAt("iphone%204s_white.jpg"))},
      {"iphone 4_black",
       {.image = "iphone 4_black"},
       "",
       &DetailLabelTexts::picture_address,
       Text(PictureAt("iphone%204_black.jpg"))},
      {"iphone 4_white",
       {.image = "iphone 4_white"},
       "",
       &DetailLabelTexts::picture_address,
       Text(PictureAt("iphone%204_white.jpg"))},
      {"capital P", {.image = "iPhone 4s_white"}, "", &DetailLabelTexts::picture_address, kBlank},
      {"trailing blank",
       {.image = "iphone 4s_white "},
       "",
       &DetailLabelTexts::picture_address,
       kBlank},
      {"a model outside the table",
       {.image = "iphone 6_black"},
       "",
       &DetailLabelTexts::picture_address,
       kBlank},
      {"the file name as key",
       {.image = "iphone%205_black"},
       "",
       &DetailLabelTexts::picture_address,
       kBlank},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetailTexts(c.result, c.serial).*c.member, c.want) << c.name;
  }
}

TEST(DetailTexts, FullWidthPunctuationIsGbk) {
  const DetailLabelTexts texts = DetailTexts({.warranty_status = kNotExpired}, "");
  ASSERT_TRUE(texts.硬件保修.has_value());
  // 硬件保修 (8 bytes), full-width colon, 未过期 (6 bytes), full-width brackets
  EXPECT_EQ(texts.硬件保修->view().substr(8),
            Bytes({0xA3, 0xBA, 0xCE, 0xB4, 0xB9, 0xFD, 0xC6, 0xDA, 0xA3, 0xA8, 0xA3, 0xA9}));
  ASSERT_TRUE(texts.生产日期.has_value());
  EXPECT_EQ(texts.生产日期->view().substr(8), Bytes({0xA3, 0xBA, ' ', '-', ' '}));
}

TEST(DetailTexts, DefaultPictureHostIsThisMachine) {
  if (std::string_view(build_config::kLookupHost) != "127.0.0.1:8600") GTEST_SKIP();
  EXPECT_EQ(DetailTexts({.image = "iphone 4s_white"}, "").picture_address,
            Text("http://127.0.0.1:8600/xuliehao/devimages/iphone%204s_white.jpg"));
}

}  // namespace
