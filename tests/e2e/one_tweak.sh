#!/usr/bin/env bash
# The road of one tweak from outside: "Allow UNC Paths at the Command Prompt"
# checked and applied writes DisableUNCCheck and dates the tweak today in the
# "Command Processor" overview. Then, with Windows 2000 as the program's
# Windows version, "Disable the Windows XP Tour" is refused with an alert and
# writes nothing.
source "$(dirname "$0")/lib/session.sh"

readonly COMMAND_PROCESSOR='HKCU\Software\Microsoft\Command Processor'
readonly TOUR='Software\Microsoft\Windows\CurrentVersion\Applets\Tour'
readonly OLD_DATE=1/2/2003

begin_session
# The UNC tweak opens its key rather than creating it, and a fresh prefix lacks
# it. The Tour keys exist too, so that a write would not fail for want of them.
reg add "$COMMAND_PROCESSOR" /f >/dev/null
reg add "HKCU\\$TOUR" /f >/dev/null
reg add "HKLM\\$TOUR" /f >/dev/null

# A history from an earlier session: every tweak last applied on OLD_DATE.
start_program
drive wait-window close >/dev/null
wait_program_end
[ -f "$PROGRAM/DFile.kvd" ] || fail "the program made no history file"
sed -i "s|,[0-9]*/[0-9]*/[0-9]*)|,$OLD_DATE)|" "$PROGRAM/DFile.kvd"

start_program
out=$(drive wait-window select "Allow UNC Paths at the Command Prompt" text 1006 check-state 1013)
expect_line "Allow UNC Paths at the Command Prompt:" "$out"
expect_line "check 1013 0" "$out"
before=$(today_utc)
out=$(drive check 1013 1 apply)
after=$(today_utc)
expect_line "clicked 1016" "$out"
expect_no_line "message box showing" "$out"
out=$(reg query "$COMMAND_PROCESSOR" /v DisableUNCCheck)
grep -qE '^ +DisableUNCCheck +REG_DWORD +0x1$' <<<"$out" || fail "DisableUNCCheck is not 1:"$'\n'"$out"

out=$(drive select "Command Processor" list-dump 1007)
rows=$(list_rows "$out")
unc_row=$(grep -F "Allow UNC Paths at the Command Prompt"$'\t' <<<"$rows") || fail "no overview row for the tweak"
[ "$unc_row" = "Allow UNC Paths at the Command Prompt"$'\t'"$before" ] ||
  [ "$unc_row" = "Allow UNC Paths at the Command Prompt"$'\t'"$after" ] || fail "the tweak is not dated today ($after)"
[ "$(grep -cF $'\t'"$OLD_DATE" <<<"$rows")" -eq 9 ] || fail "the other nine rows should keep $OLD_DATE"
drive close >/dev/null
wait_program_end

log "Windows 2000 for Corvandel.exe"
reg add 'HKCU\Software\Wine\AppDefaults\Corvandel.exe' /v Version /d win2k /f >/dev/null
start_program
out=$(drive wait-window select "Disable the Windows XP Tour" check 1013 1 apply)
expect_line "message box showing" "$out"
out=$(drive wait-message-box "This Tweak is active only on Windows XP" check-state 1013 check-state 1018)
expect_line 'message box caption "A L E R T"' "$out"
# The boxes stay as the user set them.
expect_line "check 1013 1" "$out"
expect_line "check 1018 0" "$out"
for root in HKCU HKLM; do
  if out=$(reg query "$root\\$TOUR" /v RunCount); then
    fail "RunCount was written under $root:"$'\n'"$out"
  fi
done
out=$(drive select "Accessories" list-dump 1007)
expect_line "row 1"$'\t'"Disable the Windows XP Tour"$'\t'"$OLD_DATE" "$out"
