// Times HttpRequest of one address (argv[1]) a few times, and FetchFile of it for comparison (the
// same WinINet, but read in chunks of up to 102,400 bytes); wine_bench.sh runs it next to curl.
#include <windows.h>

#include <cstdio>

#include "http/internet.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const auto time = [&](const char* name, ByteBuffer (*fetch)(const char*)) {
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    double best = 1e300;
    std::size_t size = 0;
    for (int i = 0; i < 5; ++i) {
      QueryPerformanceCounter(&t0);
      size = fetch(argv[1]).size();
      QueryPerformanceCounter(&t1);
      const double ms = (t1.QuadPart - t0.QuadPart) * 1000.0 / frequency.QuadPart;
      if (ms < best) best = ms;
    }
    std::printf("%s %zu bytes: best of 5 %.1f ms\n", name, size, best);
  };
  time("HttpRequest", [](const char* url) { return HttpRequest(url); });
  time("FetchFile", [](const char* url) { return FetchFile(url); });
  return 0;
}
