#!/bin/sh
# The setup as an administrator meets it, in a Wine prefix of its own (BUILD/installer-prefix, so
# the shared prefix of the other tests keeps no installed copy): a setup signed with a throw-away
# certificate installs silently; the program folder, the starter definitions, the uninstall entry
# and the shortcuts are there, and the installed program and uninstaller carry valid signatures;
# the installed program starts; a second install over it closes it and keeps the user's files; a
# silent uninstall closes the running program, removes the program, its shortcuts, its start-up
# entries and its uninstall entry, and keeps the user's data folder and settings; an uninstall
# told not to keep them removes them too.
# Usage: installer.sh BUILD_DIR DRIVER_EXE
#   (BRAND_PRODUCT, BRAND_COMPANY, BRAND_VERSION, BRAND_WEBSITE_URL set; DISPLAY set)
set -u
build=$(cd "$1" && pwd)
driver=$2
top=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  echo "installer: needs DISPLAY (run under tools/with-xvfb.sh)" >&2
  exit 1
fi

export WINEPREFIX="$build/installer-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
wine=/usr/lib/wine/wine64
work=$(mktemp -d)
pid=""

cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  "$top/cmake/wine-session.sh" stop "$WINEPREFIX"
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "installer: $*" >&2
  mkdir -p "$build/screenshots"
  import -window root "$build/screenshots/installer-failure.png" 2>/dev/null
  exit 1
}
quiet() { "$@" </dev/null >/dev/null 2>&1; }
drive() { "$wine" "$driver" "$@" || fail "driver $*"; }
# Each reg.exe run costs a Wine process start: a key is read whole, once, and seeds go in as one
# import.
# read_key KEY: the key's values, as reg.exe lists them; nothing when it is missing.
read_key() { listing=$("$wine" reg query "$1" 2>/dev/null) && printf '%s\n' "$listing" | tr -d '\r'; }
# value_of LISTING NAME: the data of the value NAME in a listing of read_key.
value_of() { printf '%s\n' "$1" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
# expect_value LISTING NAME DATA
expect_value() {
  actual=$(value_of "$1" "$2")
  [ "$actual" = "$3" ] || fail "$2 is [$actual], not [$3]"
}
# import_keys TEXT: TEXT in the .reg file syntax goes into the registry.
import_keys() {
  printf 'REGEDIT4\r\n\r\n%s\r\n' "$1" >"$work/import.reg"
  quiet "$wine" reg import "Z:$work/import.reg" || fail "reg import failed"
}
# A text as a string of a .reg file.
reg_string() { printf '"%s"' "$(printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g')"; }
wait_for() {  # wait_for SECONDS TEST...: until the test passes
  limit=$(($1 * 10))
  shift
  i=0
  until "$@"; do
    i=$((i + 1))
    [ "$i" -gt "$limit" ] && return 1
    sleep 0.1
  done
}
running() { kill -0 "$pid" 2>/dev/null; }
not_running() { ! running; }
# A program closed by WM_CLOSE ends with 0; one that had to be killed does not.
expect_closed_cleanly() {
  wait_for 30 not_running || fail "$1 did not close the running program"
  wait "$pid"
  status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "the program ended with exit code $status after $1"
}
start_program() {
  "$wine" "$program_win" &
  pid=$!
  drive wait FrmMain 30000
}

product=$BRAND_PRODUCT
user=$(id -un)
drive_c="$WINEPREFIX/drive_c"
program_dir="$drive_c/Program Files/$product"
program_win="C:\\Program Files\\$product\\AntiSpyware.exe"
menu_dir="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$product"
data_dir="$drive_c/users/$user/AppData/Roaming/AntiSpywareDAT"
uninstall_path="Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
uninstall_key="HKLM\\$uninstall_path"
user_path="Software\\VB and VBA Program Settings\\$product"
machine_path="SOFTWARE\\$BRAND_COMPANY\\$product"
user_key="HKCU\\$user_path"
machine_key="HKLM\\$machine_path"
run_path='Software\Microsoft\Windows\CurrentVersion\Run'
hkcu_run="HKCU\\$run_path"
hklm_run="HKLM\\$run_path"
definitions="FileDefinition DirectoryDefinition RegistryDefinition ExeDefinition BlockedCookies Safety"

# A setup signed as a vendor signs it, with a certificate made for this run only.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Installer Test/O=Test Vendor" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" \
  >/dev/null 2>&1 || fail "openssl could not make a certificate"
setup="$work/$product-Setup-$BRAND_VERSION.exe"
SIGN_CERT="$work/cert.pem" SIGN_KEY="$work/key.pem" \
  sh "$top/packaging/make-setup.sh" "$build" "$setup" >"$work/make-setup.log" 2>&1 ||
  { cat "$work/make-setup.log" >&2; fail "make-setup.sh failed"; }
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null 2>&1; }
verify "$setup" || fail "the setup's signature does not verify"

"$top/cmake/wine-session.sh" start "$WINEPREFIX" || fail "no Wine session in $WINEPREFIX"
# Whatever an interrupted run left.
rm -rf "$program_dir" "$menu_dir" "$data_dir"
import_keys "[-HKEY_LOCAL_MACHINE\\$uninstall_path]
[-HKEY_CURRENT_USER\\$user_path]
[-HKEY_LOCAL_MACHINE\\$machine_path]
[HKEY_CURRENT_USER\\$run_path]
\"AntiSpyware\"=-"

# The user already has a data folder: definitions from Live Update and an exclusion list.
mkdir -p "$data_dir"
printf 'updated by Live Update\r\n' >"$data_dir/FileDefinition.dat"
printf 'C:\\Tools\\wanted.exe\r\n' >"$data_dir/ENoSignature.dat"

"$wine" "$setup" /S || fail "the silent setup failed"

# The program folder, as the build made its files.
for f in AntiSpyware.exe Localization.txt Help.chm Uninstall.exe; do
  [ -s "$program_dir/$f" ] || fail "no $f in the program folder"
done
cmp -s "$build/Localization.txt" "$program_dir/Localization.txt" || fail "Localization.txt differs"
cmp -s "$build/Help.chm" "$program_dir/Help.chm" || fail "Help.chm differs"
for d in $definitions; do
  cmp -s "$build/AntiSpywareDAT/$d.dat" "$program_dir/Definitions/$d.dat" ||
    fail "starter definition $d.dat is not in the program folder's Definitions"
done
verify "$program_dir/AntiSpyware.exe" || fail "the installed program's signature does not verify"
verify "$program_dir/Uninstall.exe" || fail "the uninstaller's signature does not verify"

# The user's own files stay; what the data folder lacked comes from the starter set.
grep -q 'updated by Live Update' "$data_dir/FileDefinition.dat" ||
  fail "the setup replaced the user's FileDefinition.dat"
cmp -s "$build/AntiSpywareDAT/Safety.dat" "$data_dir/Safety.dat" ||
  fail "the setup did not add the missing starter definitions to the data folder"

# The Add or Remove Programs entry.
install_win="C:\\Program Files\\$product"
entry=$(read_key "$uninstall_key")
expect_value "$entry" DisplayName "$product"
expect_value "$entry" DisplayVersion "$BRAND_VERSION"
expect_value "$entry" Publisher "$BRAND_COMPANY"
expect_value "$entry" URLInfoAbout "$BRAND_WEBSITE_URL"
expect_value "$entry" DisplayIcon "$install_win\\AntiSpyware.exe,0"
expect_value "$entry" UninstallString "\"$install_win\\Uninstall.exe\""
expect_value "$entry" QuietUninstallString "\"$install_win\\Uninstall.exe\" /S"
expect_value "$entry" NoModify 0x1
expect_value "$entry" NoRepair 0x1
size=$(value_of "$entry" EstimatedSize)
[ $((size)) -gt 1000 ] || fail "EstimatedSize [$size] is not the program's size in KB"

for link in "$product.lnk" "$product Help.lnk" "Uninstall $product.lnk"; do
  [ -s "$menu_dir/$link" ] || fail "no Start menu shortcut $link"
done

# The installed program starts. A profile past its first start asks nothing.
import_keys "[HKEY_CURRENT_USER\\$user_path\\Settings]
\"Language\"=\"English\"
\"showHelp\"=\"0\"
\"ranOneTime\"=\"1\"
[HKEY_LOCAL_MACHINE\\$machine_path\\Settings]
\"FirstTime\"=\"Yes\""
# A user without a data folder (another user of the machine, or one who removed it): the
# program makes it from the starter set beside it.
mv "$data_dir" "$work/kept-data"
start_program
for d in $definitions; do
  cmp -s "$program_dir/Definitions/$d.dat" "$data_dir/$d.dat" ||
    fail "the program did not give a missing data folder the starter $d.dat"
done
drive close FrmMain
expect_closed_cleanly "closing"
rm -rf "$data_dir"
mv "$work/kept-data" "$data_dir"

start_program
mkdir -p "$build/screenshots"
import -window root "$build/screenshots/installed-program.png" 2>/dev/null

# Installing again over it: the running copy is closed, the user's files stay.
"$wine" "$setup" /S || fail "the silent setup over an installed copy failed"
expect_closed_cleanly "the setup"
grep -q 'updated by Live Update' "$data_dir/FileDefinition.dat" ||
  fail "the upgrade replaced the user's FileDefinition.dat"
[ -s "$data_dir/ENoSignature.dat" ] || fail "the upgrade lost the exclusion list"
expect_value "$(read_key "$user_key\\Settings")" Language English

# Start-up entries: the product's, and the executable-named one pointing here, are the
# program's; another folder's program of the same name is not.
import_keys "[HKEY_CURRENT_USER\\$run_path]
$(reg_string "$product")=$(reg_string "\"$program_win\"")
\"AntiSpyware\"=$(reg_string '"C:\Other\AntiSpyware.exe"')
[HKEY_LOCAL_MACHINE\\$run_path]
\"AntiSpyware\"=$(reg_string "\"$install_win\\AntiSpyware\"")"

# Silent uninstall while the program runs. The uninstaller runs on from a copy of itself and
# returns at once.
start_program
"$wine" "$program_dir/Uninstall.exe" /S || fail "the silent uninstall failed to start"
expect_closed_cleanly "the uninstaller"
gone() { [ ! -e "$program_dir" ] && [ -z "$(read_key "$uninstall_key")" ]; }
wait_for 30 gone || fail "the program folder or the uninstall entry is still there"
[ ! -e "$menu_dir" ] || fail "the Start menu folder is still there"
user_run=$(read_key "$hkcu_run")
[ -z "$(value_of "$user_run" "$product")" ] || fail "the product's Run value is still there"
[ -n "$(value_of "$user_run" AntiSpyware)" ] || fail "another folder's Run value was removed"
[ -z "$(value_of "$(read_key "$hklm_run")" AntiSpyware)" ] ||
  fail "the program's Run value is still there"

# What the user made stays for a later installation.
grep -q 'wanted.exe' "$data_dir/ENoSignature.dat" || fail "the uninstall removed the exclusion list"
grep -q 'updated by Live Update' "$data_dir/FileDefinition.dat" ||
  fail "the uninstall removed the user's definitions"
expect_value "$(read_key "$user_key\\Settings")" Language English
expect_value "$(read_key "$machine_key\\Settings")" FirstTime Yes

# Uninstalling by hand and answering No: the user's data and settings go too.
"$wine" "$setup" /S || fail "the silent setup failed after an uninstall"
# The wizard's title is the caption and its page's sub-caption, a blank; the question's title is
# the caption alone.
wizard="$product Uninstall "
"$wine" "$program_dir/Uninstall.exe" &
drive press "$wizard" 1 30000
drive answer "$product Uninstall" 7 30000
machine_settings_gone() { ! quiet "$wine" reg query "HKLM\\SOFTWARE\\$BRAND_COMPANY"; }
wait_for 30 machine_settings_gone || fail "the machine settings are still there after No"
quiet "$wine" reg query "$user_key" && fail "the user's settings are still there after No"
[ ! -e "$data_dir" ] || fail "the data folder is still there after No"
[ ! -e "$program_dir" ] || fail "the program folder is still there"
# Finish.
drive press "$wizard" 1 30000
import_keys "[HKEY_CURRENT_USER\\$run_path]
\"AntiSpyware\"=-"
echo "installer: passed"
