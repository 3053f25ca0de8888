// How the request engine's body accumulation scales: a fake streams N bytes in 1024-byte reads,
// next to one memcpy of the same size. Reported, not asserted. (No <chrono>: it does not compile
// with the GBK execution character set.)
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "http/http_request.h"

namespace {

std::vector<unsigned char> g_source;
std::size_t g_offset = 0;

InternetHandle Handle() { return reinterpret_cast<InternetHandle>(1); }
int Close(InternetHandle) { return 1; }
InternetHandle Open(const char*, std::uint32_t, const char*, const char*, std::uint32_t) {
  return Handle();
}
InternetHandle Connect(InternetHandle, const char*, std::uint16_t, const char*, const char*,
                       std::uint32_t, std::uint32_t, std::uintptr_t) {
  return Handle();
}
InternetHandle OpenRequest(InternetHandle, const char*, const char*, const char*, const char*,
                           const char**, std::uint32_t, std::uintptr_t) {
  return Handle();
}
int Send(InternetHandle, const char*, std::uint32_t, const void*, std::uint32_t) { return 1; }
int Read(InternetHandle, void* buffer, std::uint32_t to_read, std::uint32_t* got) {
  const std::size_t n = std::min<std::size_t>(to_read, g_source.size() - g_offset);
  std::memcpy(buffer, g_source.data() + g_offset, n);
  g_offset += n;
  *got = static_cast<std::uint32_t>(n);
  return 1;
}
int Query(InternetHandle, std::uint32_t, void* buffer, std::uint32_t*, std::uint32_t*) {
  std::strcpy(static_cast<char*>(buffer), "HTTP/1.1 200 OK\r\n\r\n");
  return 1;
}

const InternetOps kStreaming = {Open, Close, Connect, OpenRequest, Send, Send, Read, Query};

template <typename F>
double BestMs(int rounds, F f) {
  double best = 1e300;
  for (int i = 0; i < rounds; ++i) {
    timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    f();
    clock_gettime(CLOCK_MONOTONIC, &t1);
    best = std::min(best, (t1.tv_sec - t0.tv_sec) * 1e3 + (t1.tv_nsec - t0.tv_nsec) / 1e6);
  }
  return best;
}

}  // namespace

int main() {
  // A fixed threshold keeps glibc from keeping freed big blocks around, so that every run, the
  // engine's and the fresh copy's, pays for first-touching its pages, as a real download does.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  std::printf("%-8s %14s %18s %8s %17s\n", "size", "HttpRequest ms", "memcpy fresh ms", "ratio",
              "memcpy warm ms");
  for (std::size_t mib : {8, 64}) {
    const std::size_t size = mib << 20;
    g_source.assign(size, 0x5A);
    std::size_t sink = 0;
    const double request_ms = BestMs(5, [&] {
      g_offset = 0;
      sink += HttpRequest(kStreaming, "http://h/").size();
    });
    // The copy into a buffer of its own, as the body is a buffer of its own.
    const double copy_ms = BestMs(5, [&] {
      std::unique_ptr<unsigned char[]> copy(new unsigned char[size]);
      std::memcpy(copy.get(), g_source.data(), size);
      sink += copy[size / 2];
    });
    std::vector<unsigned char> warm(size, 1);
    const double warm_ms = BestMs(5, [&] {
      std::memcpy(warm.data(), g_source.data(), size);
      sink += warm[size / 2];
    });
    std::printf("%3zu MiB  %14.2f %18.2f %7.2fx %17.2f\n", mib, request_ms, copy_ms,
                request_ms / copy_ms, warm_ms);
    if (sink == 0) std::puts("");
  }
}
