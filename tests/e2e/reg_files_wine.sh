#!/usr/bin/env bash
# Registry files between corvandel-cli and Wine's registry editor, in a copy of
# the project's Wine prefix:
#  1. a file the front end wrote imports with "regedit /s", and "reg query"
#     shows its values;
#  2. a file "regedit /e" exported loads, and written again it holds the same
#     keys and values;
#  3. the Windows build works on the system registry without --registry;
#  4. the changes files of an apply and of its undo, imported by the registry
#     editor, make the apply's changes and take them back again;
#  5. a whole export of the registry, applied to, differs only by the tweak's
#     value: byte for byte elsewhere, and value by value as the registry editor
#     imports and exports it again.
# Needs both build trees (scripts/test.sh builds them and runs this).
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"

cli=$NATIVE_BUILD/cli/corvandel-cli
wincli=$WINDOWS_BUILD/cli/corvandel-cli.exe
work=$(mktemp -d)
export WINEPREFIX=$work/prefix
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
cp -a "$WINDOWS_BUILD/wineprefix" "$WINEPREFIX"
start_wineserver
cd "$work"

fail() { echo "FAILED: $*" >&2; exit 1; }

# The keys of a .reg file at and under one key, each alone and before each of
# its values, continued lines joined, sorted (the editor writes values by name).
values_under() {  # file, key
  local text
  case "$(head -c 2 "$1" | od -An -tx1 | tr -d ' ')" in
    fffe) text=$(iconv -f UTF-16LE -t UTF-8 "$1" | sed '1s/^\xEF\xBB\xBF//') ;;
    *) text=$(cat "$1") ;;
  esac
  printf '%s\n' "$text" | tr -d '\r' | sed -e ':a' -e '/\\$/N; s/\\\n *//; ta' |
    awk -v key="[$2" 'index($0, "[") == 1 { on = index($0, key) == 1; section = $0; if (on) print; next }
                      on && NF { print section " " $0 }' | sort
}

long=$(for i in $(seq 0 99); do printf '%02x,' "$i"; done)
cat >in.reg <<EOF2
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]

[HKEY_CURRENT_USER\\Software\\CorvandelInterop]
"Text"="say \\"hi\\" to C:\\\\Temp\\\\"
@="default"
"Number"=dword:0000002a
"Binary"=hex:00,01,fe,ff
"Expand"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,00
"Multi"=hex(7):61,00,62,00,00
"Empty"=""
"Long"=hex:${long%,}

[HKEY_CURRENT_USER\\Software\\CorvandelInterop\\Empty Key]
EOF2

# 1. Written by the front end, imported by the registry editor.
"$cli" apply 3 1013=1 --registry in.reg --home . >/dev/null
head -n 1 in.reg | grep -q '^REGEDIT4' || fail "the front end did not write REGEDIT4"
wine regedit /s "$(winepath -w in.reg)"
query=$(wine reg query 'HKCU\Software\CorvandelInterop' /s | tr -d '\r')
expect() {  # name, type, data
  printf '%s\n' "$query" | grep -qxF "    $1    $2    $3" || fail "reg query lacks $1 $2 $3:
$query"
}
expect '(Default)' REG_SZ default
expect Text REG_SZ 'say "hi" to C:\Temp\'
expect Number REG_DWORD 0x2a
expect Binary REG_BINARY 0001FEFF
expect Expand REG_EXPAND_SZ '%SystemRoot%'
expect Multi REG_MULTI_SZ 'a\0b'
expect Empty REG_SZ ''
expect Long REG_BINARY "$(printf '%s' "${long%,}" | tr -d , | tr a-f A-F)"
printf '%s\n' "$query" | grep -qx 'HKEY_CURRENT_USER\\Software\\CorvandelInterop\\Empty Key' ||
  fail "the empty key was not imported"
wine reg query 'HKCU\Software\Microsoft\Command Processor' /v DisableUNCCheck | tr -d '\r' |
  grep -qx '    DisableUNCCheck    REG_DWORD    0x1' || fail "DisableUNCCheck was not imported"

# 2. Exported by the registry editor (UTF-16, version 5.00), loaded and
# written again by the front end: the same keys and values, as the editor
# wrote them.
wine regedit /e "$(winepath -w exported.reg)" 'HKEY_CURRENT_USER\Software\CorvandelInterop'
[ "$(head -c 2 exported.reg | od -An -tx1 | tr -d ' ')" = fffe ] || fail "regedit /e did not write UTF-16"
cp exported.reg as-exported.reg
# The apply must change something: a file whose registry stays as it was is
# not written at all.
"$cli" apply 8 "1021=TAB key" --registry exported.reg --home . >/dev/null
! cmp -s as-exported.reg exported.reg || fail "the exported file was not written back"
[ "$(head -c 2 exported.reg | od -An -tx1 | tr -d ' ')" = fffe ] || fail "the exported file did not stay UTF-16"
values_under as-exported.reg 'HKEY_CURRENT_USER\Software\CorvandelInterop' >written.txt
values_under exported.reg 'HKEY_CURRENT_USER\Software\CorvandelInterop' >reread.txt
[ "$(wc -l <written.txt)" -eq 10 ] || fail "expected 2 keys and 8 values in:
$(cat written.txt)"
diff written.txt reread.txt || fail "the exported file does not hold what was imported"

# 3. The Windows build on the system registry: the imported value shows, and
# an apply writes it.
wine "$wincli" show 3 --home "$(winepath -w .)" | tr -d '\r' |
  grep -qx '1013 check 1 "Allow UNC paths and remove the warning message"' || fail "show 3 did not read the registry"
wine "$wincli" apply 3 1013=0 --home "$(winepath -w .)" >/dev/null
wine reg query 'HKCU\Software\Microsoft\Command Processor' /v DisableUNCCheck | tr -d '\r' |
  grep -qx '    DisableUNCCheck    REG_DWORD    0x0' || fail "apply 3 1013=0 did not write the registry"
grep -q 'win_tweak("Allow UNC Paths at the Command Prompt",' DFile.kvd || fail "no history in --home"

# 4. A run's changes, deployed with the registry editor.
tasks='Software\Policies\Microsoft\Windows\Task Scheduler5.0'
wine "$wincli" apply 32 1013=1 1018=1 --home "$(winepath -w .)" --changes "$(winepath -w made.reg)" >/dev/null
wine "$wincli" undo 32 --home "$(winepath -w .)" --changes "$(winepath -w undone.reg)" >/dev/null
grep -q '^"Property Pages"=dword:00000001' made.reg || fail "made.reg lacks the new value:
$(cat made.reg)"
grep -q '^\[-HKEY_CURRENT_USER\\Software\\' undone.reg || fail "undone.reg removes no key:
$(cat undone.reg)"
property_pages() {  # root
  wine reg query "$1\\$tasks" /v "Property Pages" 2>/dev/null | tr -d '\r' | grep -c 'REG_DWORD    0x1' || true
}
[ "$(property_pages HKCU)$(property_pages HKLM)" = 00 ] || fail "undo 32 left the values"
wine regedit /s "$(winepath -w made.reg)"
[ "$(property_pages HKCU)$(property_pages HKLM)" = 11 ] || fail "importing made.reg did not set both values"
wine regedit /s "$(winepath -w undone.reg)"
[ "$(property_pages HKCU)$(property_pages HKLM)" = 00 ] || fail "importing undone.reg did not take them back"
# 5. The whole registry as the editor exports it (UTF-16, non-Latin names,
# every root), applied to natively: only the tweak's line differs, and the
# editor reads the result back with every other value as it was.
utf8() { iconv -f UTF-16LE -t UTF-8 "$1" | tr -d '\r' | sed '1s/^\xEF\xBB\xBF//'; }
winlogon='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Winlogon'
wine regedit /e "$(winepath -w whole.reg)"
cp whole.reg before.reg
utf8 before.reg | LC_ALL=C grep -P '[\x80-\xff]' >/dev/null || fail "the whole export holds no character outside ASCII"
"$cli" apply 224 1013=1 --registry whole.reg --home . >/dev/null
[ "$(head -c 2 whole.reg | od -An -tx1 | tr -d ' ')" = fffe ] || fail "the whole export did not stay UTF-16"
changed=$(diff <(utf8 before.reg) <(utf8 whole.reg) | grep '^[<>]' || true)
[ "$changed" = '> "ParseAutoexec"=hex(1):31,00' ] || fail "the whole export changed elsewhere:
$changed"
# The editor imports both files into the same prefix in turn; exported again,
# the registry differs by that one value.
wine regedit /s "$(winepath -w before.reg)"
wine regedit /e "$(winepath -w again-before.reg)" 'HKEY_LOCAL_MACHINE\Software'
wine regedit /s "$(winepath -w whole.reg)"
wine regedit /e "$(winepath -w again-after.reg)" 'HKEY_LOCAL_MACHINE\Software'
changed=$(diff <(values_under again-before.reg 'HKEY_LOCAL_MACHINE') <(values_under again-after.reg 'HKEY_LOCAL_MACHINE') |
  grep '^[<>]' || true)
# (Wine stores a zero after text written without one, and exports it as text.)
[ "$changed" = "> [$winlogon] \"ParseAutoexec\"=\"1\"" ] || fail "imported, the files differ elsewhere:
$changed"
echo "registry files: written, imported, exported, loaded; the Windows build applied; changes files deployed;" \
  "a whole export changed only where the tweak wrote"
