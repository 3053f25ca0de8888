// MainWindow: the banner with the serial box and the query area, and one line under it with the
// maker's link, the slogan and the hint where the serial is found. The program's start window.
#pragma once

#include <string_view>

#include "app/toolkit/design.h"
#include "build_config.h"
#include "ui/literal.h"
#include "ui/pictures.h"

namespace ui {

// RunQuery: the lookup of the serial in the box, then the error or the details window, modal.
void RunQuery();
// False when the service answered resultcode "-1"; LookupResult filled as the reply says.
bool SerialLookup(std::string_view serial);

namespace main_window {

void OnSerialKeyPressed(int key_code, int modifiers);  // Enter, whatever the modifiers: RunQuery
void OnQueryAreaPressed(int x, int y, int modifiers);  // RunQuery, as the button goes down

inline constexpr auto kTitle = Concat("Morvane - Tovik - ", build_config::kMakerUrl);
inline constexpr auto kLink = Concat("http://", build_config::kMakerUrl);

// A sample serial, so that a first query needs no typing.
inline constexpr char kSampleSerial[] = "F2LJK0XXDTTN";

inline constexpr toolkit::FontDesign kSerialFont{.face = "微软雅黑",
                                                 .height = -19,
                                                 .width = 0,
                                                 .escapement = 0,
                                                 .orientation = 0,
                                                 .weight = 700,
                                                 .italic = false,
                                                 .underline = false,
                                                 .strike_out = false,
                                                 .charset = 134,
                                                 .out_precision = 3,
                                                 .clip_precision = 2,
                                                 .quality = 1,
                                                 .pitch_and_family = 0x22};

using enum toolkit::ControlKind;

// Stacking order, top to bottom. The last row, the maker's link, lies on the line under the banner
// left of 透明标签2; it comes last so that the rows above keep their places in the design.
inline constexpr toolkit::ControlDesign kControls[] = {
    {.kind = kTransparentLabel,
     .name = "透明标签2",
     .place = {176, 64},
     .size = {120, 16},
     .caption = "正版/稳定/声誉/保障",
     .text_colour = toolkit::Rgb(0, 0, 255)},
    {.kind = kTransparentLabel,
     .name = "透明标签3",
     .place = {320, 64},
     .size = {296, 16},
     .caption = "请在上面输入您的序列号 [设置 > 通用 > 关于本机]",
     .text_colour = toolkit::Rgb(255, 0, 0)},
    {.kind = kTransparentLabel,
     .name = "透明标签1",
     .parent = "图片框1",
     .place = {509, 3},
     .size = {89, 40},
     .caption = "",
     .on_left_button_pressed = OnQueryAreaPressed},
    {.kind = kEditBox,
     .name = "序列号",
     .place = {20, 17},
     .size = {492, 29},
     .caption = kSampleSerial,
     .text_colour = toolkit::Rgb(255, 0, 0),
     .background = toolkit::kWhite,
     .font = &kSerialFont,
     .tab_stop = true,
     .on_key_pressed = OnSerialKeyPressed},
    {.kind = kPictureBox,
     .name = "图片框1",
     .place = {8, 8},
     .size = {608, 48},
     .background = toolkit::kButtonFace,
     .picture = &kBannerPicture,
     .fit = toolkit::PictureFit::kNaturalFromTopLeft},
    {.kind = kHyperlinkLabel,
     .name = "超级链接框1",
     .place = {8, 64},
     .size = {160, 16},
     .caption = build_config::kMakerUrl,
     .text_colour = toolkit::Rgb(0, 0, 255),
     .align = toolkit::Align::kCentre,
     .link = kLink.text},
};
static_assert(toolkit::DesignIsSound(kControls));

inline constexpr int 透明标签2 = toolkit::ControlId(kControls, "透明标签2");
inline constexpr int 透明标签3 = toolkit::ControlId(kControls, "透明标签3");
inline constexpr int 透明标签1 = toolkit::ControlId(kControls, "透明标签1");
inline constexpr int 序列号 = toolkit::ControlId(kControls, "序列号");
inline constexpr int 图片框1 = toolkit::ControlId(kControls, "图片框1");
inline constexpr int 超级链接框1 = toolkit::ControlId(kControls, "超级链接框1");

}  // namespace main_window

inline constexpr toolkit::WindowDesign MainWindow{
    .name = "MainWindow",
    .title = main_window::kTitle.text,
    .outer_size = {631, 116},
    .title_bar = toolkit::TitleBar::kCloseBoxAndSystemMenu,
    .background = toolkit::kButtonFace,
    .background_picture = nullptr,
    .esc_closes = true,
    .controls = main_window::kControls,
    .on_created = nullptr,
};

}  // namespace ui
