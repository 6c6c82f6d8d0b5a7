#!/usr/bin/env bash
# Builds and runs every test suite: native, AddressSanitizer+UBSan, ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in linux asan tsan; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

# A short run of every fuzz target (clang, libFuzzer).
scripts/fuzz-smoke.sh

echo "All test suites passed."
