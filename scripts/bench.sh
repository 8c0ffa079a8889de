#!/usr/bin/env bash
# Builds the measuring programs and prints one table of figures:
#  1. start-up of Corvandel.exe against Wine's own regedit.exe on one copy of
#     the prefix, in pairs, launch to the tree and to the first idle: measured
#     undisturbed (Corvandel notes its own moments, regedit is waited for with
#     WaitForInputIdle) and watched (the tree polled from outside), so that
#     the two methods can be compared;
#  2. selection from outside of every tree node, each paired with regedit's
#     selection of a key of ten values; then in process, against the registry
#     reads it makes;
#  3. "Apply Changes" on every tweak as loaded, against the registry calls it
#     makes plus the two file writes it needs (history and backup);
#  4. the native corvandel-cli: "show" of every node in one process, the tree
#     under a language file of about 44 KB, and registry files of 5 and 100 MB
#     read, applied to and written back.
# Medians with [min .. max]. Usage: scripts/bench.sh [PAIRS] (default 9).
set -euo pipefail
source "$(dirname "$0")/common.sh"

PAIRS=${1:-9}
SELECT_PASSES=3
OUTSIDE_PASSES=3  # selections from outside: each node's median of three, about a minute and a half
HEADLESS_RUNS=9
BENCH_NATIVE=$BUILD/bench-native

ensure_packages
mkdir -p "$BUILD"
log "building (log: $BUILD/build-bench.log)"
{
  configure_windows
  cmake --build "$WINDOWS_BUILD" --target dist corvandel_bench_launch corvandel_bench_select corvandel_bench_window
  # The headless figures come from an optimised build of the front end.
  cmake -S "$ROOT" -B "$BENCH_NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Release "${LAUNCHER[@]}"
  cmake --build "$BENCH_NATIVE" --target corvandel-cli
} >"$BUILD/build-bench.log" 2>&1 || { tail -n 40 "$BUILD/build-bench.log"; exit 1; }
ensure_wine_prefix

scratch=$(mktemp -d)
# Start-up and applies change the registry and the program folder: both are
# copies.
cp -a "$WINEPREFIX" "$scratch/prefix"
export WINEPREFIX=$scratch/prefix
cp -a "$DIST" "$scratch/program"
trap 'stop_wineserver; stop_xvfb; rm -rf "$scratch"' EXIT
start_xvfb
start_wineserver

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

echo
printf '%-44s %10s  %-22s %s\n' "figure" "median" "[min .. max]" "unit"
echo "-- 1. start-up, $PAIRS pairs"
wine "$WINDOWS_BUILD/bench/corvandel_bench_launch.exe" "$PAIRS" \
  "$(windows_path "$scratch/program/Corvandel.exe")" 'C:\windows\regedit.exe' regedit </dev/null

# For the other program's selections: a key of ten values (five texts, five
# numbers) and an empty sibling.
awk 'BEGIN {
  printf "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Corvandel Bench\\Empty]\r\n\r\n"
  printf "[HKEY_CURRENT_USER\\Software\\Corvandel Bench\\Ten Values]\r\n"
  for (v = 0; v < 10; ++v)
    if (v % 2) printf "\"Number %d\"=dword:%08x\r\n", v, v * 1000
    else printf "\"Text %d\"=\"value %d, a few words long\"\r\n", v, v
}' >"$scratch/ten.reg"
wine reg import "$(windows_path "$scratch/ten.reg")" </dev/null >/dev/null 2>&1
echo "-- 2. selection from outside, paired with regedit's, $OUTSIDE_PASSES pass"
wine "$WINDOWS_BUILD/bench/corvandel_bench_select.exe" "$OUTSIDE_PASSES" \
  "$(windows_path "$scratch/program/Corvandel.exe")" 'C:\windows\regedit.exe' regedit \
  'HKEY_CURRENT_USER\Software\Corvandel Bench\Ten Values' Empty </dev/null

echo "-- 2, 3. selection and apply in process, $SELECT_PASSES passes"
wine "$WINDOWS_BUILD/bench/corvandel_bench_window.exe" "$(windows_path "$scratch/program")" "$SELECT_PASSES" </dev/null
stop_wineserver
stop_xvfb

# Runs a command HEADLESS_RUNS times; prints the median, min and max of the
# whole-process wall time (ms) and of the peak resident memory (MiB).
measure() {  # what, command...
  local what=$1; shift
  local times=() peaks=() start end
  for _ in $(seq "$HEADLESS_RUNS"); do
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$scratch/peak" "$@" >/dev/null
    end=$(date +%s%N)
    times+=("$(( (end - start) / 1000 ))")
    peaks+=("$(cat "$scratch/peak")")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v what="$what: whole process" \
    '{ v[NR] = $1 / 1000 } END { printf "%-44s %10.2f  [%8.2f .. %8.2f] ms\n", what, v[int((NR + 1) / 2)], v[1], v[NR] }'
  printf '%s\n' "${peaks[@]}" | sort -n | awk -v what="$what: peak memory" \
    '{ v[NR] = $1 / 1024 } END { printf "%-44s %10.2f  [%8.2f .. %8.2f] MiB\n", what, v[int((NR + 1) / 2)], v[1], v[NR] }'
}

cli=$BENCH_NATIVE/cli/corvandel-cli
echo "-- 4. headless, $HEADLESS_RUNS runs"
mapfile -t ids < <("$cli" tree | grep -oE '^ *[0-9]+' | tr -d ' ')
measure "cli show of ${#ids[@]} nodes" "$cli" --home "$scratch" --registry "$scratch/empty.reg" show "${ids[@]}"

# A language file as a full translation fills it: a text for 120 string-table
# IDs and an ID, a title and a description for every tree node, about a
# thousand lookups at start-up. Its time lies in the past, as a file changed in
# the last two seconds is read again at every lookup.
mkdir -p "$scratch/translated/Language"
printf '%s\n' "${ids[@]}" | awk 'BEGIN {
  printf "[VantorelStringTable]\r\n"
  for (i = 2001; i < 2121; ++i) printf "%d=Translated text number %d for the string table\r\n", i, i
  printf "\r\n[1004]\r\n"
} {
  printf "%s1=%s\r\n%s2=Translated title of tweak %s\r\n", $1, $1, $1, $1
  printf "%s3=A translated description of tweak %s, long enough to look like a real one\\nwith a second line.\r\n", $1, $1
}' >"$scratch/translated/Language/English.ini"
touch -d '1 hour ago' "$scratch/translated/Language/English.ini"
language=$(( $(stat -c %s "$scratch/translated/Language/English.ini") / 1024 ))
measure "cli tree under a $language KiB language file" "$cli" --home "$scratch/translated" tree

# Registry files: whole exports of about 5 and 100 MB as the registry editor
# writes them (bench/make_reg_file.sh), each read, applied to (tweak 3 turned
# on: its value and the program's own are written) and written back, from a
# fresh copy every run. Whole-process wall time, CPU time (user and system)
# and peak resident memory, the latter also as a multiple of the file's size.
measure_reg_file() {  # megabytes, runs
  local file=$scratch/export-$1.reg copy=$scratch/apply.reg walls=() cpus=() peaks=() size
  "$ROOT/bench/make_reg_file.sh" "$1" "$file"
  size=$(stat -c %s "$file")
  for _ in $(seq "$2"); do
    cp "$file" "$copy"
    rm -rf "$scratch/reg-home" && mkdir "$scratch/reg-home"
    /usr/bin/time -f '%e %U %S %M' -o "$scratch/reg-time" \
      "$cli" --home "$scratch/reg-home" --registry "$copy" apply 3 1013=1 >/dev/null
    cmp -s "$file" "$copy" && { echo "the $1 MB file was not written back" >&2; exit 1; }
    read -r wall user system peak <"$scratch/reg-time"
    walls+=("$wall") cpus+=("$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')") peaks+=("$peak")
  done
  local what="cli apply on a $1 MB .reg (UTF-16)"
  printf '%s\n' "${walls[@]}" | sort -n | awk -v what="$what: wall" \
    '{ v[NR] = $1 * 1000 } END { printf "%-44s %10.0f  [%8.0f .. %8.0f] ms\n", what, v[int((NR + 1) / 2)], v[1], v[NR] }'
  printf '%s\n' "${cpus[@]}" | sort -n | awk -v what="$what: CPU" \
    '{ v[NR] = $1 * 1000 } END { printf "%-44s %10.0f  [%8.0f .. %8.0f] ms\n", what, v[int((NR + 1) / 2)], v[1], v[NR] }'
  printf '%s\n' "${peaks[@]}" | sort -n | awk -v what="$what: peak memory" -v size="$size" \
    '{ v[NR] = $1 * 1024 } END { printf "%-44s %10.1f  [%8.1f .. %8.1f] MiB, %.2fx the file\n", what,
       v[int((NR + 1) / 2)] / 1048576, v[1] / 1048576, v[NR] / 1048576, v[int((NR + 1) / 2)] / size }'
  rm -f "$file" "$copy"
}
echo "-- registry files"
measure_reg_file 5 "$HEADLESS_RUNS"
measure_reg_file 100 3
