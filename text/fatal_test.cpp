#include "text/fatal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <new>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
// Let an impossible request come back as null, as the system allocator does, instead of aborting.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
#endif

namespace {

struct FatalRaised {
  std::string message;
  int code;
};

[[noreturn]] void ThrowFatal(std::string_view message, int code) {
  throw FatalRaised{std::string(message), code};
}

void IgnoreFatal(std::string_view, int) {}

class FatalHook : public testing::Test {
 protected:
  void SetUp() override { SetFatalHandler(ThrowFatal); }
  void TearDown() override { SetFatalHandler(nullptr); }
};

void* volatile g_kept;  // keeps the compiler from dropping the allocations

// Sizes no allocator can satisfy, on 32-bit and 64-bit targets alike, all beyond INT_MAX.
constexpr std::size_t kHuge[] = {
    std::numeric_limits<std::size_t>::max() - 15,
    std::numeric_limits<std::size_t>::max() / 4 * 3,
};

TEST_F(FatalHook, FailedAllocationReportsTheSizeAskedFor) {
  for (const std::size_t bytes : kHuge) {
    const std::string want = "分配 " + std::to_string(bytes) + " 字节内存失败!";
    for (const bool array : {false, true}) {
      SCOPED_TRACE(std::to_string(bytes) + (array ? " new[]" : " new"));
      volatile std::size_t size = bytes;
      try {
        g_kept = array ? ::operator new[](size) : ::operator new(size);
        ADD_FAILURE() << "allocation succeeded";
        ::operator delete(g_kept);
      } catch (const FatalRaised& raised) {
        EXPECT_EQ(raised.message, want);
        EXPECT_EQ(raised.code, 0);
      }
    }
  }
}

TEST_F(FatalHook, MessageIsGbk) {
  try {
    FailAllocation(12);
  } catch (const FatalRaised& raised) {
    // 分配 is B7 D6 C5 E4 in code page 936
    EXPECT_EQ(raised.message.substr(0, 8), "\xB7\xD6\xC5\xE4 12 ");
    EXPECT_EQ(raised.message.back(), '!');
  }
}

TEST_F(FatalHook, OrdinaryAllocationsDoNotRaise) {
  g_kept = ::operator new(0);
  EXPECT_NE(g_kept, nullptr);
  ::operator delete(g_kept);
  g_kept = ::operator new (std::size_t{1} << 20, std::nothrow);
  EXPECT_NE(g_kept, nullptr);
  ::operator delete(g_kept);
}

TEST(FatalHookDeathTest, EndsTheProgramWithMinusOne) {
#ifdef _WIN32
  const int kExitMinusOne = -1;
#else
  const int kExitMinusOne = 255;
#endif
  EXPECT_EXIT(RaiseFatal("no memory", 7), testing::ExitedWithCode(kExitMinusOne), "no memory");
  EXPECT_EXIT(
      {
        SetFatalHandler(IgnoreFatal);
        RaiseFatal("handler returns", 0);
      },
      testing::ExitedWithCode(kExitMinusOne), "");
}

}  // namespace
