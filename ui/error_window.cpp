#include "ui/error_window.h"

#include "app/toolkit/toolkit.h"

namespace ui::error_window {

void OnOkClicked() { toolkit::CloseWindow(ErrorWindow); }

}  // namespace ui::error_window
