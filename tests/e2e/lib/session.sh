# Shared by the end-to-end scripts in tests/e2e (source it; it is no test of
# its own): a session is a private copy of the project's Wine prefix and of
# dist/, with its own wineserver, on the X display given (or a private Xvfb).
# Corvandel.exe runs in it and is driven from outside with the driver.
# Everything is stopped and removed when the script exits, pass or fail.
set -euo pipefail
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../scripts" && pwd)/common.sh"

DRIVER=$WINDOWS_BUILD/tests/corvandel_e2e_driver.exe
TEMPLATE_PREFIX=$WINEPREFIX
SESSION=
PROGRAM=
PROGRAM_PID=

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

end_session() {
  set +e
  [ -n "$SESSION" ] && wineserver -k >/dev/null 2>&1  # this session's prefix only
  [ -n "$XVFB_PID" ] && stop_xvfb
  [ -n "$SESSION" ] && rm -rf "$SESSION"
}

begin_session() {
  [ -f "$TEMPLATE_PREFIX/.corvandel-ready" ] || fail "no Wine prefix at $TEMPLATE_PREFIX: run scripts/test.sh"
  [ -f "$DRIVER" ] && [ -f "$DIST/Corvandel.exe" ] || fail "build the Windows tree first: run scripts/test.sh"
  trap end_session EXIT
  SESSION=$(mktemp -d "${TMPDIR:-/tmp}/corvandel-e2e.XXXXXX")
  cp -a "$TEMPLATE_PREFIX" "$SESSION/prefix"
  export WINEPREFIX=$SESSION/prefix
  PROGRAM=$SESSION/program
  cp -a "$DIST" "$PROGRAM"
  [ -n "${DISPLAY:-}" ] || start_xvfb
  start_wineserver
}

start_program() {
  log "starting Corvandel.exe"
  wine "$PROGRAM/Corvandel.exe" </dev/null >/dev/null 2>&1 &
  PROGRAM_PID=$!
}

program_runs() { kill -0 "$PROGRAM_PID" 2>/dev/null; }

# Waits up to ten seconds for the program to end.
wait_program_end() {
  local tries
  for ((tries = 0; tries < 200; tries++)); do
    program_runs || { wait "$PROGRAM_PID" || true; return 0; }
    sleep 0.05
  done
  fail "Corvandel.exe still runs"
}

# Runs driver commands; their output goes to stdout, and with them into the
# log on stderr.
drive() {
  local out status=0
  out=$(wine "$DRIVER" "$@" </dev/null) || status=$?
  { log "drive $*"; [ -z "$out" ] || printf '%s\n' "$out"; } >&2
  [ "$status" -eq 0 ] || return "$status"
  printf '%s\n' "$out"
}

# wine reg, with plain line ends.
reg() {
  wine reg "$@" </dev/null 2>&1 | tr -d '\r'
}

# The date as the program writes it: UTC, month/day/year without leading zeros.
today_utc() { date -u +%-m/%-d/%Y; }

expect_line() {  # line, text
  grep -qxF -- "$1" <<<"$2" || fail "expected the line \"$1\" in:"$'\n'"$2"
}

expect_no_line() {  # line, text
  ! grep -qxF -- "$1" <<<"$2" || fail "did not expect the line \"$1\" in:"$'\n'"$2"
}

# The rows of a list-dump, "NAME<TAB>DATE" each, in list order.
list_rows() { sed -n 's/^row [0-9]*\t//p' <<<"$1"; }
