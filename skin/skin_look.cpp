#include "skin/skin_look.h"

#include <cstring>

namespace skin {
namespace {

Look g_look;
HFONT g_caption_font = nullptr;

LOGFONTA SystemCaptionFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    // Systems before Vista know the record without its last field.
    metrics.cbSize = sizeof(metrics) - sizeof(metrics.iPaddedBorderWidth);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
      LOGFONTA fallback = {};
      GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(fallback), &fallback);
      return fallback;
    }
  }
  return metrics.lfCaptionFont;
}

}  // namespace

void SetCurrentLook(const Look& look) {
  g_look = look;
  if (g_caption_font) DeleteObject(g_caption_font);
  g_caption_font = nullptr;
}

COLORREF ColourOf(Colour slot) {
  const Rgb& c = g_look.colours[slot];
  return RGB(c.r, c.g, c.b);
}

int MetricOf(Metric slot) { return g_look.metrics[slot]; }

HFONT CaptionFont() {
  if (!g_caption_font) {
    LOGFONTA font = SystemCaptionFont();
    if (g_look.title_face[0]) {
      std::memcpy(font.lfFaceName, g_look.title_face, sizeof(g_look.title_face));
      font.lfCharSet = DEFAULT_CHARSET;
    }
    if (MetricOf(kTitleFontHeight) > 0) font.lfHeight = -MetricOf(kTitleFontHeight);
    font.lfWeight = MetricOf(kTitleFontWeight);
    g_caption_font = CreateFontIndirectA(&font);
  }
  return g_caption_font ? g_caption_font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace skin
