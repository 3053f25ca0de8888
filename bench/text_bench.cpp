// Times the searching and cutting primitives and the reply parsing on ASCII and on GBK-heavy texts,
// with std::string_view::find over the same text as the baseline of the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "lookup/lookup.h"
#include "text/text.h"
#include "text/text_between.h"

namespace {

enum Kind { kAscii = 0, kGbk = 1 };

// Deterministic filler. ASCII: words, blanks and "; ". GBK-heavy: four of five characters are
// two-byte, and their second bytes often look like ASCII letters, which a byte search proposes and
// the character walk has to reject.
std::string Filler(std::size_t size, int kind) {
  std::uint32_t state = 12345;
  auto next = [&] {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  };
  static const char* const kWords[] = {"lorem ", "ipsum ", "dolor ", "sit ", "amet; ", "serial "};
  std::string out;
  out.reserve(size + 8);
  while (out.size() < size) {
    if (kind == kAscii || next() % 5 == 0) {
      out += kWords[next() % 6];
    } else {
      out += static_cast<char>(0x81 + next() % 0x7E);
      out += static_cast<char>(0x40 + next() % 0xBF);  // 0x40..0xFE, 0x7F included
    }
  }
  out.resize(size);
  if (static_cast<unsigned char>(out.back()) >= 0x80) out.back() = ' ';
  return out;
}

// Its first bytes are frequent in the filler ("serial ", and 's' as a second byte), so the searches
// stop often; it occurs only at the very end, so every search runs over the whole text.
constexpr std::string_view kNeedle = "serial number:";

const std::string& Haystack(std::size_t size, int kind) {
  static std::string cache[2][3];
  std::string& s = cache[kind][size == 1024 ? 0 : size == 65536 ? 1 : 2];
  if (s.empty()) {
    s = Filler(size - kNeedle.size() - 5, kind) + std::string(kNeedle) + "[x]\"}}";
  }
  return s;
}

// A reply whose eleven members follow a long leading member, so that every cut reads it all.
const std::string& Reply(std::size_t size, int kind) {
  static std::string cache[2][3];
  std::string& s = cache[kind][size == 1024 ? 0 : size == 65536 ? 1 : 2];
  if (s.empty()) {
    const std::string members =
        R"(","resultcode":"0","data":{"phone_model":"iPhone 5","size":"16GB",)"
        R"("color":"\u9ed1\u8272","active":"\u5df2\u6fc0\u6d3b","warranty_status":"\u672a\u8fc7\u671f",)"
        R"("warranty":"90","tele_support_status":"\u5df2\u8fc7\u671f","start_date":"2012-09-01",)"
        R"("end_date":"2012-10-01","image":"iphone 5_black"}})";
    s = "{\"note\":\"" + Filler(size - members.size() - 9, kind) + members;
  }
  return s;
}

void Setup(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes));
  state.SetLabel(state.range(1) == kAscii ? "ascii" : "gbk");
}

void BM_StringViewFind(benchmark::State& state) {
  const std::string_view t = Haystack(state.range(0), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(t.find(kNeedle));
  Setup(state, t.size());
}

void BM_TextFind(benchmark::State& state) {
  const std::string_view t = Haystack(state.range(0), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(TextFind(t, kNeedle));
  Setup(state, t.size());
}

void BM_TextFindLast(benchmark::State& state) {
  const std::string_view t = Haystack(state.range(0), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(TextFindLast(t, kNeedle));
  Setup(state, t.size());
}

void BM_TextReplace(benchmark::State& state) {
  const std::string_view t = Haystack(state.range(0), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(TextReplace(t, " ", "%20"));
  Setup(state, t.size());
}

void BM_TextSplit(benchmark::State& state) {
  const std::string_view t = Haystack(state.range(0), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(TextSplit(t, "; "));
  Setup(state, t.size());
}

void BM_TextBetween(benchmark::State& state) {
  const std::string_view t = Haystack(state.range(0), static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(TextBetween(t, "number:[", "]#引号}}"));
  Setup(state, t.size());
}

void BM_ParseLookupReply(benchmark::State& state) {
  const std::string_view reply = Reply(state.range(0), static_cast<int>(state.range(1)));
  LookupResult result;
  for (auto _ : state) benchmark::DoNotOptimize(ParseLookupReply(reply, result));
  Setup(state, reply.size());
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int kind : {kAscii, kGbk}) {
    for (int size : {1 << 10, 1 << 16, 1 << 20}) b->Args({size, kind});
  }
}

BENCHMARK(BM_StringViewFind)->Apply(Sizes);
BENCHMARK(BM_TextFind)->Apply(Sizes);
BENCHMARK(BM_TextFindLast)->Apply(Sizes);
BENCHMARK(BM_TextReplace)->Apply(Sizes);
BENCHMARK(BM_TextSplit)->Apply(Sizes);
BENCHMARK(BM_TextBetween)->Apply(Sizes);
BENCHMARK(BM_ParseLookupReply)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
