// The program's windows as the driver finds them: by exact title, and their controls by control ID
// (each control's 1-based row in its window's table, in stacking order).
#pragma once

#include <string>

#include "build_config.h"

namespace e2e {

inline const std::string kMakerUrl = build_config::kMakerUrl;
inline const std::string kMainTitle = "Morvane - Tovik - " + kMakerUrl;
inline const std::string kErrorTitle = "查询错误！ " + kMakerUrl;
inline const std::string kDetailsTitle = "设备详情 - Tovik " + kMakerUrl;

namespace main_window {
constexpr int 透明标签2 = 1, 透明标签3 = 2, 透明标签1 = 3, 序列号 = 4, 图片框1 = 5, 超级链接框1 = 6;
}
namespace error_window {
constexpr int 按钮1 = 1, 透明标签1 = 2;
}
namespace details_window {
constexpr int iphone = 1, 按钮1 = 2, 生产日期1 = 3, 生产日期 = 4, 生产地 = 5, 硬件保修 = 6,
              电话支持 = 7, 激活状态 = 8, 颜色 = 9, 容量 = 10, 名称 = 11, 序列号 = 12, 设名 = 13,
              图片框1 = 14;
}

}  // namespace e2e
