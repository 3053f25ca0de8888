#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs each from its committed seed
# corpus for a few seconds. New inputs go to a scratch folder; the committed corpus is not changed.
#   fuzz/run.sh            5 seconds per target (the test command)
#   fuzz/run.sh 600        a longer run: 10 minutes per target
# A crash, leak or sanitizer report fails the run; its input is kept in build/fuzz/artifacts/.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-5}
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}

cmake -G Ninja -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
ninja -C "$build" -j2 >/dev/null || { ninja -C "$build" -j1; exit 1; }
mkdir -p "$build/artifacts"

passed=0 failed=0
for corpus in "$root"/fuzz/corpus/*/; do
  target=$(basename "$corpus")
  [ -x "$build/$target" ] || continue
  scratch=$(mktemp -d)
  if "$build/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$target-" "$scratch" "$corpus" >"$build/$target.log" 2>&1; then
    echo "fuzz: $target ok ($(grep -o 'stat::number_of_executed_units: [0-9]*' "$build/$target.log" | grep -o '[0-9]*$' || echo '?') runs)"
    passed=$((passed + 1))
  else
    echo "fuzz: $target FAILED, see $build/$target.log"
    tail -n 30 "$build/$target.log"
    failed=$((failed + 1))
  fi
  rm -rf "$scratch"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
