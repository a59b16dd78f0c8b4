#!/bin/sh
# Restore from the quarantine in the real program under Xvfb. The starter definitions' demo
# threats are planted (files, a folder tree, a key of HKEY_CURRENT_USER with a value of every
# type and a sub-key, a start-up value, a key of HKEY_LOCAL_MACHINE with a sub-key), scanned and
# deleted from the results page; Quarantine > Restore... lists them, Select all and Restore put
# everything back as it was (files compared byte for byte, keys by Wine's own export). The saved
# registry data also imports with Wine's regedit. Screenshots restore-list.png, restore-done.png.
# Usage: restore_window.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE  (BRAND_PRODUCT, BRAND_COMPANY set)
name=restore_window
. "$(dirname "$0")/desktop_lib.sh"
work="$build/restore-window"
drive_c="$build/wineprefix/drive_c"
adware="$drive_c/Program Files/Demo Adware"
helper="$drive_c/windows/system32/demohelper.dll"
toolbar="$roaming/Demo Toolbar"
hkcu_key='HKEY_CURRENT_USER\Software\Demo Adware'
hklm_key='HKEY_LOCAL_MACHINE\Software\Demo Toolbar'
run_key='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run'
shot() { sleep 1.5; import -window root "$shots/$1.png" || fail "screenshot $1"; }
# export KEY FILE: Wine's own export of the key (UTF-16, as its reg writes it).
export_key() { rm -f "$2"; quiet "$wine" reg export "$1" "$(winepath "$2")" /y; }
# The path as Wine's programs take it; printf, as dash's echo reads "\\b" and "\\r" as escapes.
winepath() { printf 'Z:%s\n' "$(printf '%s' "$1" | tr / '\\')"; }
clean_up() {
  rm -rf "$adware" "$helper" "$toolbar" "$datadir"
  quiet "$wine" reg delete "$hkcu_key" /f
  quiet "$wine" reg delete "$hklm_key" /f
  quiet "$wine" reg delete "$run_key" /v DemoAdware /f
}
on_failure() { clean_up; }

past_first_start
clean_up
install_definitions
rm -rf "$work"
mkdir -p "$work" "$adware/plugins" "$toolbar"
printf 'MZ demo adware\r\n' >"$adware/demoadware.exe"
printf 'plug-in\r\n' >"$adware/plugins/plugin.dat"
printf 'MZ demo helper' >"$helper"
printf '[Toolbar]\r\nshown=1\r\n' >"$toolbar/toolbar.ini"
# Every value type through Wine's own import.
printf '%s\r\n' 'REGEDIT4' '' "[$hkcu_key]" '@="default \"quoted\" C:\\dir"' \
  '"Text"="plain"' '"Expand"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,00' \
  '"Multi"=hex(7):61,00,62,63,00,00' '"Count"=dword:0000002a' \
  '"Big"=hex(b):01,02,03,04,05,06,07,08' '"Blob"=hex:00,ff,10,20' '' \
  "[$hkcu_key\\Sub]" '"Leaf"="green"' '' "[$run_key]" '"DemoAdware"="C:\\demo.exe"' '' \
  "[$hklm_key]" '@="toolbar"' '"Version"=dword:00000003' '' "[$hklm_key\\CLSID]" \
  '"Id"="{01234567-89ab-cdef-0123-456789abcdef}"' >"$work/plant.reg"
quiet "$wine" regedit /S "$(winepath "$work/plant.reg")" || fail "planting the registry"
export_key "$hkcu_key" "$work/hkcu-before.reg"
export_key "$hklm_key" "$work/hklm-before.reg"
"$wine" reg query "$run_key" /v DemoAdware >"$work/run-before.txt" 2>/dev/null ||
  fail "planting the start-up value"
cp -r "$adware" "$work/adware-before"
cp "$helper" "$work/helper-before"
cp -r "$toolbar" "$work/toolbar-before"

"$wine" "$program" &
pid=$!
drive wait FrmMain 30000
drive click FrmMain "Scan Now"
drive click FrmMain "Start"
drive visible FrmMain "Click Here to Continue"
drive click FrmMain "Click Here to Continue"
drive click FrmMain "Select All"
"$wine" "$driver" click FrmMain "Delete" &
clicker=$!
drive answer "Really Delete?" 6
wait "$clicker" || fail "clicking Delete"
for path in "$adware" "$helper" "$toolbar"; do
  [ ! -e "$path" ] || fail "not removed: $path"
done
quiet "$wine" reg query "$hkcu_key" && fail "the key of HKEY_CURRENT_USER is still there"
quiet "$wine" reg query "$hklm_key" && fail "the key of HKEY_LOCAL_MACHINE is still there"
quiet "$wine" reg query "$run_key" /v DemoAdware && fail "the start-up value is still there"

# Quarantine is the third menu; Restore... its third item.
drive menukeys FrmMain 2 2
drive wait frmRestore 30000
drive visible frmRestore "Restore"
shot restore-list
drive selectall frmRestore
drive click frmRestore "Restore" &
clicker=$!
# Nothing is in the way: the only question is the offer of the exclusions, declined.
drive answer "$BRAND_PRODUCT" 7 30000
wait "$clicker" || fail "clicking Restore"
drive rows frmRestore 0
shot restore-done

diff -r "$work/adware-before" "$adware" >/dev/null || fail "the folder tree did not come back"
cmp -s "$work/helper-before" "$helper" || fail "the library did not come back"
diff -r "$work/toolbar-before" "$toolbar" >/dev/null || fail "the toolbar did not come back"
export_key "$hkcu_key" "$work/hkcu-after.reg"
cmp -s "$work/hkcu-before.reg" "$work/hkcu-after.reg" || fail "the HKCU key came back otherwise"
export_key "$hklm_key" "$work/hklm-after.reg"
cmp -s "$work/hklm-before.reg" "$work/hklm-after.reg" || fail "the HKLM key came back otherwise"
"$wine" reg query "$run_key" /v DemoAdware >"$work/run-after.txt" 2>/dev/null
cmp -s "$work/run-before.txt" "$work/run-after.txt" || fail "the start-up value came back otherwise"

drive close frmRestore
drive close FrmMain
wait_exit

# The saved data is a file Windows' registry editor takes as it is.
saved=$(grep -l -F "[$hklm_key]" "$datadir"/quarantine/*.reg |
  head -n 1)
[ -n "$saved" ] || fail "no saved registry data names the HKLM key"
quiet "$wine" reg delete "$hklm_key" /f
quiet "$wine" regedit /S "$(winepath "$saved")" || fail "regedit refused $saved"
export_key "$hklm_key" "$work/hklm-regedit.reg"
cmp -s "$work/hklm-before.reg" "$work/hklm-regedit.reg" || fail "regedit imported it otherwise"

clean_up
reset_profile
echo "restore_window: passed; screenshots in $shots/restore-list.png and restore-done.png"
