#!/usr/bin/env bash
# The main window from outside: the tree and the Accessories overview at
# start-up, the "Command Processor" overview, Escape and F1. Saves a
# screenshot of the window as build/e2e-main-window.png.
source "$(dirname "$0")/lib/session.sh"

begin_session
start_program

out=$(drive wait-window tree text 1006 list-dump 1007)
expect_line "tree visible 270" "$out"
expect_line "Accessories:" "$out"
# The names take the list's width less the dates.
width=$(sed -n 's/^width //p' <<<"$out")
expect_line "columns $((width - 99)) 99" "$out"
today=$(today_utc)
# A fresh history dates every tweak with the day it was built.
expected_rows=$(printf "%s\t$today\n" \
  "Disable Task Manager" \
  "Disable the Windows XP Tour" \
  "Save Changes to Notepad Configuration" \
  "Show All Hidden Devices in Device Manager" \
  "Show Detailed Information in Device Manager" \
  "Specify the Program to Play Inserted Audio CDs" \
  "Use Smooth Scrolling in Telnet")
[ "$(list_rows "$out")" = "$expected_rows" ] || fail "the Accessories overview lists other rows"

out=$(drive select "Command Processor" text 1006 list-dump 1007)
expect_line "Command Processor:" "$out"
width=$(sed -n 's/^width //p' <<<"$out")
expect_line "columns $((width - 115)) 115" "$out"
expected_rows=$(printf "%s\t$today\n" \
  "Add Command Prompt Option to Every Folder" \
  "Allow UNC Paths at the Command Prompt" \
  "Change the Command Prompt Colors" \
  "Disable Command Processor Extentions" \
  "Disable Command Prompt and Batch Files" \
  "Enable Command Completion" \
  "Enable Delayed Environment Variable Expantion" \
  "Enable Directory Completion" \
  "Quick Edit the Command Prompt" \
  "Run Startup Programs in Command Prompt")
[ "$(list_rows "$out")" = "$expected_rows" ] || fail "the Command Processor overview lists other rows"

window=$(xdotool search --onlyvisible --name '^Corvandel$' | head -n 1)
[ -n "$window" ] || fail "xdotool finds no window \"Corvandel\""
sleep 0.3  # the overview's rows are painted once the program is idle again
import -window "$window" "$BUILD/e2e-main-window.png"
log "screenshot: $BUILD/e2e-main-window.png"

# Keys are posted and handled in order: once help shows, Escape has been
# handled too, and the window must still be there.
out=$(drive key ESCAPE key F1 wait-class "HH Parent")
expect_line 'window HH Parent "Corvandel Help"' "$out"
out=$(drive wait-window tree text 1006)
expect_line "tree visible 270" "$out"
expect_line "Command Processor:" "$out"
program_runs || fail "Corvandel.exe ended"

drive close >/dev/null
wait_program_end
