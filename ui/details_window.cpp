#include "ui/details_window.h"

#include <optional>

#include "app/toolkit/toolkit.h"
#include "http/internet.h"
#include "lookup/detail_texts.h"
#include "lookup/lookup.h"
#include "ui/main_window.h"

namespace ui::details_window {

void FillDetailsWindow() {
  toolkit::SetBackgroundPicture(
      DetailsWindow,
      ByteBuffer(kDetailsBackground.bytes, kDetailsBackground.bytes + kDetailsBackground.size));

  const Text serial = toolkit::GetText(MainWindow, main_window::序列号);
  const DetailLabelTexts texts = DetailTexts(TheLookupResult(), serial);

  // In this order; a label the rules give nothing for keeps its empty design caption.
  const struct {
    int label;
    const std::optional<Text>& text;
  } rows[] = {
      {序列号, texts.序列号},     {设名, texts.设名},         {名称, texts.名称},
      {容量, texts.容量},         {颜色, texts.颜色},         {激活状态, texts.激活状态},
      {硬件保修, texts.硬件保修}, {电话支持, texts.电话支持}, {生产地, texts.生产地},
      {生产日期, texts.生产日期},
  };
  for (const auto& row : rows) {
    if (row.text) toolkit::SetText(DetailsWindow, row.label, *row.text);
  }

  // Without an address `iphone` keeps the photo of its design; failed or foreign bytes leave it
  // white.
  if (texts.picture_address) {
    const ByteBuffer bytes = FetchFile(*texts.picture_address);
    toolkit::SetPicture(DetailsWindow, iphone, bytes);
  }
}

void OnOkClicked() { toolkit::CloseWindow(DetailsWindow); }

}  // namespace ui::details_window
