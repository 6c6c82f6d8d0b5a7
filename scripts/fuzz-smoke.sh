#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UBSan) and runs each one briefly
# from its committed corpus. FUZZ_SECONDS sets the time per target (default 20).
# New inputs go to build/fuzz/corpus/<target>, never into the committed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-20}"
build=build/fuzz
targets=(HostChunk PresetFile BankFile StoredValue)

cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORV_SANITIZER=address -DORV_BUILD_FUZZ=ON -DORV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/fuzz}"

export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in "${targets[@]}"; do
  work="$build/corpus/$target"
  mkdir -p "$work"
  log="$build/fuzz$target.log"
  rm -f "$build"/fuzz"$target"-*
  echo "=== fuzz$target, ${seconds}s ==="
  if ! "$build/fuzz/fuzz$target" -max_total_time="$seconds" -max_len=32768 -timeout=10 \
      -artifact_prefix="$build/fuzz$target-" -print_final_stats=1 "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz$target failed; the input is in $build/fuzz$target-*" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|new_units_added)' "$log"
done
echo "Fuzz targets ran clean."
