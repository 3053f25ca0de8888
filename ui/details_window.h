// DetailsWindow: what a lookup found, on the panel picture: the device name as a heading, one row
// each for the serial, name, capacity, colour, activation, phone support, warranty, place and
// period of production, a disclaimer and the model picture. Filled while it is created, shown after
// that.
#pragma once

#include "app/toolkit/design.h"
#include "build_config.h"
#include "ui/literal.h"
#include "ui/pictures.h"

namespace ui {

namespace details_window {

void FillDetailsWindow();  // OnCreated
void OnOkClicked();        // CloseWindow(DetailsWindow)

inline constexpr auto kTitle = Concat("设备详情 - Tovik ", build_config::kMakerUrl);

constexpr toolkit::FontDesign YaHei(int height, int weight) {
  return {.face = "微软雅黑",
          .height = height,
          .width = 0,
          .escapement = 0,
          .orientation = 0,
          .weight = weight,
          .italic = false,
          .underline = false,
          .strike_out = false,
          .charset = 134,
          .out_precision = 3,
          .clip_precision = 2,
          .quality = 1,
          .pitch_and_family = 0x22};
}
inline constexpr toolkit::FontDesign kRowFont = YaHei(-16, 400);
inline constexpr toolkit::FontDesign kSmallFont = YaHei(-14, 400);
inline constexpr toolkit::FontDesign kHeadingFont = YaHei(-24, 700);

using enum toolkit::ControlKind;

constexpr toolkit::ControlDesign Row(const char* name, toolkit::Point place, toolkit::Size size) {
  return {.kind = kTransparentLabel,
          .name = name,
          .parent = "图片框1",
          .place = place,
          .size = size,
          .caption = "",
          .text_colour = toolkit::kBlack,
          .font = &kRowFont};
}

// Stacking order, top to bottom; every control but the panel lies inside the panel.
inline constexpr toolkit::ControlDesign kControls[] = {
    {.kind = kPictureBox,
     .name = "iphone",
     .parent = "图片框1",
     .place = {31, 93},
     .size = {175, 251},
     .background = toolkit::kWhite,
     .picture = &kModelPhoto,
     .fit = toolkit::PictureFit::kNaturalFromTopLeft},
    {.kind = kButton,
     .name = "按钮1",
     .parent = "图片框1",
     .place = {322, 418},
     .size = {240, 40},
     .caption = "确定",
     .tab_stop = true,
     .on_clicked = OnOkClicked},
    {.kind = kTransparentLabel,
     .name = "生产日期1",
     .parent = "图片框1",
     .place = {280, 383},
     .size = {320, 24},
     .caption = "本信息仅供参考，详细以官方参数为主",
     .text_colour = toolkit::Rgb(255, 0, 0),
     .font = &kSmallFont},
    Row("生产日期", {272, 352}, {320, 32}),
    Row("生产地", {272, 320}, {296, 32}),
    Row("硬件保修", {272, 288}, {296, 32}),
    Row("电话支持", {272, 256}, {296, 32}),
    Row("激活状态", {272, 224}, {296, 32}),
    Row("颜色", {272, 192}, {296, 32}),
    Row("容量", {272, 160}, {296, 32}),
    Row("名称", {272, 128}, {296, 32}),
    Row("序列号", {272, 93}, {296, 32}),
    {.kind = kTransparentLabel,
     .name = "设名",
     .parent = "图片框1",
     .place = {272, 40},
     .size = {288, 40},
     .caption = "",
     .text_colour = toolkit::kWhite,
     .font = &kHeadingFont},
    {.kind = kPictureBox,
     .name = "图片框1",
     .place = {-4, -2},
     .size = {640, 470},
     .background = toolkit::kButtonFace,
     .picture = &kPanelPicture,
     .fit = toolkit::PictureFit::kCentredScaledDown},
};
static_assert(toolkit::DesignIsSound(kControls));

inline constexpr int iphone = toolkit::ControlId(kControls, "iphone");
inline constexpr int 按钮1 = toolkit::ControlId(kControls, "按钮1");
inline constexpr int 生产日期1 = toolkit::ControlId(kControls, "生产日期1");
inline constexpr int 生产日期 = toolkit::ControlId(kControls, "生产日期");
inline constexpr int 生产地 = toolkit::ControlId(kControls, "生产地");
inline constexpr int 硬件保修 = toolkit::ControlId(kControls, "硬件保修");
inline constexpr int 电话支持 = toolkit::ControlId(kControls, "电话支持");
inline constexpr int 激活状态 = toolkit::ControlId(kControls, "激活状态");
inline constexpr int 颜色 = toolkit::ControlId(kControls, "颜色");
inline constexpr int 容量 = toolkit::ControlId(kControls, "容量");
inline constexpr int 名称 = toolkit::ControlId(kControls, "名称");
inline constexpr int 序列号 = toolkit::ControlId(kControls, "序列号");
inline constexpr int 设名 = toolkit::ControlId(kControls, "设名");
inline constexpr int 图片框1 = toolkit::ControlId(kControls, "图片框1");

}  // namespace details_window

inline constexpr toolkit::WindowDesign DetailsWindow{
    .name = "DetailsWindow",
    .title = details_window::kTitle.text,
    .outer_size = {637, 493},
    .title_bar = toolkit::TitleBar::kTitleOnly,
    .background = toolkit::kWhite,
    .background_picture = nullptr,
    .esc_closes = true,
    .controls = details_window::kControls,
    .on_created = details_window::FillDetailsWindow,
};

}  // namespace ui
