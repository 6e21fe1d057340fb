#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) into
# build-fuzz/ and runs one of them, or each in turn, for SECONDS on a copy of its seed corpus:
#     scripts/fuzz.sh TARGET SECONDS      (TARGET: a fuzz/<TARGET>_fuzzer.cpp, or all)
# Fails on any crash, leak, timeout or sanitizer report; the input that caused it is left in
# build-fuzz/runs/<TARGET>/ and named in the output. The checked-in corpus is never written.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ne 2 ] || ! [[ "$2" =~ ^[0-9]+$ ]]; then
  echo "usage: $0 TARGET|all SECONDS" >&2
  exit 2
fi
target=$1
seconds=$2
if [ "$target" = all ]; then
  targets=()
  for source in "$root"/fuzz/*_fuzzer.cpp; do
    name=$(basename "$source" _fuzzer.cpp)
    targets+=("$name")
  done
  build_target=fuzz_all
else
  if [ ! -f "$root/fuzz/${target}_fuzzer.cpp" ]; then
    echo "no fuzz target $target (fuzz/${target}_fuzzer.cpp)" >&2
    exit 2
  fi
  targets=("$target")
  build_target=fuzz_$target
fi

"$root/scripts/install-deps.sh"
build_dir=${FUZZ_BUILD_DIR:-$root/build-fuzz}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
export CCACHE_NOHASHDIR=1
# Unoptimised, with line tables only: the rooms build in half the time (the CI step builds
# them from scratch), the targets still run thousands of inputs a second, and stack traces keep
# their lines. FUZZ_OPT=-O1 makes longer runs faster.
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="${FUZZ_OPT:--O0} -gline-tables-only" \
  -DCMAKE_CXX_COMPILER=clang++ -DDEXMORO_FUZZ=ON -DDEXMORO_TESTS=OFF >/dev/null
cmake --build "$build_dir" --target "$build_target" -j "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
failed=()
for name in "${targets[@]}"; do
  run_dir=$build_dir/runs/$name
  rm -rf "$run_dir"
  mkdir -p "$run_dir/corpus"
  cp -r "$root/fuzz/corpus/$name/." "$run_dir/corpus/" 2>/dev/null || true
  echo "== fuzz_$name for ${seconds}s"
  if ! "$build_dir/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$run_dir/" "$run_dir/corpus" \
    >"$run_dir/log.txt" 2>&1; then
    tail -n 60 "$run_dir/log.txt"
    echo "fuzz_$name FAILED; the input is in $run_dir/ (log: $run_dir/log.txt)" >&2
    failed+=("$name")
    continue
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run_dir/log.txt")
  echo "fuzz_$name: ${runs:-?} executions in ${seconds}s, no findings"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing failed: ${failed[*]}" >&2
  exit 1
fi
