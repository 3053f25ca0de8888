// The toolkit with real windows: building from a design, texts, events, window keys, modal windows,
// the quit rule and what the picture boxes and transparent labels paint.
#include <gtest/gtest.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "app/toolkit/event_loop.h"
#include "app/toolkit/geometry.h"
#include "app/toolkit/test_pictures.h"
#include "app/toolkit/toolkit.h"

namespace toolkit {
namespace {

struct Recorded {
  std::vector<std::pair<int, int>> keys;  // key code, modifiers
  std::vector<Point> presses;
  int press_modifiers = -1;
  int clicks = 0;
  int created = 0;
} recorded;

void RecordKey(int key_code, int modifiers) { recorded.keys.emplace_back(key_code, modifiers); }
void RecordPress(int x, int y, int modifiers) {
  recorded.presses.push_back({x, y});
  recorded.press_modifiers = modifiers;
}
void RecordClick() { ++recorded.clicks; }
void RecordCreated() { ++recorded.created; }

constexpr COLORREF kBoxColour = RGB(0, 0, 255);

constexpr ControlDesign kTestControls[] = {
    {.kind = ControlKind::kTransparentLabel,
     .name = "标签",
     .parent = "框",
     .place = {5, 5},
     .size = {40, 20},
     .caption = "ab",
     .text_colour = Rgb(255, 255, 255),
     .on_left_button_pressed = RecordPress},
    {.kind = ControlKind::kEditBox,
     .name = "编辑",
     .place = {10, 130},
     .size = {100, 20},
     .caption = "初始",
     .tab_stop = true,
     .on_key_pressed = RecordKey},
    {.kind = ControlKind::kButton,
     .name = "按钮",
     .place = {150, 130},
     .size = {60, 24},
     .caption = "确定",
     .tab_stop = true,
     .on_clicked = RecordClick},
    {.kind = ControlKind::kPictureBox,
     .name = "框",
     .place = {10, 10},
     .size = {100, 100},
     .background = Rgb(0, 0, 255)},
    {.kind = ControlKind::kPictureBox,
     .name = "适框",
     .place = {150, 10},
     .size = {100, 100},
     .background = Rgb(0, 0, 255),
     .fit = PictureFit::kCentredScaledDown},
};
static_assert(DesignIsSound(kTestControls));
constexpr int kLabel = ControlId(kTestControls, "标签");
constexpr int kEdit = ControlId(kTestControls, "编辑");
constexpr int kButton = ControlId(kTestControls, "按钮");
constexpr int kBox = ControlId(kTestControls, "框");
constexpr int kFitBox = ControlId(kTestControls, "适框");

constexpr WindowDesign kTestWindow{.name = "TestWindow",
                                   .title = "测试窗口",
                                   .outer_size = {301, 201},
                                   .title_bar = TitleBar::kCloseBoxAndSystemMenu,
                                   .background = kButtonFace,
                                   .background_picture = nullptr,
                                   .esc_closes = true,
                                   .controls = kTestControls,
                                   .on_created = RecordCreated};

constexpr ControlDesign kPlainControls[] = {
    {.kind = ControlKind::kButton,
     .name = "按钮",
     .place = {10, 10},
     .size = {60, 24},
     .tab_stop = true},
};
constexpr WindowDesign kOtherWindow{.name = "OtherWindow",
                                    .title = "其他",
                                    .outer_size = {200, 100},
                                    .title_bar = TitleBar::kTitleOnly,
                                    .background = kWhite,
                                    .background_picture = nullptr,
                                    .esc_closes = false,
                                    .controls = kPlainControls};
constexpr WindowDesign kModalWindow{.name = "ModalWindow",
                                    .title = "模态",
                                    .outer_size = {200, 100},
                                    .title_bar = TitleBar::kCloseBoxAndSystemMenu,
                                    .background = kWhite,
                                    .background_picture = nullptr,
                                    .esc_closes = true,
                                    .controls = kPlainControls};

std::string WindowText(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// Handles what is waiting, without blocking.
void Drain() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (!HandleWindowKeys(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

MSG KeyDown(HWND hwnd, WPARAM key) { return MSG{hwnd, WM_KEYDOWN, key, 1, 0, {0, 0}}; }

class ToolkitTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ASSERT_TRUE(PrepareToolkit(GetModuleHandleA(nullptr), "DEFAULT_ICON"));
  }
  static void TearDownTestSuite() { OleUninitialize(); }
  void SetUp() override { recorded = Recorded{}; }
  void TearDown() override {
    SetLoopRunning(false);
    for (const WindowDesign* design : {&kTestWindow, &kOtherWindow, &kModalWindow}) {
      if (HWND hwnd = WindowHandle(*design)) DestroyWindow(hwnd);
    }
    Drain();
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
};

TEST_F(ToolkitTest, BuildsRealWindowsFromTheDesign) {
  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  EXPECT_EQ(recorded.created, 1);
  HWND window = WindowHandle(kTestWindow);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(WindowText(window), "测试窗口");
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);

  RECT outer;
  GetWindowRect(window, &outer);
  const Point centred =
      CentredOnScreen({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, {301, 201});
  EXPECT_EQ(outer.left, centred.x);
  EXPECT_EQ(outer.top, centred.y);
  EXPECT_EQ(outer.right - outer.left, 301);
  EXPECT_EQ(outer.bottom - outer.top, 201);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

  // Every control a child window, its ID its row, its window text its caption, in its parent.
  for (int id = 1; id <= static_cast<int>(std::size(kTestControls)); ++id) {
    HWND control = ControlHandle(kTestWindow, id);
    ASSERT_NE(control, nullptr) << id;
    EXPECT_EQ(GetDlgCtrlID(control), id);
    EXPECT_EQ(WindowText(control), kTestControls[id - 1].caption) << id;
  }
  EXPECT_EQ(GetParent(ControlHandle(kTestWindow, kLabel)), ControlHandle(kTestWindow, kBox));
  EXPECT_EQ(GetParent(ControlHandle(kTestWindow, kEdit)), window);
  RECT label;
  GetWindowRect(ControlHandle(kTestWindow, kLabel), &label);
  POINT in_window{label.left, label.top};
  ScreenToClient(window, &in_window);
  EXPECT_EQ(in_window.x, 15);
  EXPECT_EQ(in_window.y, 15);

  // Stacking order within the window as in the table: edit, button, box, fit box.
  std::vector<HWND> order;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    order.push_back(child);
  }
  const std::vector<HWND> expected{
      ControlHandle(kTestWindow, kEdit), ControlHandle(kTestWindow, kButton),
      ControlHandle(kTestWindow, kBox), ControlHandle(kTestWindow, kFitBox)};
  EXPECT_EQ(order, expected);

  // Opening it again only activates it.
  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  EXPECT_EQ(WindowHandle(kTestWindow), window);
  EXPECT_EQ(recorded.created, 1);
}

TEST_F(ToolkitTest, TitleOnlyWindowHasNoSystemMenu) {
  ASSERT_TRUE(OpenWindow(kOtherWindow, false));
  const LONG style = GetWindowLongA(WindowHandle(kOtherWindow), GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_SYSMENU);
}

TEST_F(ToolkitTest, TextsGoInAndOutAsCodePageBytes) {
  EXPECT_EQ(GetText(kTestWindow, kEdit), Text(""));  // not open
  SetText(kTestWindow, kEdit, Text("ignored"));

  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  EXPECT_EQ(GetText(kTestWindow, kEdit), Text("初始"));
  SetText(kTestWindow, kEdit, Text("序列号：ABC"));
  EXPECT_EQ(GetText(kTestWindow, kEdit), Text("序列号：ABC"));
  SetText(kTestWindow, kLabel, Text("设备名称：iPhone 5"));
  EXPECT_EQ(WindowText(ControlHandle(kTestWindow, kLabel)), "设备名称：iPhone 5");
  SetText(kTestWindow, kLabel, Text());  // the absent text empties it
  EXPECT_EQ(WindowText(ControlHandle(kTestWindow, kLabel)), "");
  EXPECT_EQ(GetText(kTestWindow, 99), Text(""));
}

TEST_F(ToolkitTest, DeliversKeysPressesAndClicks) {
  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  HWND edit = ControlHandle(kTestWindow, kEdit);
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  SendMessageA(edit, WM_SYSKEYDOWN, VK_RETURN, 1 | (1 << 29));  // with Alt
  SendMessageA(edit, WM_KEYDOWN, 'A', 1);
  ASSERT_EQ(recorded.keys.size(), 3u);
  EXPECT_EQ(recorded.keys[0].first, kEnterKey);
  EXPECT_EQ(recorded.keys[1].first, kEnterKey);
  EXPECT_EQ(recorded.keys[2].first, 'A');

  // Enter's character presses nothing in the box: its text stays as it was.
  SendMessageA(edit, WM_CHAR, '\r', 1);
  EXPECT_EQ(GetText(kTestWindow, kEdit), Text("初始"));

  SendMessageA(ControlHandle(kTestWindow, kLabel), WM_LBUTTONDOWN,
               MK_LBUTTON | MK_CONTROL | MK_SHIFT, MAKELPARAM(3, 4));
  ASSERT_EQ(recorded.presses.size(), 1u);
  EXPECT_EQ(recorded.presses[0].x, 3);
  EXPECT_EQ(recorded.presses[0].y, 4);
  EXPECT_EQ(recorded.press_modifiers, kCtrl | kShift);

  SendMessageA(ControlHandle(kTestWindow, kButton), BM_CLICK, 0, 0);
  EXPECT_EQ(recorded.clicks, 1);
}

TEST_F(ToolkitTest, TabMovesBetweenTabStopsAndEnterGoesOn) {
  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  HWND edit = ControlHandle(kTestWindow, kEdit);
  HWND button = ControlHandle(kTestWindow, kButton);
  SetFocus(edit);
  EXPECT_TRUE(HandleWindowKeys(KeyDown(edit, VK_TAB)));
  EXPECT_EQ(GetFocus(), button);
  EXPECT_TRUE(HandleWindowKeys(KeyDown(button, VK_TAB)));
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_FALSE(HandleWindowKeys(KeyDown(edit, VK_RETURN)));
  EXPECT_FALSE(HandleWindowKeys(KeyDown(edit, 'A')));
}

TEST_F(ToolkitTest, EscClosesOnlyWindowsDesignedSo) {
  ASSERT_TRUE(OpenWindow(kOtherWindow, false));
  HWND other_button = ControlHandle(kOtherWindow, 1);
  EXPECT_FALSE(HandleWindowKeys(KeyDown(other_button, VK_ESCAPE)));

  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  EXPECT_TRUE(HandleWindowKeys(KeyDown(ControlHandle(kTestWindow, kEdit), VK_ESCAPE)));
  EXPECT_TRUE(IsOpen(kTestWindow));  // the destruction waits for the event loop
  Drain();
  EXPECT_FALSE(IsOpen(kTestWindow));
  EXPECT_TRUE(IsOpen(kOtherWindow));
}

struct ModalSeen {
  bool ran = false;
  bool test_window_enabled = true;
  bool other_window_enabled = true;
  HWND owner = reinterpret_cast<HWND>(1);
} modal_seen;

void CALLBACK LookAtModalAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  modal_seen.ran = true;
  modal_seen.test_window_enabled = IsWindowEnabled(WindowHandle(kTestWindow));
  modal_seen.other_window_enabled = IsWindowEnabled(WindowHandle(kOtherWindow));
  modal_seen.owner = GetWindow(WindowHandle(kModalWindow), GW_OWNER);
  CloseWindow(kModalWindow);
}

TEST_F(ToolkitTest, ModalWindowDisablesTheOthersUntilItIsGone) {
  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  ASSERT_TRUE(OpenWindow(kOtherWindow, false));
  EnableWindow(WindowHandle(kOtherWindow), FALSE);  // disabled before: stays so

  modal_seen = ModalSeen{};
  SetTimer(nullptr, 0, 10, LookAtModalAndClose);
  ASSERT_TRUE(OpenWindow(kModalWindow, true));  // returns once the window is destroyed

  EXPECT_TRUE(modal_seen.ran);
  EXPECT_FALSE(modal_seen.test_window_enabled);
  EXPECT_FALSE(modal_seen.other_window_enabled);
  EXPECT_EQ(modal_seen.owner, nullptr);
  EXPECT_FALSE(IsOpen(kModalWindow));
  EXPECT_TRUE(IsWindowEnabled(WindowHandle(kTestWindow)));
  EXPECT_FALSE(IsWindowEnabled(WindowHandle(kOtherWindow)));
}

TEST_F(ToolkitTest, LastWindowGoneWhileTheLoopRunsPostsQuitZero) {
  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  ASSERT_TRUE(OpenWindow(kOtherWindow, false));
  SetLoopRunning(true);
  CloseWindow(kTestWindow);
  Drain();
  MSG quit;
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));  // one is left

  CloseWindow(kOtherWindow);
  int code = -1;
  while (PumpOneMessage(&code)) {
  }
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(AnyWindowOpen());
}

TEST_F(ToolkitTest, NoQuitBeforeTheLoopRuns) {
  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  CloseWindow(kTestWindow);
  Drain();
  EXPECT_FALSE(IsOpen(kTestWindow));
  MSG quit;
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

// What a control paints, read back pixel by pixel.
class Printed {
 public:
  explicit Printed(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
  }
  ~Printed() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

TEST_F(ToolkitTest, PictureBoxDrawsAtNaturalSizeFromTheTopLeft) {
  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  HWND box = ControlHandle(kTestWindow, kBox);
  EXPECT_EQ(Printed(box).At(5, 5), kBoxColour);  // no picture in the design

  const auto red = testing::SolidBmp(20, 30, RGB(255, 0, 0));
  SetPicture(kTestWindow, kBox, ByteBuffer(red.begin(), red.end()));
  {
    const Printed printed(box);
    EXPECT_EQ(printed.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(printed.At(19, 29), RGB(255, 0, 0));
    EXPECT_EQ(printed.At(20, 5), kBoxColour);
    EXPECT_EQ(printed.At(5, 30), kBoxColour);
  }
  // Bytes of no known format leave no picture.
  SetPicture(kTestWindow, kBox, ByteBuffer{'<', 'h', 't', 'm', 'l', '>'});
  EXPECT_EQ(Printed(box).At(5, 5), kBoxColour);
  SetPicture(kTestWindow, kBox, ByteBuffer(red.begin(), red.end()));
  SetPicture(kTestWindow, kBox, ByteBuffer{});
  EXPECT_EQ(Printed(box).At(5, 5), kBoxColour);
}

TEST_F(ToolkitTest, FitBoxScalesALargerPictureDownAndCentresIt) {
  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  const auto green = testing::SolidBmp(200, 100, RGB(0, 255, 0));
  SetPicture(kTestWindow, kFitBox, ByteBuffer(green.begin(), green.end()));
  const Printed printed(ControlHandle(kTestWindow, kFitBox));
  // 100 x 50 at 0, 25.
  EXPECT_EQ(printed.At(50, 10), kBoxColour);
  EXPECT_EQ(printed.At(50, 30), RGB(0, 255, 0));
  EXPECT_EQ(printed.At(1, 50), RGB(0, 255, 0));
  EXPECT_EQ(printed.At(98, 70), RGB(0, 255, 0));
  EXPECT_EQ(printed.At(50, 80), kBoxColour);
}

TEST_F(ToolkitTest, TransparentLabelShowsWhatLiesBehindIt) {
  ASSERT_TRUE(OpenWindow(kTestWindow, false));
  const auto red = testing::SolidBmp(20, 100, RGB(255, 0, 0));
  SetPicture(kTestWindow, kBox, ByteBuffer(red.begin(), red.end()));
  // The label lies at 5, 5 in the box: its left 15 pixels over the picture, the rest over the box.
  const Printed printed(ControlHandle(kTestWindow, kLabel));
  EXPECT_EQ(printed.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(printed.At(14, 18), RGB(255, 0, 0));
  EXPECT_EQ(printed.At(38, 1), kBoxColour);
  EXPECT_EQ(printed.At(38, 18), kBoxColour);
  // Its caption is drawn in its colour, left-aligned.
  bool any_text = false;
  for (int x = 0; x < 20 && !any_text; ++x) {
    for (int y = 0; y < 20 && !any_text; ++y) any_text = printed.At(x, y) == RGB(255, 255, 255);
  }
  EXPECT_TRUE(any_text);
}

}  // namespace
}  // namespace toolkit
