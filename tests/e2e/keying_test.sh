#!/usr/bin/env bash
# The program keys a transmitter: with its port on a pseudo-terminal (named in
# the settings by an upper-cased path to a symlink) and the modem-line
# interposer preloaded, a tone far below the threshold never keys; a 2 s tone
# above it raises DTR then RTS within a few ticks of its start, raises them again
# while it lasts, and drops both, DTR first, about one hang time (1000 ms) after
# it stops.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_init
e2e_require xdotool socat
e2e_start_stack

lines="$E2E_TMP/modemlines.log"
e2e_start_pty_port "$lines"
port=$E2E_PORT
e2e_write_ini "COMPORT=$port" GAIN=10 DELAY=50 TRACE=NOT
e2e_start_talmo
e2e_wait_window TALMO 20  # no message box: the port opened
e2e_wait_capture 15
grep -q 'DTR=0 RTS=0' "$lines" || e2e_fail "the port did not drop both lines when it opened"

raised() { grep -c 'DTR=1' "$lines" || true; }
keyed() { [ "$(raised)" -gt 0 ]; }
released() { tail -n 1 "$lines" | grep -q 'DTR=0 RTS=0'; }

# Far below the threshold: never keys.
e2e_tone 1000 2 -40
sleep 0.5
[ "$(raised)" -eq 0 ] || e2e_fail "a quiet tone keyed the transmitter"

# Above it: keys within a few ticks (plus the sound server's latency).
start=$EPOCHREALTIME
e2e_tone_bg 1000 2 -1
e2e_wait_until 5 keyed || e2e_fail "the tone did not key the transmitter"
first=$EPOCHREALTIME
e2e_note "keyed $(awk -v a="$start" -v b="$first" 'BEGIN{printf "%.0f", (b-a)*1000}') ms after the tone started"
e2e_wait_play 10
e2e_wait_until 5 released || e2e_fail "the lines were not dropped after the tone"
sleep 1.2  # one more hang time: nothing may change any more
e2e_assert_running

# The sequence: DTR raised before RTS, raised again on every tick while keyed,
# DTR dropped before RTS.
awk -v tone_ms=2000 -v hang_ms=1000 '
  { t = $1 * 1000; split($2, d, "="); split($3, r, "=") }
  d[2] == 1 && r[2] == 0 && !first { first = t; dtr_first = 1 }
  d[2] == 1 && r[2] == 1 { if (!dtr_first) bad = "RTS before DTR"; raises++; last_raise = t }
  d[2] == 0 && r[2] == 1 && last_raise { dropping = 1 }
  d[2] == 0 && r[2] == 0 && last_raise { if (!dropping) bad = "RTS dropped before DTR"; drop = t }
  END {
    if (bad) { print bad; exit 1 }
    if (!first || !drop) { print "no keying cycle"; exit 1 }
    printf "raised %d times over %.0f ms; dropped %.0f ms after the last raise\n", raises, last_raise - first, drop - last_raise
    if (raises < 100) { print "lines not raised again on every tick while keyed"; exit 1 }
    if (last_raise - first < tone_ms * 0.7) { print "keying ended while the tone lasted"; exit 1 }
    if (drop - last_raise < hang_ms * 0.9 || drop - last_raise > hang_ms * 1.8) { print "release not one hang time after the last trigger"; exit 1 }
  }' "$lines" >&2 || e2e_fail "modem lines: $(tail -n 3 "$lines" | tr '\n' ' ')"

e2e_close_alt_f4 "$TALMO_WIN"
e2e_expect_exit 0 15
grep -qi "^COMPORT=$port"$'\r'"\$" "$E2E_WORKDIR/TALMO.INI" || e2e_fail "TALMO.INI lost the port name"
e2e_note "PASS"
