#!/usr/bin/env bash
# Side by side: renders one input through Orv Morix and through LSP Limiter Stereo (Debian's
# lsp-plugins-vst) in the same host, orvmorix-render, with settings as close as the two allow:
# output ceiling, input gain, release, and inter-sample (oversampled) detection off and on.
# Prints each render's realtime factor (median of RUNS), their ratio, and each output's true
# peak and loudness.
#
#   bench/compare.sh [INPUT]      default INPUT: the renderer's built-in demo programme
#   RUNS=9 CEILING_DB=-1 GAIN_DB=0 RELEASE_MS=20 bench/compare.sh
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build/linux}
RUNS=${RUNS:-5}
CEILING_DB=${CEILING_DB:--1}
GAIN_DB=${GAIN_DB:-0}
RELEASE_MS=${RELEASE_MS:-20}   # the longest release LSP Limiter offers
LSP_OVERSAMPLING=${LSP_OVERSAMPLING:-Full x4}
RENDER=$BUILD/host/orvmorix-render
OURS=$BUILD/plugin/OrvMorix.so
LSP=/usr/lib/vst/lsp-plugins/limiter-stereo.so

if ! dpkg-query -W -f='${Status}' lsp-plugins-vst 2>/dev/null | grep -q "install ok installed"; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends lsp-plugins-vst
fi
if [ ! -x "$RENDER" ] || [ ! -f "$OURS" ]; then
  scripts/install-deps.sh
  cmake --preset linux >/dev/null
  cmake --build "$BUILD" --target orvmorix-render OrvMorix
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

input=${1:-}
if [ -z "$input" ]; then
  "$RENDER" --demo "$work/demo" --quiet
  input=$work/demo/demo-input.wav
fi

# The display text of PARAM at normalised VALUE (everything after the value column).
display() {
  "$RENDER" --plugin "$1" --set "$2=$3" --list-params |
    awk -v p="$2" '$2 == p { s = $4; for (i = 5; i <= NF; i++) s = s " " $i; print s; exit }'
}

# The normalised value whose displayed number is TARGET, for a parameter that rises with its value.
solve() {
  local plugin=$1 param=$2 target=$3 low=0 high=1 mid shown i
  for ((i = 0; i < 24; i++)); do
    mid=$(awk -v a="$low" -v b="$high" 'BEGIN { printf "%.8f", (a + b) / 2 }')
    shown=$(display "$plugin" "$param" "$mid" | awk '{ print $1 + 0 }')
    if awk -v s="$shown" -v t="$target" 'BEGIN { exit !(s < t) }'; then low=$mid; else high=$mid; fi
  done
  echo "$mid"
}

# The first normalised value (in steps of 1/40) whose display reads TEXT.
choice() {
  local plugin=$1 param=$2 text=$3 i value
  for ((i = 0; i <= 40; i++)); do
    value=$(awk -v i="$i" 'BEGIN { printf "%.4f", i / 40 }')
    if [ "$(display "$plugin" "$param" "$value")" = "$text" ]; then echo "$value"; return; fi
  done
  echo "no value of $param reads '$text'" >&2
  exit 1
}

echo "Finding comparable settings: ceiling ${CEILING_DB} dB, gain ${GAIN_DB} dB, release ${RELEASE_MS} ms" >&2
ours_common=(--set "Output=$(solve "$OURS" Output "$CEILING_DB")" --set "Drive=$(solve "$OURS" Drive "$GAIN_DB")"
             --set "Release=$(solve "$OURS" Release "$RELEASE_MS")" --set "Leveller=1" --set "AutoOut=0"
             --set "Quantize=0")
ours_off=("${ours_common[@]}" --set "Oversample=$(choice "$OURS" Oversample off)")
ours_on=("${ours_common[@]}" --set "Oversample=$(choice "$OURS" Oversample on)")
lsp_common=(--set "th=$(solve "$LSP" th "$CEILING_DB")" --set "g_in=$(solve "$LSP" g_in "$GAIN_DB")"
            --set "g_out=$(solve "$LSP" g_out 0)" --set "rt=$(solve "$LSP" rt "$RELEASE_MS")"
            --set "boost=$(choice "$LSP" boost off)" --set "alr=$(choice "$LSP" alr off)"
            --set "dith=$(choice "$LSP" dith None)")
lsp_off=("${lsp_common[@]}" --set "ovs=$(choice "$LSP" ovs None)")
lsp_on=("${lsp_common[@]}" --set "ovs=$(choice "$LSP" ovs "$LSP_OVERSAMPLING")")

# Renders RUNS times; keeps the last report and collects the realtime factors.
render() {
  local name=$1 plugin=$2 run
  shift 2
  for ((run = 0; run < RUNS; run++)); do
    "$RENDER" --plugin "$plugin" "$@" --quiet --json "$work/$name-$run.json" "$input" "$work/$name.wav"
  done
}

echo "Orv Morix:          ${ours_common[*]}" >&2
echo "LSP Limiter Stereo: ${lsp_common[*]}" >&2
echo "Rendering $input, $RUNS runs each; latency as each plug-in reports it, compensated" >&2
render ours-off "$OURS" "${ours_off[@]}"
render ours-on "$OURS" "${ours_on[@]}"
render lsp-off "$LSP" "${lsp_off[@]}"
render lsp-on "$LSP" "${lsp_on[@]}"

/usr/bin/python3 - "$work" "$RUNS" "$LSP_OVERSAMPLING" <<'PY'
import json, statistics, sys
work, runs, lsp_ovs = sys.argv[1], int(sys.argv[2]), sys.argv[3]

def load(name):
    reports = [json.load(open(f"{work}/{name}-{i}.json")) for i in range(runs)]
    last = reports[-1]
    return {
        "speed": statistics.median(r["realtime_factor"] for r in reports),
        "tp": last["output"]["true_peak_dbtp"],
        "lufs": last["output"]["integrated_lufs"],
        "latency": last["latency_samples"],
        "input": last["input"],
        "duration": last["duration_seconds"],
    }

def level(v):
    return "    -inf" if v is None else f"{v:+8.2f}"

rows = [("Orv Morix", "off", load("ours-off")), ("Orv Morix", "on", load("ours-on")),
        ("LSP Limiter Stereo", "off", load("lsp-off")), ("LSP Limiter Stereo", f"on ({lsp_ovs})", load("lsp-on"))]
first = rows[0][2]
print(f"input: {first['duration']:.2f} s, true peak {level(first['input']['true_peak_dbtp'])} dBTP, "
      f"loudness {level(first['input']['integrated_lufs'])} LUFS")
print(f"{'plug-in':20} {'oversampling':16} {'realtime':>10} {'latency':>8} {'true peak':>14} {'loudness':>14}")
for name, ovs, r in rows:
    print(f"{name:20} {ovs:16} {r['speed']:9.1f}x {r['latency']:8d} {level(r['tp'])} dBTP {level(r['lufs'])} LUFS")
for label, ours, lsp in (("off", rows[0][2], rows[2][2]), ("on", rows[1][2], rows[3][2])):
    print(f"speed ratio Orv Morix / LSP, oversampling {label}: {ours['speed'] / lsp['speed']:.2f}")
PY
