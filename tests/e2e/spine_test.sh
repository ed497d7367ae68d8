#!/usr/bin/env bash
# The program as a user runs it: it opens its window "TALMO", keeps running
# while sound arrives at the default capture device, and ends with status 0
# when the user closes the window with Alt+F4.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_init
e2e_require xdotool
e2e_start_stack

e2e_check_capture

e2e_start_talmo
e2e_wait_window TALMO 20

# A 2 s tone at -6 dBFS into the sink whose monitor is the default source.
e2e_tone_bg 1000 2 -6
e2e_keep_running_while "$E2E_PLAY_PID"
e2e_wait_play 10
[ "$(e2e_window_of "$TALMO_PID" TALMO)" = "$TALMO_WIN" ] ||
  e2e_fail "window \"TALMO\" is gone while the program runs"

e2e_close_alt_f4 "$TALMO_WIN"
e2e_expect_exit 0 15
e2e_note "PASS"
