#!/bin/sh
# The real program in German and back under Xvfb. On a first start the language chooser is
# answered with German: the chooser and the main window's status and options pages show German
# captions (screenshots lang-*.png in BUILD/screenshots, for a person to check that no text is
# cut off), and the choice is stored. Then the Languages window, opened from the menu, switches
# the running program back to English.
# Usage: language_window.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE  (BRAND_PRODUCT, BRAND_COMPANY set)
name=language_window
. "$(dirname "$0")/desktop_lib.sh"
shot() { sleep 1.5; import -window root "$shots/$1.png" || fail "screenshot $1"; }
reg_value() {
  "$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

# No language chosen yet; the greeting and the help are behind the user.
reset_profile
quiet "$wine" reg add "$user_key\\Settings" /v showHelp /d 0 /f
quiet "$wine" reg add "$machine_key\\$BRAND_PRODUCT\\Settings" /v FirstTime /d Yes /f
install_definitions

"$wine" "$program" &
pid=$!
drive wait frmLanguage 30000
drive choose frmLanguage 1
drive visible frmLanguage "Sprachupdates suchen"
shot lang-chooser-german
drive close frmLanguage
# A later version of Windows asks about running at start-up: in German now, answered Cancel.
drive answer "Vista Detected" 2 30000
drive wait FrmMain 30000
drive visible FrmMain "Versionsnummer dieses Programms:"
drive visible FrmMain "Willkommen bei $BRAND_PRODUCT"
shot lang-german-status
drive click FrmMain "Einstellungen"
drive tabs FrmMain 4
drive visible FrmMain "Anonyme Daten senden, um unbekannte Spyware zu erkennen"
shot lang-german-options
[ "$(reg_value "$user_key\\Settings" Language)" = German ] || fail "German was not stored"

# Back to English from the menu bar's fourth menu, the running program's windows with it.
drive menukeys FrmMain 3
drive wait frmLanguage 10000
drive choose frmLanguage 0
drive visible FrmMain "Settings"
drive hidden FrmMain "Einstellungen"
drive visible frmLanguage "Check for language updates"
shot lang-english-again
drive close frmLanguage
drive close FrmMain
wait_exit
[ "$(reg_value "$user_key\\Settings" Language)" = English ] || fail "English was not stored"
reset_profile
echo "language_window: passed; screenshots in $shots"
