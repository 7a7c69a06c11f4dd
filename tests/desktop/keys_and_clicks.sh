#!/bin/sh
# The desktop program driven as a person drives it, by keys and clicks through the X server (xdotool),
# under a window manager (run it through under_window_manager.sh): a resident added with Ctrl+N is
# typed into its first field and saved; a refused fee is corrected in place after the rule's dialog;
# the window's shortcuts work straight after a modal dialog closes. What happened is read back from
# the database and the window's title.
#   tests/desktop/keys_and_clicks.sh PATH/TO/trf-desktop
set -eu
program=$1
work=$(mktemp -d)
app=""
finish() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT
mkdir -m 700 "$work/runtime"
HOME=$work XDG_RUNTIME_DIR=$work/runtime "$program" --db "$work/trf.db" >"$work/program.log" 2>&1 &
app=$!

failed=0
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: expected '$2', got '$3'"; failed=1; fi
}
sql() { sqlite3 "$work/trf.db" "$1"; }
title() { xdotool getwindowname "$(xdotool getactivewindow)"; }
keys() { xdotool key --delay 60 "$@"; sleep 0.4; }
type_text() { xdotool type --delay 60 "$1"; sleep 0.2; }

window=$(xdotool search --sync --onlyvisible --class trf-desktop | head -1)
xdotool windowactivate --sync "$window"
sleep 1
check "the program opens on Our Home" "Our Home — TRF" "$(title)"

# The home list has the focus: Down and Up make Maple House current.
keys Down Up
# Help > About is a modal dialog; straight after it closes, Ctrl+2 shows TRF Setup.
keys alt+h a
check "About is shown" "About TRF" "$(title)"
keys Return ctrl+2
check "a shortcut works straight after a dialog closes" "TRF Setup — TRF" "$(title)"
# Two Downs from January choose March; Ctrl+3 shows its residents.
keys Down Down ctrl+3
check "Ctrl+3 shows Residents" "Residents — TRF" "$(title)"

# Ctrl+N: the new resident's first field has the focus, and what is typed fills it.
keys ctrl+n
type_text "Zoe Ward"
keys Tab Tab
type_text "3/10/2004"
keys Tab ctrl+s
sleep 0.5
check "the resident typed after Ctrl+N is saved" "1" \
  "$(sql "SELECT COUNT(*) FROM tbH_Residents WHERE H_ResidentName = 'Zoe Ward' AND H_AdmissionDate IS NOT NULL")"

# The focus is in the fee: a fee the rules refuse brings the rule's dialog, Enter closes it, and the
# correction typed then is the one saved.
xdotool key minus 5 0
keys Tab
check "the rule's dialog has the focus" "a dialog" "$([ "$(xdotool getactivewindow)" != "$window" ] && echo "a dialog")"
keys Return ctrl+a
type_text "1000"
keys Tab ctrl+s
sleep 0.5
check "the correction after a refusal is saved" "1000.0" \
  "$(sql "SELECT H_MonthlyFee FROM tbH_Residents WHERE H_ResidentName = 'Zoe Ward'")"

[ "$failed" -eq 0 ] || { echo "--- program's output:"; cat "$work/program.log"; }
exit "$failed"
