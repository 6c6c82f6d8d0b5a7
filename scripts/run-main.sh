#!/usr/bin/env bash
# Builds the plug-in and runs the main job on the built-in default input.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux
build/linux/tests/probe/orvmorix-probe build/linux/plugin/OrvMorix.so
