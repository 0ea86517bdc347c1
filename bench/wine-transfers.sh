#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A full read and a full write of the emulated unit (10,921 entries, all
# 1,024 blocks) through zorvane-cli.exe under Wine, on a COM port Wine maps
# to the unit's pseudo-terminal, beside the Linux zorvane-cli on the same
# kind of pseudo-terminal, in the same run. Each run is timed by the unit:
# how long its line was in use, so neither program's start counts (Wine's
# takes a second or more). Prints the median of RUNS each (3) and the ratio.
# Needs scripts/windows-package and the Linux build in build/release.
#   bash bench/wine-transfers.sh [RUNS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
linux="${ZORVANE_LINUX_BUILD:-$root/build/release}"
runs="${1:-3}"
unit="$linux/emulator/zorvane-unit"
linux_cli="$linux/cli/zorvane-cli"
windows_cli="$root/build/windows-package/zorvane/zorvane-cli.exe"
work="$(mktemp -d)"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
# Timed transfers keep nothing in the unit history.
export ZORVANE_UNIT_HISTORY=off
unit_pid=""
trap '[ -n "$unit_pid" ] && kill "$unit_pid" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
wineboot -i >/dev/null 2>&1
wine reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$work/com5" /f >/dev/null 2>&1
wineserver -k

# A full unit, made by the program itself from two lists (one import takes
# at most 10,900 positions from a list).
positions() { awk -v from="$1" -v to="$2" 'BEGIN { print "X,Y"; for (i = from; i < to; i++)
  printf "%.6f,%.6f\n", -5 + (i % 100) * 0.05, 50 + int(i / 100) * 0.05 }'; }
positions 0 10900 >"$work/most.csv"
positions 10900 10921 >"$work/rest.csv"
"$linux_cli" import "$work/most.csv" "$work/rest.csv" -o "$work/full.db" >/dev/null

# One run: the unit on $work/com5, the program, then the unit's own figure.
line_in_use() {  # line_in_use PROGRAM ARGS... (@PORT@ in ARGS is the unit's device)
  "$unit" --db "$work/full.db" --link "$work/com5" >"$work/unit.out" 2>"$work/unit.err" &
  unit_pid=$!
  for _ in $(seq 100); do [ -s "$work/unit.out" ] && [ -e "$work/com5" ] && break; sleep 0.05; done
  local args=() arg device
  device="$(head -n 1 "$work/unit.out")"
  for arg in "$@"; do args+=("${arg/@PORT@/$device}"); done
  "${args[@]}" >"$work/program.out" 2>&1 || { echo "failed: $* ($(cat "$work/program.out"))" >&2; exit 1; }
  kill "$unit_pid"; wait "$unit_pid" || true; unit_pid=""
  sed -n 's/.*the line was in use \([0-9]*\) ms.*/\1/p' "$work/unit.err"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for command in read write; do
  declare -A took=()
  for side in linux windows; do
    if [ "$side" = linux ]; then program=("$linux_cli"); port=@PORT@; else program=(wine "$windows_cli"); port=COM5; fi
    if [ "$command" = read ]; then args=(read --all-blocks --port "$port" -o "$work/out.db"); else args=(write "$work/full.db" --port "$port"); fi
    took[$side]=$(for _ in $(seq "$runs"); do line_in_use "${program[@]}" "${args[@]}"; done | median)
  done
  echo "$command: Linux ${took[linux]} ms, Windows under Wine ${took[windows]} ms," \
    "ratio $(awk -v w="${took[windows]}" -v l="${took[linux]}" 'BEGIN { printf "%.2f", w / l }')"
done
