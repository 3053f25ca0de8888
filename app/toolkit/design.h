// A window's design as data: its settings and its controls in stacking order, top to bottom.
// The toolkit builds real windows from these records; the records themselves know nothing of Win32,
// so a design table reads like the window's design and can be checked at compile time.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace toolkit {

struct Point {
  int x;
  int y;
};

struct Size {
  int width;
  int height;
};

struct Colour {
  unsigned char red;
  unsigned char green;
  unsigned char blue;
  bool button_face;  // the system's button-face colour, whatever the components say

  friend constexpr bool operator==(const Colour&, const Colour&) = default;
};
constexpr Colour Rgb(unsigned char red, unsigned char green, unsigned char blue) {
  return {red, green, blue, false};
}
inline constexpr Colour kButtonFace{0, 0, 0, true};
inline constexpr Colour kBlack = Rgb(0, 0, 0);
inline constexpr Colour kWhite = Rgb(255, 255, 255);

// Every field of a LOGFONT. A null face lets the system pick one for the character set.
struct FontDesign {
  const char* face;
  int height;
  int width;
  int escapement;
  int orientation;
  int weight;
  bool italic;
  bool underline;
  bool strike_out;
  unsigned char charset;
  unsigned char out_precision;
  unsigned char clip_precision;
  unsigned char quality;
  unsigned char pitch_and_family;
};

// A file the program carries in its constant data.
struct EmbeddedFile {
  const unsigned char* bytes;
  std::size_t size;
};

enum class ControlKind { kEditBox, kPictureBox, kButton, kHyperlinkLabel, kTransparentLabel };

enum class Align { kLeft, kCentre, kRight };

// How a label lays out its caption.
enum class Lines { kOneCentredVertically, kWrappedFromTop };

// How a picture box draws its picture.
enum class PictureFit { kNaturalFromTopLeft, kCentredScaledDown };

// Modifier bits of a key press.
inline constexpr int kCtrl = 1;
inline constexpr int kShift = 2;
inline constexpr int kAlt = 4;
inline constexpr int kEnterKey = 13;

// Handlers give no result: the key or press goes on to the control.
using CreatedHandler = void (*)();
using KeyHandler = void (*)(int key_code, int modifiers);
using PressHandler = void (*)(int x, int y, int modifiers);
using ClickHandler = void (*)();

struct ControlDesign {
  ControlKind kind;
  const char* name;
  const char* parent = nullptr;  // the picture box it lies in; null: the window
  Point place;
  Size size;
  const char* caption = "";
  Colour text_colour = kBlack;
  Colour background = kWhite;
  const FontDesign* font = nullptr;  // null: the system's default GUI font
  Align align = Align::kLeft;
  Lines lines = Lines::kOneCentredVertically;
  const EmbeddedFile* picture = nullptr;
  PictureFit fit = PictureFit::kNaturalFromTopLeft;
  bool tab_stop = false;
  const char* link = nullptr;  // hyperlink label: what a press opens
  KeyHandler on_key_pressed = nullptr;
  PressHandler on_left_button_pressed = nullptr;
  ClickHandler on_clicked = nullptr;
};

enum class TitleBar { kCloseBoxAndSystemMenu, kTitleOnly };

struct WindowDesign {
  const char* name;
  const char* title;
  Size outer_size;  // frame and title bar included
  TitleBar title_bar;
  Colour background;
  const EmbeddedFile* background_picture;  // drawn tiled from the top-left corner
  bool esc_closes;
  std::span<const ControlDesign>
      controls;  // stacking order, top to bottom; control ID = row, 1-based
  CreatedHandler on_created = nullptr;
};

// The control ID of a named control: its 1-based row. A missing name stops the build.
consteval int ControlId(std::span<const ControlDesign> controls, std::string_view name) {
  for (std::size_t row = 0; row < controls.size(); ++row) {
    if (std::string_view(controls[row].name) == name) return static_cast<int>(row) + 1;
  }
  throw "no control of that name";  // consteval: a build error, never a run-time throw
}

constexpr const ControlDesign* FindControl(std::span<const ControlDesign> controls,
                                           std::string_view name) {
  for (const ControlDesign& control : controls) {
    if (std::string_view(control.name) == name) return &control;
  }
  return nullptr;
}

// A design the toolkit can build: unique names, and every parent a picture box of the table, with
// no control lying (through its parents) inside itself.
constexpr bool DesignIsSound(std::span<const ControlDesign> controls) {
  for (std::size_t row = 0; row < controls.size(); ++row) {
    std::size_t depth = 0;
    for (const ControlDesign* c = &controls[row]; c->parent; ++depth) {
      c = FindControl(controls, c->parent);
      if (!c || c->kind != ControlKind::kPictureBox || depth >= controls.size()) return false;
    }
    for (std::size_t other = row + 1; other < controls.size(); ++other) {
      if (std::string_view(controls[row].name) == controls[other].name) return false;
    }
  }
  return true;
}

}  // namespace toolkit
