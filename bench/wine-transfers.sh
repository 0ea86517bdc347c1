#!/usr/bin/env bash
# A full read and a full write of the emulated unit (10,921 entries) through
# zorvane-cli.exe under Wine, on a COM port Wine maps to the unit's
# pseudo-terminal, beside the Linux zorvane-cli on the same kind of
# pseudo-terminal, in the same run. Prints the median of RUNS each (3).
# Needs scripts/windows-package and the Linux build in build/release.
#   bash bench/wine-transfers.sh [RUNS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
linux="${ZORVANE_LINUX_BUILD:-$root/build/release}"
runs="${1:-3}"
unit="$linux/tools/unit/zorvane-unit"
linux_cli="$linux/tools/cli/zorvane-cli"
windows_cli="$root/build/windows-package/zorvane/zorvane-cli.exe"
work="$(mktemp -d)"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
unit_pid=""
trap '[ -n "$unit_pid" ] && kill "$unit_pid" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
wineboot -i >/dev/null 2>&1
wine reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$work/com5" /f >/dev/null 2>&1
wineserver -k

# A full unit, made by the program itself from a list of 10,921 positions.
awk 'BEGIN { print "X,Y"; for (i = 0; i < 10921; i++) printf "%.6f,%.6f\n", -5 + (i % 100) * 0.05, 50 + int(i / 100) * 0.05 }' \
  >"$work/full.csv"
"$linux_cli" import "$work/full.csv" -o "$work/full.db" >/dev/null

start_unit() {
  [ -n "$unit_pid" ] && { kill "$unit_pid"; wait "$unit_pid" 2>/dev/null || true; }
  "$unit" --db "$work/full.db" --link "$work/com5" >"$work/unit.out" 2>&1 &
  unit_pid=$!
  for _ in $(seq 100); do [ -s "$work/unit.out" ] && [ -e "$work/com5" ] && return; sleep 0.05; done
}
ms() { local started; started=$(date +%s%N); "$@" >/dev/null 2>&1; echo $((($(date +%s%N) - started) / 1000000)); }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# Wine's own start and end, taken off the Windows figures.
wine_start=$(for _ in $(seq "$runs"); do ms wine "$windows_cli" --version; done | median)

for command in read write; do
  for side in linux windows; do
    times=$(for _ in $(seq "$runs"); do
      start_unit
      if [ "$side" = linux ]; then port="$(head -n 1 "$work/unit.out")"; program=("$linux_cli"); else port=COM5; program=(wine "$windows_cli"); fi
      if [ "$command" = read ]; then ms "${program[@]}" read --all-blocks --port "$port" -o "$work/out.db"
      else ms "${program[@]}" write "$work/full.db" --port "$port"; fi
    done | median)
    [ "$side" = windows ] && times=$((times - wine_start))
    echo "$command $side: $times ms"
  done
done
echo "(Wine's start and end, $wine_start ms, taken off the Windows figures)"
