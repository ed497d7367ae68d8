#!/usr/bin/env bash
# The tray icon and its pop-up menu, on a desktop with a tray (trayer): the icon
# appears; a left click opens nothing; a right click opens the pop-up menu, whose
# "Mute" mutes (a loud tone then never keys the transmitter); "Exit" asks "Do you
# really want to exit?" and, confirmed, ends the program with its settings written.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_init
e2e_require xdotool trayer
e2e_start_stack
e2e_start_tray
lines="$E2E_TMP/modemlines.log"
e2e_start_pty_port "$lines"
e2e_write_ini "COMPORT=$E2E_PORT" GAIN=10 DELAY=5 TRACE=NOT

e2e_start_talmo
main_window() { TALMO_WIN=$(e2e_window_sized "$TALMO_PID" TALMO -100); }
tray_icon() { ICON=$(e2e_window_sized "$TALMO_PID" '*' 48); }
e2e_wait_until 20 main_window || e2e_fail "no main window"
e2e_wait_until 20 tray_icon || e2e_fail "no tray icon"
e2e_note "main window $TALMO_WIN, tray icon $ICON"
e2e_wait_capture 15

visible_windows() { xdotool search --onlyvisible --pid "$TALMO_PID" 2>/dev/null | sort; }
known=$(visible_windows)
popup_open() { [ "$(visible_windows)" != "$known" ]; }
popup_closed() { [ "$(visible_windows)" = "$known" ]; }
keyed() { grep -q 'DTR=1' "$lines"; }

e2e_click_centre "$ICON" 1
sleep 0.5
popup_closed || e2e_fail "a left click on the tray icon opened a window"

# Right click, first item: "Mute".
e2e_click_centre "$ICON" 3
e2e_wait_until 10 popup_open || e2e_fail "a right click on the tray icon opened no pop-up menu"
sleep 0.3  # the menu takes the keyboard once it is mapped
timeout 10 xdotool key Down Return
e2e_wait_until 10 popup_closed || e2e_fail "the pop-up menu did not close"
e2e_note "chose Mute from the tray menu"

e2e_tone 1000 2 -1
sleep 0.3
! keyed || e2e_fail "the transmitter was keyed while muted"

# Right click, fourth item: "Exit", then OK in the question box.
e2e_click_centre "$ICON" 3
e2e_wait_until 10 popup_open || e2e_fail "the pop-up menu did not open again"
sleep 0.3
timeout 10 xdotool key Down Down Down Down Return
question() { QUESTION=$(e2e_window_sized "$TALMO_PID" 'Warning!' -1); }
e2e_wait_until 10 question || e2e_fail "Exit asked no question"
e2e_key "$QUESTION" Return
e2e_expect_exit 0 15
grep -q "^DELAY=5"$'\r'"\$" "$E2E_WORKDIR/TALMO.INI" || e2e_fail "the settings were not written on exit"
e2e_note "PASS"
