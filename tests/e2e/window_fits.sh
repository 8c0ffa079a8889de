#!/usr/bin/env bash
# The main window at 144 DPI on a 1280x900 screen: it opens inside the work
# area with every control inside its client area; maximised, the tree
# shows more rows and the controls stay inside; closed and started again, it
# comes back at the size it was left. Saves build/e2e-window-144.png and
# build/e2e-window-144-resized.png.
source "$(dirname "$0")/lib/session.sh"

begin_session
reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
start_program

field() { sed -n "s/^$1 //p" <<<"$2"; }
# "L T R B" of the window inside "L T R B" of the work area.
inside() {
  read -r l t r b <<<"$1"
  read -r wl wt wr wb <<<"$2"
  [ "$l" -ge "$wl" ] && [ "$t" -ge "$wt" ] && [ "$r" -le "$wr" ] && [ "$b" -le "$wb" ]
}
shot() {
  local window
  window=$(xdotool search --onlyvisible --name '^Corvandel$' | head -n 1)
  [ -n "$window" ] || fail "xdotool finds no window \"Corvandel\""
  sleep 0.3
  import -window "$window" "$BUILD/$1"
  log "screenshot: $BUILD/$1"
}

out=$(drive wait-window layout)
inside "$(field frame "$out")" "$(field work "$out")" || fail "the window is not inside the work area:"$'\n'"$out"
expect_line "outside 0" "$out"
read -r width _ <<<"$(field client "$out")"
[ "$width" -gt 800 ] || fail "the window does not look scaled for 144 DPI:"$'\n'"$out"
tree_before=$(field tree-height "$out")
shot e2e-window-144.png

out=$(drive maximise select "Command Processor" layout)
expect_line "outside 0" "$out"
[ "$(field tree-height "$out")" -gt "$tree_before" ] || fail "the tree did not grow with the window:"$'\n'"$out"
resized=$(field frame "$out")
shot e2e-window-144-resized.png

drive close >/dev/null
wait_program_end
start_program
out=$(drive wait-window layout)
[ "$(field frame "$out")" = "$resized" ] || fail "the window did not come back as it was left ($resized):"$'\n'"$out"
drive close >/dev/null
wait_program_end
