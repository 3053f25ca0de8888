// Times HttpRequest of one address (argv[1]) a few times; wine_bench.sh runs it next to curl.
#include <windows.h>

#include <cstdio>

#include "http/internet.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  LARGE_INTEGER frequency, t0, t1;
  QueryPerformanceFrequency(&frequency);
  double best = 1e300;
  std::size_t size = 0;
  for (int i = 0; i < 5; ++i) {
    QueryPerformanceCounter(&t0);
    size = HttpRequest(argv[1]).size();
    QueryPerformanceCounter(&t1);
    const double ms = (t1.QuadPart - t0.QuadPart) * 1000.0 / frequency.QuadPart;
    if (ms < best) best = ms;
  }
  std::printf("HttpRequest %zu bytes: best of 5 %.1f ms\n", size, best);
  return 0;
}
