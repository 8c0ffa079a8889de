#!/usr/bin/env bash
# Runs every fuzz target for MINUTES minutes each (default 1), over the
# committed seeds and the inputs found by earlier runs, and prints the inputs
# tried per target. A finding is saved in build/fuzz-findings/: once it is
# mended, copy it into tests/fuzz/corpus/<target>/ so that it stays a
# regression case.
set -euo pipefail
source "$(dirname "$0")/common.sh"
minutes=${1:-1}
ensure_packages
mkdir -p "$BUILD"
configure_fuzz
cmake --build "$FUZZ_BUILD" >"$BUILD/build-fuzz.log" 2>&1 || { tail -n 40 "$BUILD/build-fuzz.log"; exit 1; }
status=0
for target in "${FUZZ_TARGETS[@]}"; do
  log "fuzzing $target for $minutes min"
  if run_fuzz_target "$target" -1 $((minutes * 60)) "$BUILD/fuzz-$target.log"; then result=ok; else result=FINDING; status=1; fi
  runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$BUILD/fuzz-$target.log" | grep -oE '[0-9]+$' || echo '?')
  printf '%-10s %12s inputs  %s\n' "$target" "$runs" "$result"
done
exit $status
