// ErrorWindow: the service did not accept the serial. Asks for a correct one and says where it is
// found on the phone; its one button closes it.
#pragma once

#include "app/toolkit/design.h"
#include "build_config.h"
#include "ui/literal.h"

namespace ui {

namespace error_window {

void OnOkClicked();  // CloseWindow(ErrorWindow)

inline constexpr auto kTitle = Concat("查询错误！ ", build_config::kMakerUrl);

// Six lines joined by CR LF: empty, the request, empty, where to look, empty, the maker's address.
inline constexpr auto kMessage = Concat(
    "\r\n"
    "请输入正确的序列号\r\n"
    "\r\n"
    "查询方式：设置 --> 通用 --> 关于本机\r\n"
    "\r\n"
    "更多请查阅：",
    build_config::kMakerUrl);

// No face: the system picks one for the character set.
inline constexpr toolkit::FontDesign kMessageFont{.face = nullptr,
                                                  .height = -14,
                                                  .width = 0,
                                                  .escapement = 0,
                                                  .orientation = 0,
                                                  .weight = 700,
                                                  .italic = false,
                                                  .underline = false,
                                                  .strike_out = false,
                                                  .charset = 134,
                                                  .out_precision = 0,
                                                  .clip_precision = 0,
                                                  .quality = 0,
                                                  .pitch_and_family = 0};

using enum toolkit::ControlKind;

inline constexpr toolkit::ControlDesign kControls[] = {
    {.kind = kButton,
     .name = "按钮1",
     .place = {80, 117},
     .size = {160, 32},
     .caption = "确定",
     .tab_stop = true,
     .on_clicked = OnOkClicked},
    {.kind = kTransparentLabel,
     .name = "透明标签1",
     .place = {23, 16},
     .size = {280, 100},
     .caption = kMessage.text,
     .text_colour = toolkit::Rgb(255, 0, 0),
     .font = &kMessageFont,
     .align = toolkit::Align::kLeft,
     .lines = toolkit::Lines::kWrappedFromTop},
};
static_assert(toolkit::DesignIsSound(kControls));

inline constexpr int 按钮1 = toolkit::ControlId(kControls, "按钮1");
inline constexpr int 透明标签1 = toolkit::ControlId(kControls, "透明标签1");

}  // namespace error_window

inline constexpr toolkit::WindowDesign ErrorWindow{
    .name = "ErrorWindow",
    .title = error_window::kTitle.text,
    .outer_size = {333, 181},
    .title_bar = toolkit::TitleBar::kCloseBoxAndSystemMenu,
    .background = toolkit::kButtonFace,
    .background_picture = nullptr,
    .esc_closes = true,
    .controls = error_window::kControls,
    .on_created = nullptr,
};

}  // namespace ui
