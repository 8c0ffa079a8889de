#!/usr/bin/env bash
# Builds Corvandel.exe and starts it under Wine: on your display when there is
# one, otherwise on a private Xvfb display, where it saves a screenshot.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
configure_windows
log "building Corvandel.exe"
cmake --build "$WINDOWS_BUILD" --target Corvandel dist >/dev/null
ensure_wine_prefix

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  log "starting $DIST/Corvandel.exe on $DISPLAY"
  exec wine "$DIST/Corvandel.exe"
fi

trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb
start_wineserver
log "starting $DIST/Corvandel.exe on the private display $DISPLAY"
wine "$DIST/Corvandel.exe" </dev/null >/dev/null 2>&1 &
window=
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Corvandel$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "Corvandel.exe showed no window" >&2; exit 1; }
sleep 1  # let the window finish painting
shot=$BUILD/screenshot.png
import -window "$window" "$shot"
echo "screenshot: $shot"
