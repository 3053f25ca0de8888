// The texts of the details window, made from the last lookup and the serial.
#pragma once

#include <optional>

#include "lookup/lookup.h"

// One member per label of the details window; nullopt leaves that label as designed (blank).
struct DetailLabelTexts {
  std::optional<Text> 序列号;
  std::optional<Text> 设名;
  std::optional<Text> 名称;
  std::optional<Text> 容量;
  std::optional<Text> 颜色;
  std::optional<Text> 激活状态;
  std::optional<Text> 硬件保修;
  std::optional<Text> 电话支持;
  std::optional<Text> 生产地;
  std::optional<Text> 生产日期;
  std::optional<Text> picture_address;  // nullopt: `iphone` keeps its design picture
};

DetailLabelTexts DetailTexts(const LookupResult& result, std::string_view serial);
