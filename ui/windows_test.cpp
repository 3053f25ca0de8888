// The windows built for real: the details window filled from LookupResult and the main window's
// serial, the error window's message, and how each closes. No lookup service is needed: the record
// is filled here and holds no picture key, so nothing is fetched.
#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include <map>
#include <string>

#include "app/toolkit/event_loop.h"
#include "app/toolkit/toolkit.h"
#include "lookup/detail_texts.h"
#include "lookup/lookup.h"
#include "ui/details_window.h"
#include "ui/error_window.h"
#include "ui/main_window.h"

namespace ui {
namespace {

std::string WindowText(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// What a timer saw while the modal window was open.
struct Seen {
  bool ran = false;
  bool main_enabled = true;
  std::map<int, std::string> labels;
} seen;

class WindowsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ASSERT_TRUE(toolkit::PrepareToolkit(GetModuleHandleA(nullptr), "DEFAULT_ICON"));
  }
  static void TearDownTestSuite() { OleUninitialize(); }
  void SetUp() override {
    seen = Seen{};
    TheLookupResult() = LookupResult{};
    ASSERT_TRUE(toolkit::OpenWindow(MainWindow, false));
  }
  void TearDown() override {
    if (HWND main = toolkit::WindowHandle(MainWindow)) DestroyWindow(main);
  }
};

void CALLBACK ReadDetailsThenPressEsc(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  seen.ran = true;
  seen.main_enabled = IsWindowEnabled(toolkit::WindowHandle(MainWindow));
  for (int id = 1; id <= static_cast<int>(std::size(details_window::kControls)); ++id) {
    seen.labels[id] = WindowText(toolkit::ControlHandle(DetailsWindow, id));
  }
  // Esc through the event loop, as a key press arrives: to the control with the focus.
  PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
}

TEST_F(WindowsTest, DetailsWindowShowsTheDetailTextsOfTheLookupAndTheSerial) {
  LookupResult& result = TheLookupResult();
  result.resultcode = Text("200");
  result.phone_model = Text("iPhone 5");
  result.size = Text("16GB");
  result.color = Text("\\u9ed1\\u8272");
  result.active = Text("\\u5df2\\u6fc0\\u6d3b");
  result.warranty_status = Text("\\u672a\\u8fc7\\u671f");
  result.warranty = Text("298 days");
  result.tele_support_status = Text("\\u5df2\\u8fc7\\u671f");
  result.start_date = Text("2012-09-17");
  result.end_date = Text("2012-09-23");
  toolkit::SetText(MainWindow, main_window::序列号, Text("F2LJK0XXDTTN"));

  SetTimer(nullptr, 0, 10, ReadDetailsThenPressEsc);
  ASSERT_TRUE(toolkit::OpenWindow(DetailsWindow, true));
  ASSERT_TRUE(seen.ran);
  EXPECT_FALSE(seen.main_enabled);
  EXPECT_FALSE(toolkit::IsOpen(DetailsWindow));  // Esc closed it
  EXPECT_TRUE(IsWindowEnabled(toolkit::WindowHandle(MainWindow)));
  EXPECT_EQ(toolkit::GetText(MainWindow, main_window::序列号), Text("F2LJK0XXDTTN"));

  const DetailLabelTexts texts = DetailTexts(result, "F2LJK0XXDTTN");
  namespace d = details_window;
  const std::pair<int, const std::optional<Text>*> rows[] = {
      {d::序列号, &texts.序列号},     {d::设名, &texts.设名},
      {d::名称, &texts.名称},         {d::容量, &texts.容量},
      {d::颜色, &texts.颜色},         {d::激活状态, &texts.激活状态},
      {d::硬件保修, &texts.硬件保修}, {d::电话支持, &texts.电话支持},
      {d::生产地, &texts.生产地},     {d::生产日期, &texts.生产日期},
  };
  for (const auto& [id, text] : rows) {
    ASSERT_TRUE(text->has_value()) << id;
    EXPECT_EQ(seen.labels[id], std::string((*text)->view())) << d::kControls[id - 1].name;
  }
  EXPECT_EQ(seen.labels[d::生产日期1], "本信息仅供参考，详细以官方参数为主");
  EXPECT_EQ(seen.labels[d::按钮1], "确定");
}

TEST_F(WindowsTest, RowsTheRulesLeaveOutStayBlank) {
  // An unreachable service: every value empty. 硬件保修 gets nothing and keeps its empty caption.
  SetTimer(nullptr, 0, 10, ReadDetailsThenPressEsc);
  ASSERT_TRUE(toolkit::OpenWindow(DetailsWindow, true));
  ASSERT_TRUE(seen.ran);
  EXPECT_EQ(seen.labels[details_window::硬件保修], "");
  EXPECT_EQ(seen.labels[details_window::颜色], "外观颜色：未知");
  EXPECT_EQ(seen.labels[details_window::生产日期], "生产日期： - ");
}

void CALLBACK ReadErrorThenClickOk(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  seen.ran = true;
  seen.main_enabled = IsWindowEnabled(toolkit::WindowHandle(MainWindow));
  seen.labels[error_window::透明标签1] =
      WindowText(toolkit::ControlHandle(ErrorWindow, error_window::透明标签1));
  seen.labels[0] = WindowText(toolkit::WindowHandle(ErrorWindow));
  SendMessageA(toolkit::ControlHandle(ErrorWindow, error_window::按钮1), BM_CLICK, 0, 0);
}

TEST_F(WindowsTest, ErrorWindowShowsItsMessageAndItsButtonClosesIt) {
  SetTimer(nullptr, 0, 10, ReadErrorThenClickOk);
  ASSERT_TRUE(toolkit::OpenWindow(ErrorWindow, true));
  ASSERT_TRUE(seen.ran);
  EXPECT_FALSE(seen.main_enabled);
  EXPECT_EQ(seen.labels[0], std::string(error_window::kTitle.view()));
  EXPECT_EQ(seen.labels[error_window::透明标签1], std::string(error_window::kMessage.view()));
  EXPECT_FALSE(toolkit::IsOpen(ErrorWindow));
  EXPECT_TRUE(IsWindowEnabled(toolkit::WindowHandle(MainWindow)));
}

TEST_F(WindowsTest, MainWindowIsBuiltAsDesigned) {
  HWND main = toolkit::WindowHandle(MainWindow);
  EXPECT_EQ(WindowText(main), std::string(main_window::kTitle.view()));
  RECT outer;
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.right - outer.left, 631);
  EXPECT_EQ(outer.bottom - outer.top, 116);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 631) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 116) / 2);
  EXPECT_EQ(WindowText(toolkit::ControlHandle(MainWindow, main_window::超级链接框1)),
            build_config::kMakerUrl);
  EXPECT_EQ(GetParent(toolkit::ControlHandle(MainWindow, main_window::透明标签1)),
            toolkit::ControlHandle(MainWindow, main_window::图片框1));
  EXPECT_EQ(GetFocus(), toolkit::ControlHandle(MainWindow, main_window::序列号));
}

}  // namespace
}  // namespace ui
