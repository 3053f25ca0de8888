// Timings of the program under Wine next to yardsticks measured in the same run (bench.sh):
//   start: process start to the main window visible, next to a program that opens one empty window;
//   query: Enter to the details window visible, next to bare WinINet GETs of the same reply and
//   picture.
//
//   E2E_PROGRAM, E2E_MINIMAL   the programs (Unix paths)
//   E2E_LOOKUP_URL, E2E_PICTURE_URL   what a query of the sample serial in the program's box
//   fetches
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/program_windows.h"

namespace {

constexpr int kRuns = 5;
constexpr char kMinimalTitle[] = "e2e minimal window";

double Now() {
  static LARGE_INTEGER frequency{};
  if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Polls at a millisecond's grain; null after ten seconds.
HWND WhenVisible(const char* title) {
  const double end = Now() + 10000;
  while (Now() < end) {
    if (HWND hwnd = e2e::FindTitled(title)) return hwnd;
    Sleep(1);
  }
  return nullptr;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Report(const char* what, const std::vector<double>& ms) {
  std::printf("%-44s", what);
  for (double v : ms) std::printf(" %7.1f", v);
  std::printf("   median %7.1f ms\n", Median(ms));
}

// Milliseconds from CreateProcess to the window with `title` visible, or -1.
double TimeStart(const std::string& executable, const char* title) {
  const double t0 = Now();
  e2e::Process process = e2e::Start(executable);
  HWND hwnd = process.handle ? WhenVisible(title) : nullptr;
  const double elapsed = Now() - t0;
  if (hwnd) PostMessageA(hwnd, WM_CLOSE, 0, 0);
  DWORD code;
  e2e::WaitForExit(process, 10000, &code);
  e2e::Stop(process);
  return hwnd ? elapsed : -1;
}

// One GET of a path on 127.0.0.1:port, read to its end; the number of bytes of the body.
std::size_t Get(HINTERNET session, INTERNET_PORT port, const std::string& path,
                const char* version) {
  HINTERNET connection =
      InternetConnectA(session, "127.0.0.1", port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  HINTERNET request = connection ? HttpOpenRequestA(connection, "GET", path.c_str(), version,
                                                    nullptr, nullptr, INTERNET_FLAG_RELOAD, 0)
                                 : nullptr;
  std::size_t total = 0;
  if (request && HttpSendRequestA(request, nullptr, 0, nullptr, 0)) {
    char buffer[65536];
    DWORD got = 0;
    while (InternetReadFile(request, buffer, sizeof buffer, &got) && got) total += got;
  }
  if (request) InternetCloseHandle(request);
  if (connection) InternetCloseHandle(connection);
  return total;
}

// The reply and the picture, each through a session of its own and in the HTTP version the
// program's query asks them in.
double TimeBareGets(INTERNET_PORT port, const std::string& lookup_path,
                    const std::string& picture_path, std::size_t* bytes) {
  const double t0 = Now();
  *bytes = 0;
  const struct {
    const std::string* path;
    const char* version;
  } gets[] = {{&lookup_path, "HTTP/1.1"}, {&picture_path, "HTTP/1.0"}};
  for (const auto& get : gets) {
    HINTERNET session = InternetOpenA("e2e", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    *bytes += Get(session, port, *get.path, get.version);
    InternetCloseHandle(session);
  }
  return Now() - t0;
}

// Enter to the window with `title` visible, kRuns + 1 times (after typing `serial` when given).
std::vector<double> TimeQueries(HWND main, const std::string& serial, const char* title) {
  HWND box = e2e::Control(main, e2e::main_window::序列号);
  if (!serial.empty()) {
    e2e::BringToFront(main);
    e2e::Tap(VK_END);
    e2e::Tap(VK_HOME, {VK_SHIFT});
    e2e::TypeAscii(serial);
    e2e::WaitUntil([&] { return e2e::Text(box) == serial; });
  }
  std::vector<double> times;
  for (int i = 0; i <= kRuns; ++i) {
    e2e::BringToFront(main);
    Sleep(200);
    const double t0 = Now();
    e2e::Tap(VK_RETURN);
    HWND shown = WhenVisible(title);
    times.push_back(Now() - t0);
    if (!shown) break;
    e2e::BringToFront(shown);
    e2e::Tap(VK_ESCAPE);
    e2e::WaitForNoWindow(title);
    e2e::WaitUntil([&] { return IsWindowEnabled(main) != FALSE; });
  }
  return times;
}

int Bench() {
  const std::string program = e2e::WindowsPath(e2e::Environment("E2E_PROGRAM"));
  const std::string minimal = e2e::WindowsPath(e2e::Environment("E2E_MINIMAL"));
  const auto port = static_cast<INTERNET_PORT>(std::stoi(e2e::Environment("E2E_PORT")));
  const std::string lookup_path = e2e::Environment("E2E_LOOKUP_PATH");
  const std::string picture_path = e2e::Environment("E2E_PICTURE_PATH");

  // Start, the two programs taking turns so that both see the same machine.
  std::vector<double> program_start, minimal_start;
  for (int i = 0; i < kRuns; ++i) {
    minimal_start.push_back(TimeStart(minimal, kMinimalTitle));
    program_start.push_back(TimeStart(program, e2e::kMainTitle.c_str()));
  }
  Report("start: minimal window visible (ms)", minimal_start);
  Report("start: program main window visible (ms)", program_start);
  std::printf("start ratio (median program / median minimal): %.2f\n\n",
              Median(program_start) / Median(minimal_start));

  // Query: the first in a fresh process (WinINet loaded on the way), then warm ones.
  e2e::Process process = e2e::Start(program);
  HWND main = process.handle ? WhenVisible(e2e::kMainTitle.c_str()) : nullptr;
  if (!main) {
    std::fprintf(stderr, "bench: the program does not start\n");
    e2e::Stop(process);
    return 1;
  }
  const std::vector<double> query = TimeQueries(main, "", e2e::kDetailsTitle.c_str());
  // Where the time goes: a query without a picture, and a failed lookup with its small window.
  const std::vector<double> no_picture =
      TimeQueries(main, "F17LM2PQFH19", e2e::kDetailsTitle.c_str());
  const std::vector<double> failed = TimeQueries(main, "000000000000", e2e::kErrorTitle.c_str());
  PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD code;
  e2e::WaitForExit(process, 10000, &code);
  e2e::Stop(process);

  std::vector<double> bare;
  std::size_t bytes = 0;
  for (int i = 0; i <= kRuns; ++i)
    bare.push_back(TimeBareGets(port, lookup_path, picture_path, &bytes));
  std::printf(
      "query: first Enter to details visible %.1f ms; bare WinINet, first %.1f ms (%zu bytes)\n",
      query[0], bare[0], bytes);
  const std::vector<double> warm_query(query.begin() + 1, query.end());
  const std::vector<double> warm_bare(bare.begin() + 1, bare.end());
  Report("query: Enter to details window visible (ms)", warm_query);
  Report("query: bare WinINet reply + picture (ms)", warm_bare);
  std::printf("query ratio (median program / median bare WinINet): %.2f; first: %.2f\n\n",
              Median(warm_query) / Median(warm_bare), query[0] / bare[0]);
  Report("query without a picture (F17LM2PQFH19) (ms)", no_picture);
  Report("failed lookup to the error window (ms)", failed);
  return 0;
}

}  // namespace

int main() {
  const int result = Bench();
  std::fflush(stdout);
  return result;
}
