// Pictures from bytes: the format told by the first bytes, decoded by OLE.
#pragma once

#include <windows.h>

#include <cstddef>

#include "app/toolkit/design.h"

namespace toolkit {

enum class PictureFormat { kUnknown, kBmp, kJpeg, kGif };

PictureFormat PictureFormatOf(const unsigned char* bytes, std::size_t size);

// A bitmap of the caller's own (DeleteObject when done) and its size in pixels; null for empty,
// unknown or undecodable bytes.
struct Picture {
  HBITMAP bitmap;
  Size size;
};
Picture DecodePicture(const unsigned char* bytes, std::size_t size);

}  // namespace toolkit
