#include "lookup/detail_texts.h"

#include "build_config.h"

namespace {

// The service's Chinese words as they arrive: raw JSON \u escapes, lower-case hexadecimal digits.
constexpr char kBlack[] = "\\u9ed1\\u8272";              // 黑色
constexpr char kWhite[] = "\\u767d\\u8272";              // 白色
constexpr char kActivated[] = "\\u5df2\\u6fc0\\u6d3b";   // 已激活
constexpr char kExpired[] = "\\u5df2\\u8fc7\\u671f";     // 已过期
constexpr char kNotExpired[] = "\\u672a\\u8fc7\\u671f";  // 未过期

struct ModelPicture {
  const char* image_key;
  const char* file_name;
};

// Fixed: a key outside this table gets no picture, even when the service holds a file of that form.
constexpr ModelPicture kModelPictures[] = {
    {"iphone 5_black", "iphone%205_black.jpg"},   {"iphone 5_white", "iphone%205_white.jpg"},
    {"iphone 4s_black", "iphone%204s_black.jpg"}, {"iphone 4s_white", "iphone%204s_white.jpg"},
    {"iphone 4_black", "iphone%204_black.jpg"},   {"iphone 4_white", "iphone%204_white.jpg"},
};

constexpr char kPicturePath[] = "/xuliehao/devimages/";

bool Is(std::string_view field, std::string_view word) { return TextCompare(field, word) == 0; }

std::optional<Text> ColourText(std::string_view color) {
  if (Is(color, kBlack)) return Text("外观颜色：黑色");
  if (Is(color, kWhite)) return Text("外观颜色：白色");
  if (Is(color, "")) return Text("外观颜色：未知");
  return std::nullopt;
}

std::optional<Text> WarrantyText(const LookupResult& r) {
  if (Is(r.warranty_status, kExpired)) return Text("硬件保修：已过期");
  if (Is(r.warranty_status, kNotExpired)) return TextConcat("硬件保修：未过期（", r.warranty, "）");
  return std::nullopt;
}

std::optional<Text> PictureAddress(std::string_view image) {
  for (const ModelPicture& picture : kModelPictures) {
    if (Is(image, picture.image_key)) {
      return TextConcat("http://", build_config::kLookupHost, kPicturePath, picture.file_name);
    }
  }
  return std::nullopt;
}

}  // namespace

DetailLabelTexts DetailTexts(const LookupResult& result, std::string_view serial) {
  DetailLabelTexts texts;
  texts.序列号 = TextConcat("序列号：", serial);
  texts.设名 = TextConcat("设备名称：", result.phone_model);
  texts.名称 = texts.设名;
  texts.容量 = TextConcat("设备容量：", result.size);
  texts.颜色 = ColourText(result.color);
  texts.激活状态 =
      Is(result.active, kActivated) ? Text("激活状态：已激活") : Text("激活状态：未知");
  texts.硬件保修 = WarrantyText(result);
  texts.电话支持 = Is(result.tele_support_status, kExpired) ? Text("电话支持：已过期")
                                                            : Text("电话支持：未过期");
  texts.生产地 = Text("设备产地：中国");  // whatever the reply holds
  texts.生产日期 = TextConcat("生产日期：", result.start_date, " - ", result.end_date);
  texts.picture_address = PictureAddress(result.image);
  return texts;
}
