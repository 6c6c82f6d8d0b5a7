#!/usr/bin/env bash
# Builds the plug-in and the renderer, then renders the built-in demo programme through the
# plug-in: build/linux/demo/demo-input.wav and demo-output.wav, with the report on standard error.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux
build/linux/host/orvmorix-render --demo build/linux/demo --json build/linux/demo/demo-report.json
