#!/usr/bin/env bash
# A program folder where the history cannot be written (a folder stands where
# "DFile.kvd" would be: as root, file permissions would not stop a write):
# the program starts, shows its pages, applies a tweak and closes without a
# crash or a message, and the overviews show no dates.
source "$(dirname "$0")/lib/session.sh"

readonly COMMAND_PROCESSOR='HKCU\Software\Microsoft\Command Processor'

begin_session
reg add "$COMMAND_PROCESSOR" /f >/dev/null
mkdir "$PROGRAM/DFile.kvd"

start_program
out=$(drive wait-window select "Allow UNC Paths at the Command Prompt" check 1013 1 apply)
expect_line "clicked 1016" "$out"
expect_no_line "message box showing" "$out"
out=$(reg query "$COMMAND_PROCESSOR" /v DisableUNCCheck)
grep -qE '^ +DisableUNCCheck +REG_DWORD +0x1$' <<<"$out" || fail "DisableUNCCheck is not 1:"$'\n'"$out"
out=$(drive select "Command Processor" list-dump 1007)
grep -qE $'^row [0-9]+\tAllow UNC Paths at the Command Prompt\t$' <<<"$out" || fail "the tweak should show no date:"$'\n'"$out"
drive close >/dev/null
wait_program_end
[ -d "$PROGRAM/DFile.kvd" ] || fail "the folder in the history's place is gone"
