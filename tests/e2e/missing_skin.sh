#!/usr/bin/env bash
# Without its "Skin" folder the program says so once and ends.
source "$(dirname "$0")/lib/session.sh"

begin_session
rm -rf "$PROGRAM/Skin"
start_program

out=$(drive wait-message-box "Could load or apply the skin.")
expect_line 'message box caption ""' "$out"
# A second message box would keep the program from ending.
wait_program_end
