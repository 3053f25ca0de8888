// The program end to end: started by this driver on the same Wine desktop, driven through the input
// path (SendInput), read through its windows' titles, texts, places and pixels. run_e2e.sh starts
// the sample service first and runs the suite ServiceDown.* after stopping it.
//
//   E2E_PROGRAM      the program (a Unix path)
//   E2E_ARTIFACTS    folder for the screenshots
//   E2E_SERVICE_LOG  the service's request log
#include <gtest/gtest.h>
#include <ole2.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/program_windows.h"

namespace e2e {
namespace {

struct Place {
  const char* name;
  int id;
  int parent_id;  // 0: the window's client area
  int x, y, width, height;
};

const Place kMainPlaces[] = {
    {"透明标签2", main_window::透明标签2, 0, 176, 64, 120, 16},
    {"透明标签3", main_window::透明标签3, 0, 320, 64, 296, 16},
    {"透明标签1", main_window::透明标签1, main_window::图片框1, 509, 3, 89, 40},
    {"序列号", main_window::序列号, 0, 20, 17, 492, 29},
    {"图片框1", main_window::图片框1, 0, 8, 8, 608, 48},
};

const Place kErrorPlaces[] = {
    {"按钮1", error_window::按钮1, 0, 80, 117, 160, 32},
    {"透明标签1", error_window::透明标签1, 0, 23, 16, 280, 100},
};

constexpr int kPanel = details_window::图片框1;
const Place kDetailsPlaces[] = {
    {"iphone", details_window::iphone, kPanel, 31, 93, 175, 251},
    {"按钮1", details_window::按钮1, kPanel, 322, 418, 240, 40},
    {"生产日期1", details_window::生产日期1, kPanel, 280, 383, 320, 24},
    {"生产日期", details_window::生产日期, kPanel, 272, 352, 320, 32},
    {"生产地", details_window::生产地, kPanel, 272, 320, 296, 32},
    {"硬件保修", details_window::硬件保修, kPanel, 272, 288, 296, 32},
    {"电话支持", details_window::电话支持, kPanel, 272, 256, 296, 32},
    {"激活状态", details_window::激活状态, kPanel, 272, 224, 296, 32},
    {"颜色", details_window::颜色, kPanel, 272, 192, 296, 32},
    {"容量", details_window::容量, kPanel, 272, 160, 296, 32},
    {"名称", details_window::名称, kPanel, 272, 128, 296, 32},
    {"序列号", details_window::序列号, kPanel, 272, 93, 296, 32},
    {"设名", details_window::设名, kPanel, 272, 40, 288, 40},
    {"图片框1", details_window::图片框1, 0, -4, -2, 640, 470},
};

const std::string kErrorMessage =
    "\r\n请输入正确的序列号\r\n\r\n查询方式：设置 --> 通用 --> 关于本机\r\n\r\n更多请查阅：" +
    kMakerUrl;
constexpr char kDisclaimer[] = "本信息仅供参考，详细以官方参数为主";
constexpr char kPlaceOfProduction[] = "设备产地：中国";

// What the details window shows for each serial of the sample service, worked out by hand from the
// service's table and the rules for the detail texts. A null picture: the design photo stays.
struct Sample {
  const char* serial;
  const char* name;  // 设名 and 名称
  const char* capacity;
  const char* colour;
  const char* activation;
  const char* warranty;
  const char* phone_support;
  const char* period;
  const char* picture;  // file of the sample service's devimages/
};

const Sample kSamples[] = {
    {"F2LJK0XXDTTN", "设备名称：iPhone 5", "设备容量：16GB", "外观颜色：黑色", "激活状态：已激活",
     "硬件保修：未过期（298 days）", "电话支持：已过期", "生产日期：2012-09-17 - 2012-09-23",
     "iphone%205_black.jpg"},
    {"DNQK31A9DTWF", "设备名称：iPhone 5", "设备容量：32GB", "外观颜色：白色", "激活状态：已激活",
     "硬件保修：已过期", "电话支持：已过期", "生产日期：2012-10-08 - 2012-10-14",
     "iphone%205_white.jpg"},
    {"C8PH6T96DT9Y", "设备名称：iPhone 4S", "设备容量：64GB", "外观颜色：黑色", "激活状态：未知",
     "", "电话支持：未过期", "生产日期：2011-11-21 - 2011-11-27", "iphone%204s_black.jpg"},
    {"DX4JQ1A2DTC0", "设备名称：iPhone 4S", "设备容量：16GB", "外观颜色：白色", "激活状态：已激活",
     "硬件保修：未过期（41 days）", "电话支持：未过期", "生产日期：2012-03-05 - 2012-03-11",
     "iphone%204s_white.jpg"},
    {"88143KJRA4S0", "设备名称：iPhone 4", "设备容量：8GB", "外观颜色：黑色", "激活状态：已激活",
     "硬件保修：已过期", "电话支持：已过期", "生产日期：2010-08-02 - 2010-08-08",
     "iphone%204_black.jpg"},
    {"7R0CB3VZA4S1", "设备名称：iPhone 4", "设备容量：32GB", "外观颜色：未知", "激活状态：未知", "",
     "电话支持：未过期", "生产日期：2011-01-10 - 2011-01-16", "iphone%204_white.jpg"},
    {"F17LM2PQFH19", "设备名称：iPhone 5c", "设备容量：16GB", "", "激活状态：已激活",
     "硬件保修：未过期（365 days）", "电话支持：未过期", "生产日期：2013-09-09 - 2013-09-15",
     nullptr},
    {"DQGPX7H8FH1C", "设备名称：iPhone 4S \\u56fd\\u884c", "设备容量：32GB", "外观颜色：白色",
     "激活状态：已激活", "硬件保修：未过期（）", "电话支持：未过期",
     "生产日期：2012-06-04 - 2012-06-10", nullptr},
};

// ---- what the files on disk hold

std::string SourcePath(const std::string& relative) {
  return WindowsPath(std::string(E2E_SOURCE_DIR) + "/" + relative);
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string ArtifactPath(const std::string& name) {
  return WindowsPath(Environment("E2E_ARTIFACTS") + "/" + name);
}

void SaveScreenshot(HWND window, const std::string& name) {
  EXPECT_TRUE(SaveBmp(Capture(ScreenRect(window)), ArtifactPath(name + ".bmp"))) << name;
}

constexpr std::uint32_t kWhitePixel = 0xFFFFFF;
constexpr int kModelBoxWidth = 175, kModelBoxHeight = 251;

Image ModelBoxShowing(const std::string& picture_file) {
  return DrawnAtTopLeft(Filled(kModelBoxWidth, kModelBoxHeight, kWhitePixel),
                        DecodePictureFile(picture_file));
}

Image DesignPhotoInBox() { return ModelBoxShowing(SourcePath("assets/model_photo.jpg")); }

Image SamplePictureInBox(const char* file) {
  return ModelBoxShowing(SourcePath(std::string("tools/sample_service/devimages/") + file));
}

// `iphone` shows `expected` (waiting for it to be painted), and it is nearer to it than to the
// other pictures the box could show.
void ExpectModelBoxShows(HWND details, const Image& expected, const char* what) {
  ASSERT_EQ(expected.width, kModelBoxWidth) << "cannot decode the reference picture of " << what;
  const HWND box = Control(details, details_window::iphone);
  ASSERT_NE(box, nullptr);
  Image shown;
  WaitUntil([&] { return MeanDifference(shown = Capture(ScreenRect(box)), expected) < 4; }, 3000);
  const double difference = MeanDifference(shown, expected);
  const double from_white =
      MeanDifference(shown, Filled(kModelBoxWidth, kModelBoxHeight, kWhitePixel));
  const double from_design = MeanDifference(shown, DesignPhotoInBox());
  EXPECT_LT(difference, 4) << what << ": differs from white by " << from_white
                           << ", from the design photo by " << from_design;
  EXPECT_LE(difference, from_white) << what;
  EXPECT_LE(difference, from_design) << what;
}

void ExpectPlaces(HWND window, const Place* places, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const Place& place = places[i];
    SCOPED_TRACE(place.name);
    const HWND control = Control(window, place.id);
    ASSERT_NE(control, nullptr) << "no control with ID " << place.id;
    const HWND parent = place.parent_id ? Control(window, place.parent_id) : window;
    EXPECT_EQ(GetParent(control), parent);
    const RECT rect = PlaceInParent(control);
    EXPECT_EQ(rect.left, place.x);
    EXPECT_EQ(rect.top, place.y);
    EXPECT_EQ(rect.right - rect.left, place.width);
    EXPECT_EQ(rect.bottom - rect.top, place.height);
  }
}

// Outer size as designed, centred on the screen by integer division.
void ExpectCentred(HWND window, int width, int height) {
  const RECT rect = ScreenRect(window);
  EXPECT_EQ(rect.right - rect.left, width);
  EXPECT_EQ(rect.bottom - rect.top, height);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

POINT CentreOf(HWND hwnd) {
  const RECT rect = ScreenRect(hwnd);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool ServiceLogHas(const std::string& line) {
  return ReadFile(WindowsPath(Environment("E2E_SERVICE_LOG"))).find(line) != std::string::npos;
}

// ---- the program, started anew for every test

class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string executable = WindowsPath(Environment("E2E_PROGRAM"));
    program_ = Start(executable);
    ASSERT_NE(program_.handle, nullptr) << "cannot start " << executable;
    main_ = WaitForWindow(kMainTitle.c_str());
    ASSERT_NE(main_, nullptr) << "no window titled " << kMainTitle;
    serial_box_ = Control(main_, main_window::序列号);
    ASSERT_NE(serial_box_, nullptr);
    ASSERT_TRUE(BringToFront(main_));
  }

  void TearDown() override {
    Stop(program_);
    WaitForNoWindow(kMainTitle.c_str(), 5000);
  }

  // Replaces the serial box's text by typing, as a user would.
  void TypeSerial(const std::string& serial) {
    ASSERT_TRUE(BringToFront(main_));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(main_) == serial_box_; }, 3000));
    Tap(VK_END);
    Tap(VK_HOME, {VK_SHIFT});
    Tap(VK_DELETE);
    TypeAscii(serial);
    ASSERT_TRUE(WaitUntil([&] { return Text(serial_box_) == serial; }))
        << "the box shows \"" << Text(serial_box_) << "\"";
  }

  void PressEnter(std::initializer_list<WORD> modifiers = {}) { Tap(VK_RETURN, modifiers); }

  HWND WaitForDetails(DWORD timeout_ms = 10000) {
    return WaitForWindow(kDetailsTitle.c_str(), timeout_ms);
  }
  HWND WaitForError() { return WaitForWindow(kErrorTitle.c_str()); }

  // The modal window is closed with Esc; the main window is usable again and keeps the serial.
  void CloseWithEsc(HWND modal, const std::string& title, const std::string& serial) {
    ASSERT_TRUE(BringToFront(modal));
    Tap(VK_ESCAPE);
    ExpectClosedAndMainBack(title, serial);
  }

  void ExpectClosedAndMainBack(const std::string& title, const std::string& serial) {
    EXPECT_TRUE(WaitForNoWindow(title.c_str())) << title << " stays open";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }))
        << "the main window stays disabled";
    EXPECT_EQ(Text(serial_box_), serial);
  }

  void ExpectDetailTexts(HWND details, const Sample& sample, const std::string& serial) {
    const struct {
      const char* label;
      int id;
      std::string text;
    } rows[] = {
        {"序列号", details_window::序列号, "序列号：" + serial},
        {"设名", details_window::设名, sample.name},
        {"名称", details_window::名称, sample.name},
        {"容量", details_window::容量, sample.capacity},
        {"颜色", details_window::颜色, sample.colour},
        {"激活状态", details_window::激活状态, sample.activation},
        {"硬件保修", details_window::硬件保修, sample.warranty},
        {"电话支持", details_window::电话支持, sample.phone_support},
        {"生产地", details_window::生产地, kPlaceOfProduction},
        {"生产日期", details_window::生产日期, sample.period},
        {"生产日期1", details_window::生产日期1, kDisclaimer},
    };
    for (const auto& row : rows) {
      EXPECT_EQ(Text(Control(details, row.id)), row.text) << row.label << " for " << serial;
    }
  }

  Process program_;
  HWND main_ = nullptr;
  HWND serial_box_ = nullptr;
};

// ---- the main window

using MainWindow = Program;

TEST_F(MainWindow, HasItsTitleSizePlaceAndControls) {
  ExpectCentred(main_, 631, 116);
  const LONG style = GetWindowLongA(main_, GWL_STYLE);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << std::hex << style;
  ExpectPlaces(main_, kMainPlaces, std::size(kMainPlaces));

  EXPECT_EQ(Text(Control(main_, main_window::透明标签2)), "正版/稳定/声誉/保障");
  EXPECT_EQ(Text(Control(main_, main_window::透明标签3)),
            "请在上面输入您的序列号 [设置 > 通用 > 关于本机]");
  EXPECT_EQ(Text(Control(main_, main_window::透明标签1)), "");
  EXPECT_EQ(Text(Control(main_, main_window::超级链接框1)), kMakerUrl);

  // The box holds a sample serial and has the focus.
  EXPECT_EQ(ClassName(serial_box_), "Edit");
  const std::string serial = Text(serial_box_);
  EXPECT_EQ(serial.size(), 12u);
  EXPECT_EQ(serial.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"), std::string::npos)
      << serial;
  EXPECT_EQ(FocusOf(main_), serial_box_);
  SaveScreenshot(main_, "main_window");
}

// The link turns the hover colour under the pointer, which is a pointing hand there, and back when
// the pointer leaves. Cursor handles do not cross processes under Wine: the pointer over the link
// differs from the one over a label.
TEST_F(MainWindow, LinkShowsTheHoverColourAndAHand) {
  const HWND link = Control(main_, main_window::超级链接框1);
  ASSERT_NE(link, nullptr);
  const auto has_hover_colour = [&] {
    const Image shown = Capture(ScreenRect(link));
    for (std::uint32_t pixel : shown.pixels) {
      if (pixel == 0x3399FF) return true;  // RGB(51,153,255)
    }
    return false;
  };
  const auto cursor_over = [](HWND hwnd) {
    MovePointerThroughX(CentreOf(hwnd));
    Sleep(300);
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    return GetCursorInfo(&cursor) ? cursor.hCursor : nullptr;
  };
  EXPECT_FALSE(has_hover_colour());
  const HCURSOR over_link = cursor_over(link);
  EXPECT_TRUE(WaitUntil(has_hover_colour, 3000));
  const HCURSOR over_label = cursor_over(Control(main_, main_window::透明标签2));
  EXPECT_NE(over_link, over_label);
  EXPECT_TRUE(WaitUntil([&] { return !has_hover_colour(); }, 3000)) << "the pointer has left";
}

// ---- a lookup of each sample

class EverySample : public Program, public ::testing::WithParamInterface<Sample> {};

TEST_P(EverySample, EnterOpensTheFilledDetailsWindow) {
  const Sample& sample = GetParam();
  TypeSerial(sample.serial);
  PressEnter();
  const HWND details = WaitForDetails();
  ASSERT_NE(details, nullptr) << "no details window for " << sample.serial;
  EXPECT_FALSE(IsWindowEnabled(main_));
  ExpectDetailTexts(details, sample, sample.serial);
  ExpectModelBoxShows(details,
                      sample.picture ? SamplePictureInBox(sample.picture) : DesignPhotoInBox(),
                      sample.serial);
  SaveScreenshot(details, std::string("details_window_") + sample.serial);
  CloseWithEsc(details, kDetailsTitle, sample.serial);
}

INSTANTIATE_TEST_SUITE_P(SampleService, EverySample, ::testing::ValuesIn(kSamples),
                         [](const auto& info) { return std::string(info.param.serial); });

// ---- the details window itself

using DetailsWindow = Program;

TEST_F(DetailsWindow, HasItsTitleSizePlaceAndControlsAndClosesByItsButton) {
  TypeSerial(kSamples[0].serial);
  PressEnter();
  const HWND details = WaitForDetails();
  ASSERT_NE(details, nullptr);
  ExpectCentred(details, 637, 493);
  // Title only: no close box and no system menu.
  EXPECT_FALSE(GetWindowLongA(details, GWL_STYLE) & WS_SYSMENU);
  ExpectPlaces(details, kDetailsPlaces, std::size(kDetailsPlaces));
  const HWND button = Control(details, details_window::按钮1);
  EXPECT_EQ(ClassName(button), "Button");
  EXPECT_EQ(Text(button), "确定");
  EXPECT_EQ(FocusOf(details), button);

  Click(CentreOf(button));
  ExpectClosedAndMainBack(kDetailsTitle, kSamples[0].serial);
}

// ---- the ways to run a query

using Query = Program;

TEST_F(Query, RunsOnThePressInTheQueryAreaBeforeTheRelease) {
  // A press on the banner outside the area does nothing.
  Click(ClientToScreenPoint(main_, {14, 52}));
  EXPECT_FALSE(WaitUntil(
      [] { return FindTitled(kDetailsTitle.c_str()) || FindTitled(kErrorTitle.c_str()); }, 1000));

  const std::string serial = Text(serial_box_);
  const POINT inside[] = {{517 + 44, 11 + 20}, {517, 11}, {517 + 88, 11 + 39}};
  for (const POINT& point : inside) {
    SCOPED_TRACE(testing::Message() << "press at " << point.x << ", " << point.y);
    ASSERT_TRUE(BringToFront(main_));
    const POINT screen = ClientToScreenPoint(main_, point);
    LeftDown(screen);
    const HWND details = WaitForDetails();
    const bool opened_while_down = details != nullptr;
    LeftUp(screen);
    ASSERT_TRUE(opened_while_down) << "no details window while the button is down";
    EXPECT_EQ(Text(Control(details, details_window::序列号)), "序列号：" + serial);
    CloseWithEsc(details, kDetailsTitle, serial);
  }
}

TEST_F(Query, RunsOnEnterWithCtrlShiftOrAlt) {
  const std::string serial = kSamples[1].serial;
  TypeSerial(serial);
  for (WORD modifier : {VK_CONTROL, VK_SHIFT, VK_MENU}) {
    SCOPED_TRACE(testing::Message() << "modifier key " << modifier);
    ASSERT_TRUE(BringToFront(main_));
    PressEnter({modifier});
    const HWND details = WaitForDetails();
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(Text(Control(details, details_window::序列号)), "序列号：" + serial);
    CloseWithEsc(details, kDetailsTitle, serial);
  }
}

// ---- the error window

using ErrorWindow = Program;

TEST_F(ErrorWindow, ShowsItsMessageForAnUnknownSerialAndClosesByButtonOrEsc) {
  const std::string serial = "000000000000";
  TypeSerial(serial);
  PressEnter();
  HWND error = WaitForError();
  ASSERT_NE(error, nullptr);
  EXPECT_FALSE(IsWindowEnabled(main_));
  EXPECT_EQ(FindTitled(kDetailsTitle.c_str()), nullptr);
  ExpectCentred(error, 333, 181);
  ExpectPlaces(error, kErrorPlaces, std::size(kErrorPlaces));
  EXPECT_EQ(Text(Control(error, error_window::透明标签1)), kErrorMessage);
  const HWND button = Control(error, error_window::按钮1);
  EXPECT_EQ(ClassName(button), "Button");
  EXPECT_EQ(Text(button), "确定");
  SaveScreenshot(error, "error_window");

  // A press on the message does nothing.
  Click(CentreOf(Control(error, error_window::透明标签1)));
  Sleep(300);
  EXPECT_NE(FindTitled(kErrorTitle.c_str()), nullptr);

  Click(CentreOf(button));
  ExpectClosedAndMainBack(kErrorTitle, serial);

  ASSERT_TRUE(BringToFront(main_));
  PressEnter();
  error = WaitForError();
  ASSERT_NE(error, nullptr);
  CloseWithEsc(error, kErrorTitle, serial);
}

// The serial goes out exactly as typed, the empty one too (the service knows neither).
TEST_F(ErrorWindow, FollowsTheLookupOfTheSerialAsTyped) {
  for (const std::string serial : {"", "f2ljk0xxdttn"}) {
    SCOPED_TRACE("serial \"" + serial + "\"");
    TypeSerial(serial);
    PressEnter();
    const HWND error = WaitForError();
    ASSERT_NE(error, nullptr);
    EXPECT_TRUE(
        ServiceLogHas("\"GET /xuliehao/index.php?action=search&sn=" + serial + " HTTP/1.1\""));
    CloseWithEsc(error, kErrorTitle, serial);
  }
}

// ---- the end

using Closing = Program;

TEST_F(Closing, EscEndsTheProgramWithExitCodeZero) {
  Tap(VK_ESCAPE);
  DWORD exit_code = 1;
  ASSERT_TRUE(WaitForExit(program_, 10000, &exit_code)) << "still running";
  EXPECT_EQ(exit_code, 0u);
}

TEST_F(Closing, AltF4AfterLookupsEndsTheProgramWithExitCodeZero) {
  TypeSerial(kSamples[0].serial);
  PressEnter();
  const HWND details = WaitForDetails();
  ASSERT_NE(details, nullptr);
  CloseWithEsc(details, kDetailsTitle, kSamples[0].serial);
  TypeSerial("000000000000");
  PressEnter();
  const HWND error = WaitForError();
  ASSERT_NE(error, nullptr);
  CloseWithEsc(error, kErrorTitle, "000000000000");

  ASSERT_TRUE(BringToFront(main_));
  Tap(VK_F4, {VK_MENU});
  DWORD exit_code = 1;
  ASSERT_TRUE(WaitForExit(program_, 10000, &exit_code)) << "still running";
  EXPECT_EQ(exit_code, 0u);
}

// ---- a picture that does not arrive

// run_e2e.sh's service answers this serial like 88143KJRA4S0 but sends an HTML page for its
// picture.
using PictureDownload = Program;

TEST_F(PictureDownload, ThatGivesNoPictureLeavesTheModelBoxWhite) {
  const std::string serial = "E2EHTMLPICTURE";
  TypeSerial(serial);
  PressEnter();
  const HWND details = WaitForDetails();
  ASSERT_NE(details, nullptr);
  ExpectDetailTexts(details, kSamples[4], serial);
  ExpectModelBoxShows(details, Filled(kModelBoxWidth, kModelBoxHeight, kWhitePixel),
                      "an HTML page");
  SaveScreenshot(details, "details_window_picture_failed");
  CloseWithEsc(details, kDetailsTitle, serial);
}

// ---- the service down (run_e2e.sh runs these after stopping it)

using ServiceDown = Program;

TEST_F(ServiceDown, GivesTheDetailsWindowWithTheTextsForEmptyValues) {
  const std::string serial = kSamples[0].serial;
  TypeSerial(serial);
  PressEnter();
  const HWND details = WaitForDetails();
  ASSERT_NE(details, nullptr);
  EXPECT_FALSE(IsWindowEnabled(main_));
  const Sample empty{"", "设备名称：",       "设备容量：",    "外观颜色：未知", "激活状态：未知",
                     "", "电话支持：未过期", "生产日期： - ", nullptr};
  ExpectDetailTexts(details, empty, serial);
  // No picture key, so no download: the box keeps the photo of its design.
  ExpectModelBoxShows(details, DesignPhotoInBox(), "no reply");
  SaveScreenshot(details, "details_window_service_down");
  CloseWithEsc(details, kDetailsTitle, serial);
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  OleInitialize(nullptr);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  // Under the Wine desktop the exit code goes no further than explorer: the script reads this file.
  const std::string status = e2e::Environment("E2E_STATUS");
  if (!status.empty()) {
    if (FILE* file = std::fopen(e2e::WindowsPath(status).c_str(), "wb")) {
      std::fprintf(file, "%d\n", result);
      std::fclose(file);
    }
  }
  OleUninitialize();
  return result;
}
