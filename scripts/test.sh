#!/usr/bin/env bash
# Builds both trees and runs every test: the native suite first, then the
# Windows build under Wine on a private X display. Ends with one summary line
# and exits non-zero when anything failed.
set -uo pipefail
source "$(dirname "$0")/common.sh"
set -e
ensure_packages
set +e

passed=0
failed=0
problems=()

# Adds a GoogleTest run's counts to the totals; a run that printed no summary
# line of passed tests (it crashed, or did not start) counts as a failure.
count_gtest() {
  local name=$1 output=$2 status=$3 p f
  p=$(grep -oE '^\[  PASSED  \] [0-9]+' "$output" | grep -oE '[0-9]+$' | tail -n 1)
  # Each failed test has a line of its own with its time; a brief run prints
  # no count of them.
  f=$(grep -cE '^\[  FAILED  \] [^ ]+ \([0-9]+ ms\)' "$output")
  passed=$((passed + ${p:-0}))
  failed=$((failed + ${f:-0}))
  if [ "$status" -ne 0 ] || [ -z "$p" ]; then
    [ -z "$p" ] && failed=$((failed + 1))
    problems+=("$name (exit $status)")
  fi
}

run_suite() {  # name, command...
  local name=$1; shift
  local output=$BUILD/$name.log status
  log "running $name"
  "$@" --gtest_brief=1 2>&1 | tee "$output"
  status=${PIPESTATUS[0]}
  count_gtest "$name" "$output" "$status"
}

build_tree() {  # name, configure function, build dir
  log "building the $1 tree"
  if ! { "$2" && cmake --build "$3"; } >"$BUILD/build-$1.log" 2>&1; then
    tail -n 40 "$BUILD/build-$1.log"
    problems+=("$1 build")
    return 1
  fi
}

# The layer order: every probe of tests/layers compiled on its own, each
# expected to find its header or to be refused it (the compiler finds no such
# file), as its name says.
check_layers() {  # name, build dir
  local probe outcome expected out
  log "checking the layer order ($1)"
  for probe in $(ninja -C "$2" -t targets all | grep -oE '^layer_probe_[a-z_0-9]+' | sort -u); do
    expected=${probe#layer_probe_}; expected=${expected%%_*}
    out=$BUILD/$1-$probe.log
    if cmake --build "$2" --target "$probe" >"$out" 2>&1; then
      outcome=found
    elif grep -qE 'No such file or directory|file not found' "$out"; then
      outcome=refused
    else
      outcome=broken
    fi
    if [ "$outcome" = "$expected" ]; then
      passed=$((passed + 1))
    else
      tail -n 20 "$out"
      failed=$((failed + 1)); problems+=("$1 $probe: $outcome")
    fi
  done
}

mkdir -p "$BUILD"
start=$SECONDS

if build_tree native configure_native "$NATIVE_BUILD"; then
  run_suite native-tests "$NATIVE_BUILD/tests/corvandel_tests"
  check_layers native "$NATIVE_BUILD"
fi

# Each fuzz target for a bounded number of inputs: seconds, not minutes
# (scripts/fuzz.sh runs them longer).
if build_tree fuzz configure_fuzz "$FUZZ_BUILD"; then
  for target in "${FUZZ_TARGETS[@]}"; do
    log "fuzzing $target"
    if run_fuzz_target "$target" 3000 30 "$BUILD/fuzz-$target.log"; then
      passed=$((passed + 1))
    else
      tail -n 30 "$BUILD/fuzz-$target.log"
      failed=$((failed + 1)); problems+=("fuzz $target (finding in $BUILD/fuzz-findings)")
    fi
  done
fi

if build_tree windows configure_windows "$WINDOWS_BUILD"; then
  check_layers windows "$WINDOWS_BUILD"
  ensure_wine_prefix
  trap 'stop_wineserver; stop_xvfb' EXIT
  start_xvfb
  start_wineserver
  # The sweeps run portable code over the in-memory registry only: natively is enough.
  run_suite wine-tests wine "$WINDOWS_BUILD/tests/corvandel_wine_tests.exe" --gtest_filter=-Sweeps.*
  for e2e in "$ROOT"/tests/e2e/*.sh; do
    [ -e "$e2e" ] || continue
    name=e2e-$(basename "$e2e" .sh)
    log "running $name"
    if bash "$e2e" >"$BUILD/$name.log" 2>&1; then
      passed=$((passed + 1))
    else
      cat "$BUILD/$name.log"
      failed=$((failed + 1)); problems+=("$name")
    fi
  done
  stop_wineserver
  stop_xvfb
fi

echo
echo "Finished in $((SECONDS - start)) s."
[ ${#problems[@]} -gt 0 ] && printf 'FAILED: %s\n' "${problems[@]}"
echo "tests: $passed passed, $failed failed"
[ $failed -eq 0 ] && [ ${#problems[@]} -eq 0 ]
