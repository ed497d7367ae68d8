#!/usr/bin/env bash
# The program as a user first runs it, in an empty folder: it says the default
# port is not available, opens its window "TALMO", records from the default
# capture device (a trace line every tick, bars in the spectrum while a tone
# plays), and ends with status 0, its settings written, when the user closes the
# window with Alt+F4.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_init
e2e_require xdotool import
e2e_start_stack
e2e_check_capture

e2e_start_talmo
e2e_dismiss_box 20  # "Defined COM Port not available": there is no COM1 here
e2e_wait_window TALMO 20
e2e_wait_capture 15

log="$E2E_WORKDIR/TALMO.Log"
ticks_before=$(grep -c -- $' -------\r$' "$log" || true)

# A 2 s tone at -1 dBFS into the sink whose monitor is the default source.
e2e_tone_bg 1000 2 -1
sleep 1
bars=$(e2e_count_colour "$TALMO_WIN" 161x137+0+8 00FFFF)
e2e_note "aqua spectrum pixels while the tone plays: $bars"
[ "$bars" -gt 20 ] || e2e_fail "no spectrum bars drawn while the tone plays"
e2e_keep_running_while "$E2E_PLAY_PID" "the tone played"
e2e_wait_play 10

ticks_after=$(grep -c -- $' -------\r$' "$log" || true)
e2e_note "tick lines during the tone: $((ticks_after - ticks_before))"
[ $((ticks_after - ticks_before)) -gt 50 ] || e2e_fail "the sound tick did not run while the tone played"
[ "$(e2e_window_of "$TALMO_PID" TALMO)" = "$TALMO_WIN" ] ||
  e2e_fail "window \"TALMO\" is gone while the program runs"

e2e_close_alt_f4 "$TALMO_WIN"
e2e_expect_exit 0 15
for key in COMPORT=COM1 BAUDRATE=4800 TRACE=YES GAIN=10 DELAY=50; do
  grep -q "^$key"$'\r'"\$" "$E2E_WORKDIR/TALMO.INI" || e2e_fail "TALMO.INI lacks $key"
done
e2e_note "PASS"
