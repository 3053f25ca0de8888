// The three designs against the windows' stated layout, and the error message byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "build_config.h"
#include "ui/details_window.h"
#include "ui/error_window.h"
#include "ui/main_window.h"

namespace ui {
namespace {

using toolkit::ControlKind;

struct Row {
  std::string_view name;
  ControlKind kind;
  const char* parent;
  int x, y, width, height;
};

void ExpectRows(const toolkit::WindowDesign& window, const std::vector<Row>& rows) {
  ASSERT_EQ(window.controls.size(), rows.size()) << window.name;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const toolkit::ControlDesign& control = window.controls[i];
    const Row& row = rows[i];
    SCOPED_TRACE(std::string(window.name) + " row " + std::to_string(i + 1));
    EXPECT_EQ(control.name, row.name);
    EXPECT_EQ(control.kind, row.kind);
    EXPECT_EQ(std::string_view(control.parent ? control.parent : "-"),
              row.parent ? row.parent : "-");
    EXPECT_EQ(control.place.x, row.x);
    EXPECT_EQ(control.place.y, row.y);
    EXPECT_EQ(control.size.width, row.width);
    EXPECT_EQ(control.size.height, row.height);
  }
}

TEST(Designs, MainWindowHasTheBannerLineAndTheLinkLast) {
  EXPECT_EQ(std::string(MainWindow.title),
            std::string("Morvane - Tovik - ") + build_config::kMakerUrl);
  EXPECT_EQ(MainWindow.outer_size.width, 631);
  EXPECT_EQ(MainWindow.outer_size.height, 116);
  EXPECT_EQ(MainWindow.title_bar, toolkit::TitleBar::kCloseBoxAndSystemMenu);
  EXPECT_TRUE(MainWindow.esc_closes);
  ExpectRows(MainWindow,
             {
                 {"透明标签2", ControlKind::kTransparentLabel, nullptr, 176, 64, 120, 16},
                 {"透明标签3", ControlKind::kTransparentLabel, nullptr, 320, 64, 296, 16},
                 {"透明标签1", ControlKind::kTransparentLabel, "图片框1", 509, 3, 89, 40},
                 {"序列号", ControlKind::kEditBox, nullptr, 20, 17, 492, 29},
                 {"图片框1", ControlKind::kPictureBox, nullptr, 8, 8, 608, 48},
                 {"超级链接框1", ControlKind::kHyperlinkLabel, nullptr, 8, 64, 160, 16},
             });
  // The query area lies at 517, 11 in the window, the link left of the slogan on its line.
  const auto& controls = main_window::kControls;
  EXPECT_EQ(controls[4].place.x + controls[2].place.x, 517);
  EXPECT_EQ(controls[4].place.y + controls[2].place.y, 11);
  EXPECT_LT(controls[5].place.x + controls[5].size.width, controls[0].place.x);
  EXPECT_EQ(std::string(controls[5].caption), build_config::kMakerUrl);

  const toolkit::ControlDesign& serial = controls[main_window::序列号 - 1];
  EXPECT_TRUE(serial.tab_stop);
  EXPECT_EQ(serial.text_colour, toolkit::Rgb(255, 0, 0));
  EXPECT_EQ(serial.background, toolkit::Rgb(255, 255, 255));
  EXPECT_EQ(std::string(serial.caption).size(), 12u);
  ASSERT_NE(serial.font, nullptr);
  EXPECT_EQ(serial.font->height, -19);
  EXPECT_EQ(serial.font->weight, 700);
  EXPECT_EQ(serial.font->charset, 134);
  EXPECT_EQ(serial.font->pitch_and_family, 0x22);
}

TEST(Designs, ErrorWindowHasItsButtonAboveTheMessage) {
  EXPECT_EQ(std::string(ErrorWindow.title), std::string("查询错误！ ") + build_config::kMakerUrl);
  EXPECT_EQ(ErrorWindow.outer_size.width, 333);
  EXPECT_EQ(ErrorWindow.outer_size.height, 181);
  EXPECT_EQ(ErrorWindow.title_bar, toolkit::TitleBar::kCloseBoxAndSystemMenu);
  EXPECT_TRUE(ErrorWindow.esc_closes);
  ExpectRows(ErrorWindow,
             {
                 {"按钮1", ControlKind::kButton, nullptr, 80, 117, 160, 32},
                 {"透明标签1", ControlKind::kTransparentLabel, nullptr, 23, 16, 280, 100},
             });
  const toolkit::FontDesign& font = *error_window::kControls[1].font;
  EXPECT_EQ(font.face, nullptr);
  EXPECT_EQ(font.height, -14);
  EXPECT_EQ(font.weight, 700);
  EXPECT_EQ(font.charset, 134);
}

TEST(Designs, ErrorMessageIsSixLinesJoinedByCrLf) {
  // GBK: 请输入正确的序列号 / 查询方式：设置 --> 通用 --> 关于本机 / 更多请查阅：, full-width
  // colons A3 BA.
  const std::string expected =
      "\r\n"
      "\xC7\xEB\xCA\xE4\xC8\xEB\xD5\xFD\xC8\xB7\xB5\xC4\xD0\xF2\xC1\xD0\xBA\xC5\r\n"
      "\r\n"
      "\xB2\xE9\xD1\xAF\xB7\xBD\xCA\xBD\xA3\xBA\xC9\xE8\xD6\xC3 --> \xCD\xA8\xD3\xC3 --> "
      "\xB9\xD8\xD3\xDA\xB1\xBE\xBB\xFA\r\n"
      "\r\n"
      "\xB8\xFC\xB6\xE0\xC7\xEB\xB2\xE9\xD4\xC4\xA3\xBA" +
      std::string(build_config::kMakerUrl);
  EXPECT_EQ(std::string(error_window::kMessage.view()), expected);
  EXPECT_EQ(std::string(error_window::kControls[1].caption), expected);
}

TEST(Designs, DetailsWindowLiesOnItsPanel) {
  EXPECT_EQ(std::string(DetailsWindow.title),
            std::string("设备详情 - Tovik ") + build_config::kMakerUrl);
  EXPECT_EQ(DetailsWindow.outer_size.width, 637);
  EXPECT_EQ(DetailsWindow.outer_size.height, 493);
  EXPECT_EQ(DetailsWindow.title_bar, toolkit::TitleBar::kTitleOnly);
  EXPECT_EQ(DetailsWindow.background, toolkit::Rgb(255, 255, 255));
  EXPECT_TRUE(DetailsWindow.esc_closes);
  EXPECT_NE(DetailsWindow.on_created, nullptr);
  const char* panel = "图片框1";
  ExpectRows(DetailsWindow,
             {
                 {"iphone", ControlKind::kPictureBox, panel, 31, 93, 175, 251},
                 {"按钮1", ControlKind::kButton, panel, 322, 418, 240, 40},
                 {"生产日期1", ControlKind::kTransparentLabel, panel, 280, 383, 320, 24},
                 {"生产日期", ControlKind::kTransparentLabel, panel, 272, 352, 320, 32},
                 {"生产地", ControlKind::kTransparentLabel, panel, 272, 320, 296, 32},
                 {"硬件保修", ControlKind::kTransparentLabel, panel, 272, 288, 296, 32},
                 {"电话支持", ControlKind::kTransparentLabel, panel, 272, 256, 296, 32},
                 {"激活状态", ControlKind::kTransparentLabel, panel, 272, 224, 296, 32},
                 {"颜色", ControlKind::kTransparentLabel, panel, 272, 192, 296, 32},
                 {"容量", ControlKind::kTransparentLabel, panel, 272, 160, 296, 32},
                 {"名称", ControlKind::kTransparentLabel, panel, 272, 128, 296, 32},
                 {"序列号", ControlKind::kTransparentLabel, panel, 272, 93, 296, 32},
                 {"设名", ControlKind::kTransparentLabel, panel, 272, 40, 288, 40},
                 {"图片框1", ControlKind::kPictureBox, nullptr, -4, -2, 640, 470},
             });
  const auto& controls = details_window::kControls;
  EXPECT_EQ(controls[0].fit, toolkit::PictureFit::kNaturalFromTopLeft);
  EXPECT_EQ(controls[13].fit, toolkit::PictureFit::kCentredScaledDown);
  // Fonts by row: heading, small disclaimer, row font for the ten rows.
  EXPECT_EQ(controls[details_window::设名 - 1].font->height, -24);
  EXPECT_EQ(controls[details_window::设名 - 1].font->weight, 700);
  EXPECT_EQ(controls[details_window::设名 - 1].text_colour, toolkit::Rgb(255, 255, 255));
  EXPECT_EQ(controls[details_window::生产日期1 - 1].font->height, -14);
  for (int id = details_window::生产日期; id <= details_window::序列号; ++id) {
    EXPECT_EQ(controls[id - 1].font->height, -16) << controls[id - 1].name;
    EXPECT_EQ(controls[id - 1].font->weight, 400) << controls[id - 1].name;
    EXPECT_EQ(std::string(controls[id - 1].caption), "") << controls[id - 1].name;
  }
}

TEST(Designs, PicturesAreTheCarriedFiles) {
  EXPECT_EQ(kBannerPicture.size, 83038u);
  EXPECT_EQ(kPanelPicture.size, 927342u);
  EXPECT_EQ(kModelPhoto.size, 11114u);
  // The background is a copy of its own, byte for byte the photo.
  ASSERT_EQ(kDetailsBackground.size, kModelPhoto.size);
  EXPECT_NE(kDetailsBackground.bytes, kModelPhoto.bytes);
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(kDetailsBackground.bytes),
                             kDetailsBackground.size),
            std::string_view(reinterpret_cast<const char*>(kModelPhoto.bytes), kModelPhoto.size));
}

}  // namespace
}  // namespace ui
