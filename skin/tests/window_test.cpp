// Windows shaped like the program's, first without the skin and then with it, in one process: the
// skin changes how they look and nothing of where they are or how they behave.
//
//   window_test.exe [--result=PATH]                       the checks (PlainWindows run before
//   SkinnedWindows) window_test.exe --show=plain|skinned --ready=P --stop=Q  shows the windows for
//   a screenshot
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "skin/tests/gui_main.h"
#include "skin/tests/test_windows.h"

namespace skin_test {
namespace {

constexpr int kLeft = 100, kTop = 100;
std::map<Kind, Geometry> g_plain;  // filled by PlainWindows.OuterSizesAreTheDesigns

POINT ScreenPoint(HWND window, POINT in_window) { return WindowToScreen(window, in_window); }

void Activate(HWND window) {
  SetForegroundWindow(window);
  Pump(150);
}

// Runs the loop a modal window of the program runs: keys go through IsDialogMessage first.
bool RunDialogLoopUntil(HWND dialog, int milliseconds, const std::function<bool()>& done) {
  UINT_PTR timer = SetTimer(nullptr, 0, milliseconds, nullptr);
  MSG message;
  bool finished = done();
  while (!finished && GetMessageA(&message, nullptr, 0, 0)) {
    if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == timer) break;
    if (!IsWindow(dialog) || !IsDialogMessageA(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    finished = done();
  }
  KillTimer(nullptr, timer);
  return finished;
}

void PostKey(UINT key) {
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
  PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
}

// --- Checks that must give the same answers with and without the skin ---

void CheckHitTests() {
  struct Case {
    Kind kind;
    const char* where;
    int expected;
  };
  const Case cases[] = {
      {Kind::kMain, "title middle", HTCAPTION},      {Kind::kMain, "title right end", HTCLOSE},
      {Kind::kMain, "client middle", HTCLIENT},      {Kind::kMain, "bottom edge", HTBORDER},
      {Kind::kError, "title middle", HTCAPTION},     {Kind::kError, "title right end", HTCLOSE},
      {Kind::kDetails, "title middle", HTCAPTION},   {Kind::kDetails, "title right end", HTCAPTION},
      {Kind::kDetails, "title left end", HTCAPTION}, {Kind::kDetails, "client middle", HTCLIENT},
  };
  for (const Case& c : cases) {
    HWND window = CreateTestWindow(c.kind, kLeft, kTop);
    SIZE size = DesignSize(c.kind);
    int middle = CaptionMiddle(window);
    POINT at = {size.cx / 2, middle};
    if (!std::strcmp(c.where, "title right end")) at = {size.cx - 12, middle};
    if (!std::strcmp(c.where, "title left end")) at = {8, middle};
    if (!std::strcmp(c.where, "client middle")) at = {size.cx / 2, size.cy / 2};
    if (!std::strcmp(c.where, "bottom edge")) at = {size.cx / 2, size.cy - 1};
    POINT screen = ScreenPoint(window, at);
    LRESULT code = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(code, c.expected) << KindName(c.kind) << ", " << c.where;
    DestroyWindow(window);
  }
}

void CheckModalLoop() {
  HWND owner = CreateTestWindow(Kind::kMain, kLeft, kTop);
  Activate(owner);
  HWND modal = CreateTestWindow(Kind::kError, kLeft + 150, kTop + 150);
  EnableWindow(owner, FALSE);
  Activate(modal);
  SetFocus(Control(modal, kOkButton));
  EXPECT_EQ(GetFocus(), Control(modal, kOkButton));
  PostKey(VK_ESCAPE);
  EXPECT_TRUE(RunDialogLoopUntil(modal, 5000, [&] { return !IsWindow(modal); }))
      << "Esc did not close";
  EnableWindow(owner, TRUE);
  Activate(owner);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetForegroundWindow(), owner);
  DestroyWindow(owner);
}

void CheckTabAndEsc() {
  HWND window = CreateTestWindow(Kind::kControls, kLeft, kTop);
  Activate(window);
  SetFocus(Control(window, kEdgeEdit));
  // Tab stops in creation order; the disabled button is passed over; the last one wraps round.
  for (int expected : {kBorderEdit, kFirstButton, kSecondButton, kCheckBox, kEdgeEdit}) {
    HWND before = GetFocus();
    PostKey(VK_TAB);
    RunDialogLoopUntil(window, 2000, [&] { return GetFocus() != before; });
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), expected);
  }
  PostKey(VK_ESCAPE);
  EXPECT_TRUE(RunDialogLoopUntil(window, 5000, [&] { return !IsWindow(window); }))
      << "Esc did not close";
  if (IsWindow(window)) DestroyWindow(window);
}

// Press and release are queued together: the system's own close box runs a loop of its own
// inside the press that only the release ends.
void Click(POINT screen) {
  MouseMove(screen);
  Pump(100);
  MouseButton(true);
  MouseButton(false);
  Pump(300);
}

void CheckCloseBoxClick() {
  HWND main = CreateTestWindow(Kind::kMain, kLeft, kTop);
  Activate(main);
  Click(ScreenPoint(main, {DesignSize(Kind::kMain).cx - 12, CaptionMiddle(main)}));
  EXPECT_EQ(CloseCount(main), 1);
  EXPECT_FALSE(IsWindow(main));

  HWND details = CreateTestWindow(Kind::kDetails, kLeft, kTop);
  Activate(details);
  Click(ScreenPoint(details, {DesignSize(Kind::kDetails).cx - 12, CaptionMiddle(details)}));
  EXPECT_TRUE(IsWindow(details)) << "the window without a close box was closed from its title bar";
  EXPECT_EQ(CloseCount(details), 0);
  if (IsWindow(details)) DestroyWindow(details);
}

void CheckDragByTitle() {
  for (Kind kind : {Kind::kMain, Kind::kDetails}) {
    HWND window = CreateTestWindow(kind, kLeft, kTop);
    Activate(window);
    POINT grip = ScreenPoint(window, {DesignSize(kind).cx / 2, CaptionMiddle(window)});
    MouseMove(grip);
    Pump(100);
    MouseButton(true);
    for (int step = 1; step <= 4; ++step) MouseMove({grip.x + 10 * step, grip.y + 8 * step});
    MouseButton(false);
    // Wine's move loop may lag behind the input on a busy machine: wait for the move to land.
    RECT moved;
    GetWindowRect(window, &moved);
    for (int waited = 0; moved.left != kLeft + 40 && waited < 3000; waited += 50) {
      Pump(50);
      GetWindowRect(window, &moved);
    }
    EXPECT_EQ(moved.left, kLeft + 40) << KindName(kind);
    EXPECT_EQ(moved.top, kTop + 32) << KindName(kind);
    EXPECT_EQ(moved.right - moved.left, DesignSize(kind).cx) << KindName(kind);
    DestroyWindow(window);
  }
}

// --- Without the skin ---

class PlainWindows : public testing::Test {};

TEST_F(PlainWindows, OuterSizesAreTheDesigns) {
  for (Kind kind : kAllKinds) {
    HWND window = CreateTestWindow(kind, kLeft, kTop);
    Pump(50);
    g_plain[kind] = Measure(window);
    const RECT& r = g_plain[kind].window;
    EXPECT_EQ(r.right - r.left, DesignSize(kind).cx) << KindName(kind);
    EXPECT_EQ(r.bottom - r.top, DesignSize(kind).cy) << KindName(kind);
    DestroyWindow(window);
  }
}
TEST_F(PlainWindows, HitTests) { CheckHitTests(); }
TEST_F(PlainWindows, ModalLoop) { CheckModalLoop(); }
TEST_F(PlainWindows, TabAndEsc) { CheckTabAndEsc(); }
TEST_F(PlainWindows, CloseBoxClick) { CheckCloseBoxClick(); }
TEST_F(PlainWindows, DragByTitle) { CheckDragByTitle(); }

// --- With the skin ---

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

class SkinnedWindows : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    attach_ = LoadAttach();
    if (!attach_) return;
    // Reported, never asserted: what attaching costs next to opening one window without the skin.
    LARGE_INTEGER t0, t1, t2, t3;
    QueryPerformanceCounter(&t0);
    HWND window = CreateWindowExA(0, "Static", "timing", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0,
                                  631, 116, nullptr, nullptr, nullptr, nullptr);
    QueryPerformanceCounter(&t1);
    DestroyWindow(window);
    QueryPerformanceCounter(&t2);
    attached_ = attach_(SKIN_FILE_PATH, "");
    QueryPerformanceCounter(&t3);
    std::printf(
        "[ measure  ] one window without the skin: %.0f us; SkinH_AttachEx: %.0f us; ratio %.2f\n",
        Microseconds(t0, t1), Microseconds(t2, t3), Microseconds(t2, t3) / Microseconds(t0, t1));
  }
  void SetUp() override {
    ASSERT_NE(attach_, nullptr) << "jedata.dll or its entry SkinH_AttachEx not found";
    ASSERT_EQ(attached_, skin::kAttached);
  }

  static AttachFunction attach_;
  static int attached_;
};
AttachFunction SkinnedWindows::attach_ = nullptr;
int SkinnedWindows::attached_ = -1;

COLORREF Skin(skin::Colour slot) {
  static const skin::Look look = ShippedLook();
  return ToColorRef(look.colours[slot]);
}

testing::AssertionResult HasSkinColour(HWND window, POINT at, skin::Colour slot) {
  COLORREF pixel = PixelBecomes(window, at, Skin(slot));
  if (pixel == Skin(slot)) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "pixel " << at.x << "," << at.y << " is RGB(" << int(GetRValue(pixel)) << ","
         << int(GetGValue(pixel)) << "," << int(GetBValue(pixel)) << "), not slot " << int(slot);
}

TEST_F(SkinnedWindows, GeometryIsUnchanged) {
  for (Kind kind : kAllKinds) {
    if (!g_plain.count(kind)) GTEST_SKIP() << "needs PlainWindows.OuterSizesAreTheDesigns first";
    HWND window = CreateTestWindow(kind, kLeft, kTop);
    Activate(window);
    EXPECT_TRUE(Measure(window) == g_plain[kind]) << KindName(kind);
    DestroyWindow(window);
  }
}
TEST_F(SkinnedWindows, HitTests) { CheckHitTests(); }
TEST_F(SkinnedWindows, ModalLoop) { CheckModalLoop(); }
TEST_F(SkinnedWindows, TabAndEsc) { CheckTabAndEsc(); }
TEST_F(SkinnedWindows, CloseBoxClick) { CheckCloseBoxClick(); }
TEST_F(SkinnedWindows, DragByTitle) { CheckDragByTitle(); }

TEST_F(SkinnedWindows, CaptionAndFrameFollowActivation) {
  HWND main = CreateTestWindow(Kind::kMain, kLeft, kTop);
  HWND error = CreateTestWindow(Kind::kError, kLeft, kTop + 200);
  auto title = [](HWND w, Kind kind) { return POINT{DesignSize(kind).cx - 60, CaptionMiddle(w)}; };
  auto side = [](Kind kind, int x) { return POINT{x, DesignSize(kind).cy / 2}; };
  for (HWND active : {main, error}) {
    Activate(active);
    bool main_active = active == main;
    EXPECT_TRUE(HasSkinColour(main, title(main, Kind::kMain),
                              main_active ? skin::kCaptionActive : skin::kCaptionInactive));
    EXPECT_TRUE(HasSkinColour(error, title(error, Kind::kError),
                              main_active ? skin::kCaptionInactive : skin::kCaptionActive));
    EXPECT_TRUE(HasSkinColour(main, side(Kind::kMain, 0),
                              main_active ? skin::kFrameLineActive : skin::kFrameLineInactive));
    EXPECT_TRUE(HasSkinColour(main, side(Kind::kMain, 1),
                              main_active ? skin::kFrameActive : skin::kFrameInactive));
  }
  // A new title is drawn by the skin, not by the system.
  SetWindowTextA(error, "新标题");
  EXPECT_TRUE(HasSkinColour(error, title(error, Kind::kError), skin::kCaptionActive));
  DestroyWindow(main);
  DestroyWindow(error);
}

TEST_F(SkinnedWindows, CloseBoxFollowsThePointer) {
  HWND main = CreateTestWindow(Kind::kMain, kLeft, kTop);
  Activate(main);
  const int width = DesignSize(Kind::kMain).cx;
  const POINT box_corner = {width - 4, 4};  // inside the box, off its symbol
  const POINT on_box = ScreenPoint(main, {width - 12, CaptionMiddle(main)});
  const POINT on_title = ScreenPoint(main, {width / 2, CaptionMiddle(main)});

  MouseMove(on_box);
  Pump(100);
  EXPECT_TRUE(HasSkinColour(main, box_corner, skin::kCloseHover)) << "hover";
  MouseButton(true);
  Pump(100);
  EXPECT_TRUE(HasSkinColour(main, box_corner, skin::kClosePressed)) << "pressed";
  MouseMove(on_title);
  Pump(100);
  EXPECT_TRUE(HasSkinColour(main, box_corner, skin::kCloseNormal)) << "pressed, pointer moved off";
  MouseMove(on_box);
  Pump(100);
  EXPECT_TRUE(HasSkinColour(main, box_corner, skin::kClosePressed)) << "pressed, pointer back";
  MouseMove(on_title);
  Pump(100);
  MouseButton(false);
  Pump(100);
  EXPECT_TRUE(IsWindow(main)) << "released off the box, yet closed";
  EXPECT_EQ(CloseCount(main), 0);
  EXPECT_TRUE(HasSkinColour(main, box_corner, skin::kCloseNormal)) << "released";
  MouseMove(on_box);
  Pump(100);
  MouseMove({on_box.x + 200, on_box.y + 300});  // off the window
  Pump(150);
  EXPECT_TRUE(HasSkinColour(main, box_corner, skin::kCloseNormal)) << "pointer left the window";
  DestroyWindow(main);
}

TEST_F(SkinnedWindows, ControlsUseTheSkinColours) {
  HWND window = CreateTestWindow(Kind::kControls, kLeft, kTop);
  Activate(window);
  SetFocus(Control(window, kBorderEdit));
  Pump(50);
  struct Case {
    int id;
    POINT at;
    skin::Colour expected;
  };
  const Case cases[] = {
      {kFirstButton, {0, 15}, skin::kButtonBorder},
      {kFirstButton, {2, 2}, skin::kButtonFace},
      {kSecondButton, {0, 15}, skin::kButtonBorderFocus},  // the default button
      {kDisabledButton, {0, 15}, skin::kControlDisabled},
      {kEdgeEdit, {0, 0}, skin::kEditBorder},
      {kBorderEdit, {0, 0}, skin::kEditBorderFocus},
      {kBorderPicture, {0, 0}, skin::kPictureBorder},
      {kSunkenPicture, {0, 0}, skin::kPictureBorder},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(HasSkinColour(Control(window, c.id), c.at, c.expected)) << "control " << c.id;
  }

  SetFocus(Control(window, kEdgeEdit));
  Pump(50);
  EXPECT_TRUE(HasSkinColour(Control(window, kEdgeEdit), {0, 0}, skin::kEditBorderFocus));
  EXPECT_TRUE(HasSkinColour(Control(window, kBorderEdit), {0, 0}, skin::kEditBorder));

  HWND button = Control(window, kFirstButton);
  RECT place;
  GetWindowRect(button, &place);
  MouseMove({(place.left + place.right) / 2, (place.top + place.bottom) / 2});
  Pump(100);
  EXPECT_TRUE(HasSkinColour(button, {2, 2}, skin::kButtonFaceHover)) << "hover";
  MouseButton(true);
  Pump(100);
  EXPECT_TRUE(HasSkinColour(button, {2, 2}, skin::kButtonFacePressed)) << "pressed";
  EXPECT_TRUE(HasSkinColour(button, {0, 15}, skin::kButtonBorderFocus))
      << "a pressed button has the focus";
  MouseButton(false);
  Pump(100);
  EXPECT_TRUE(HasSkinColour(button, {2, 2}, skin::kButtonFaceHover)) << "released";
  MouseMove({place.left - 300, place.top + 300});
  Pump(150);
  EXPECT_TRUE(HasSkinColour(button, {2, 2}, skin::kButtonFace)) << "pointer left";
  DestroyWindow(window);
}

// Last: it attaches two more skins, and leaves the shipped one attached.
TEST_F(SkinnedWindows, RoundedCornersCutTheShapeNotTheSize) {
  std::vector<uint8_t> bytes = ShippedSkinBytes();
  size_t radius_at = bytes.size() - 2 * skin::kMetricCount + 2 * skin::kCornerRadius;
  bytes[radius_at] = 6;
  uint32_t crc = skin::Crc32(bytes.data() + skin::kHeaderSize, bytes.size() - skin::kHeaderSize);
  for (int i = 0; i < 4; ++i) bytes[12 + i] = static_cast<uint8_t>(crc >> (8 * i));
  std::string path = TempPath("rounded.she");
  ASSERT_TRUE(WriteFileBytes(path, bytes));
  ASSERT_EQ(attach_(path.c_str(), ""), skin::kAttached);
  DeleteFileA(path.c_str());

  HRGN region = CreateRectRgn(0, 0, 0, 0);
  HWND rounded = CreateTestWindow(Kind::kMain, kLeft, kTop);
  Activate(rounded);
  EXPECT_NE(GetWindowRgn(rounded, region), ERROR) << "no corner region";
  if (g_plain.count(Kind::kMain)) {
    EXPECT_TRUE(Measure(rounded) == g_plain[Kind::kMain]);
  }
  DestroyWindow(rounded);

  ASSERT_EQ(attach_(SKIN_FILE_PATH, ""), skin::kAttached);
  HWND square = CreateTestWindow(Kind::kMain, kLeft, kTop);
  EXPECT_EQ(GetWindowRgn(square, region), ERROR) << "square corners need no region";
  DestroyWindow(square);
  DeleteObject(region);
}

// --- Screenshot mode ---

int ShowForScreenshot(bool skinned, const std::string& ready, const std::string& stop) {
  if (skinned) {
    AttachFunction attach = LoadAttach();
    if (!attach || attach(SKIN_FILE_PATH, "") != skin::kAttached) return 2;
  }
  HWND error = CreateTestWindow(Kind::kError, 20, 170);
  HWND details = CreateTestWindow(Kind::kDetails, 460, 170);
  HWND controls = CreateTestWindow(Kind::kControls, 20, 390);
  HWND main = CreateTestWindow(Kind::kMain, 20, 20);
  if (!error || !details || !controls || !main) return 3;
  Activate(main);
  SetFocus(Control(main, kSerialEdit));
  Pump(300);
  POINT close_box = ScreenPoint(main, {DesignSize(Kind::kMain).cx - 12, CaptionMiddle(main)});
  if (FILE* out = std::fopen(ready.c_str(), "w")) {
    std::fprintf(out, "%ld %ld\n", close_box.x, close_box.y);
    std::fclose(out);
  }
  for (int waited = 0;
       waited < 60000 && GetFileAttributesA(stop.c_str()) == INVALID_FILE_ATTRIBUTES;
       waited += 100) {
    Pump(100);
  }
  return 0;
}

}  // namespace
}  // namespace skin_test

int main(int argc, char** argv) {
  std::string show, ready, stop;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.rfind("--show=", 0) == 0) show = arg.substr(7);
    if (arg.rfind("--ready=", 0) == 0) ready = arg.substr(8);
    if (arg.rfind("--stop=", 0) == 0) stop = arg.substr(7);
  }
  if (!show.empty()) return skin_test::ShowForScreenshot(show == "skinned", ready, stop);
  return skin_test::RunGuiTests(argc, argv);
}
