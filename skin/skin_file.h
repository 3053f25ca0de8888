// The skin file: a small binary file that holds the colours and metrics the skin engine draws with.
// Layout and codes are described in skin/README.md; make_skin.py writes it. No platform headers
// here, so the reader is tested on the host too.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace skin {

// What SkinH_AttachEx returns; the same numbers are documented in README.md.
enum AttachResult : int {
  kAttached = 0,
  kFileMissing = 1,    // no path, or the file cannot be opened
  kFileTruncated = 2,  // shorter than its header, or than the length the header gives
  kBadMagic = 3,       // does not begin with ".SHE"
  kBadVersion = 4,     // a format version this engine does not read
  kBadChecksum = 5,    // the payload does not match its CRC-32
  kMalformed = 6,      // wrong counts, values out of range, trailing bytes, or too large
  kHookFailed = 7,     // the window hook could not be installed
  kOtherThread = 8,    // the skin is already attached on another thread
};

inline constexpr std::array<uint8_t, 4> kMagic = {'.', 'S', 'H', 'E'};
inline constexpr uint16_t kFormatVersion = 1;
inline constexpr size_t kHeaderSize = 16;
inline constexpr size_t kMaxFileSize = 64 * 1024;
inline constexpr size_t kMaxNameLength = 31;

// Colour slots in file order.
enum Colour : uint8_t {
  kCaptionActive,
  kCaptionInactive,
  kCaptionTextActive,
  kCaptionTextInactive,
  kFrameActive,
  kFrameInactive,
  kFrameLineActive,
  kFrameLineInactive,
  kCloseNormal,
  kCloseHover,
  kClosePressed,
  kCloseGlyph,
  kCloseGlyphHot,
  kCaptionButtonHover,
  kCaptionButtonPressed,
  kButtonFace,
  kButtonFaceHover,
  kButtonFacePressed,
  kButtonBorder,
  kButtonBorderFocus,
  kButtonText,
  kControlDisabled,
  kEditBorder,
  kEditBorderFocus,
  kPictureBorder,
  kColourCount
};

// Metric slots in file order, each an unsigned 16-bit value.
enum Metric : uint8_t {
  kFrameLineWidth,      // outer frame line, in pixels, inside the frame the system reserves
  kCaptionButtonWidth,  // width of the close (and minimise/maximise) box
  kCaptionGlyphSize,    // side of the square the box's symbol is drawn in
  kCaptionGlyphStroke,  // line thickness of that symbol
  kTitleIndent,         // space left of the icon or title
  kTitleAlign,          // 0 left, 1 centred
  kTitleFontHeight,     // character height in pixels; 0 keeps the system's caption font height
  kTitleFontWeight,     // 100 to 900
  kCornerRadius,        // 0 square corners; otherwise the radius the window's corners are cut to
  kControlBorderWidth,  // border line of buttons, edit boxes and picture boxes
  kMetricCount
};

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Look {
  char name[kMaxNameLength + 1] = {};
  char title_face[kMaxNameLength + 1] = {};  // code page 936; empty keeps the system's caption face
  std::array<Rgb, kColourCount> colours = {};
  std::array<uint16_t, kMetricCount> metrics = {};
};

// CRC-32 (IEEE 802.3, the one zlib computes).
uint32_t Crc32(const uint8_t* bytes, size_t size);

// Checks a whole skin file and, on success (kAttached), fills look. On failure look is untouched.
AttachResult ParseSkinFile(const uint8_t* bytes, size_t size, Look* look);

}  // namespace skin
