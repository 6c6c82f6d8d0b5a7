#!/usr/bin/env bash
# Builds and runs every test suite: native, AddressSanitizer+UBSan, ThreadSanitizer, and the
# Windows x64 and x86 builds under Wine.
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

# Both Windows DLLs (mingw-w64): their suites under Wine, and the same numbers as the Linux build.
scripts/test-windows.sh

echo "All test suites passed."
