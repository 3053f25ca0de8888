#include "skin/skin_file.h"

#include <cstring>

namespace skin {
namespace {

struct MetricRange {
  uint16_t low, high;
};

// A value outside its range means a damaged or foreign file, not a look to draw.
constexpr std::array<MetricRange, kMetricCount> kMetricRanges = {{
    {0, 8},      // kFrameLineWidth
    {8, 200},    // kCaptionButtonWidth
    {4, 64},     // kCaptionGlyphSize
    {1, 8},      // kCaptionGlyphStroke
    {0, 64},     // kTitleIndent
    {0, 1},      // kTitleAlign
    {0, 72},     // kTitleFontHeight
    {100, 900},  // kTitleFontWeight
    {0, 32},     // kCornerRadius
    {0, 4},      // kControlBorderWidth
}};

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Reads the payload front to back; any read past its end marks it malformed.
struct Cursor {
  const uint8_t* at;
  const uint8_t* end;
  bool ok = true;

  uint8_t Byte() {
    if (at >= end) {
      ok = false;
      return 0;
    }
    return *at++;
  }
  const uint8_t* Take(size_t n) {
    if (static_cast<size_t>(end - at) < n) {
      ok = false;
      return nullptr;
    }
    const uint8_t* p = at;
    at += n;
    return p;
  }
};

bool ReadName(Cursor& in, size_t min_length, bool ascii_only, char* out) {
  size_t length = in.Byte();
  const uint8_t* bytes = in.Take(length);
  if (!in.ok || length < min_length || length > kMaxNameLength) return false;
  for (size_t i = 0; i < length; ++i) {
    if (bytes[i] == 0 || (ascii_only && (bytes[i] < 0x20 || bytes[i] > 0x7e))) return false;
  }
  std::memcpy(out, bytes, length);
  out[length] = 0;
  return true;
}

}  // namespace

uint32_t Crc32(const uint8_t* bytes, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

AttachResult ParseSkinFile(const uint8_t* bytes, size_t size, Look* look) {
  if (size > kMaxFileSize) return kMalformed;
  if (size < kMagic.size()) return kFileTruncated;
  if (std::memcmp(bytes, kMagic.data(), kMagic.size()) != 0) return kBadMagic;
  if (size < kHeaderSize) return kFileTruncated;
  if (ReadU16(bytes + 4) != kFormatVersion) return kBadVersion;
  if (ReadU16(bytes + 6) != 0) return kMalformed;
  size_t payload_size = ReadU32(bytes + 8);
  if (size - kHeaderSize < payload_size) return kFileTruncated;
  if (size - kHeaderSize > payload_size) return kMalformed;
  const uint8_t* payload = bytes + kHeaderSize;
  if (Crc32(payload, payload_size) != ReadU32(bytes + 12)) return kBadChecksum;

  Look read;
  Cursor in{payload, payload + payload_size};
  if (!ReadName(in, 1, true, read.name)) return kMalformed;
  if (!ReadName(in, 0, false, read.title_face)) return kMalformed;

  if (in.Byte() != kColourCount) return kMalformed;
  const uint8_t* rgb = in.Take(kColourCount * 3);
  if (!in.ok) return kMalformed;
  for (size_t i = 0; i < kColourCount; ++i)
    read.colours[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]};

  if (in.Byte() != kMetricCount) return kMalformed;
  const uint8_t* values = in.Take(kMetricCount * 2);
  if (!in.ok) return kMalformed;
  for (size_t i = 0; i < kMetricCount; ++i) {
    uint16_t v = ReadU16(values + 2 * i);
    if (v < kMetricRanges[i].low || v > kMetricRanges[i].high) return kMalformed;
    read.metrics[i] = v;
  }
  if (in.at != in.end) return kMalformed;

  *look = read;
  return kAttached;
}

}  // namespace skin
