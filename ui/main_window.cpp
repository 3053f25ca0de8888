#include "ui/main_window.h"

#include "app/toolkit/toolkit.h"
#include "http/internet.h"
#include "lookup/lookup.h"
#include "ui/details_window.h"
#include "ui/error_window.h"

namespace ui {

bool SerialLookup(std::string_view serial) {
  Text reply;
  {
    const Text address = LookupAddress(serial);
    reply = HttpGetText(address);
  }
  return ParseLookupReply(reply, TheLookupResult());
}

void RunQuery() {
  // The main window is disabled while the opened window is open; a key press already queued for the
  // serial box must not start a second query inside the first all the same.
  static bool running = false;
  if (running) return;
  running = true;
  bool found;
  {
    const Text serial = toolkit::GetText(MainWindow, main_window::序列号);
    found = SerialLookup(serial);
  }
  // Modal: the call comes back once the window has been closed again.
  toolkit::OpenWindow(found ? DetailsWindow : ErrorWindow, true);
  running = false;
}

namespace main_window {

void OnSerialKeyPressed(int key_code, int /*modifiers*/) {
  if (key_code == toolkit::kEnterKey) RunQuery();
}

void OnQueryAreaPressed(int /*x*/, int /*y*/, int /*modifiers*/) { RunQuery(); }

}  // namespace main_window
}  // namespace ui
