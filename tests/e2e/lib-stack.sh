# shellcheck shell=bash
# The whole-program tests' stack: a private sound server, a virtual display with
# a window manager and a tray, and test audio played into the sound server.
# Sourced by lib.sh; needs its reporting, waiting and clean-up functions.

# ---------------------------------------------------------------- sound server

# e2e_start_pulse: a private PulseAudio daemon with the null sink talmo_sink,
# whose monitor is the default source. A silent source is looped into the sink
# so that a new capture stream gets data at once (an idle null sink delivers
# its first data only after about 2 s). Exports PULSE_SERVER for the clients;
# Debian's ALSA configuration then routes ALSA's default device, and so
# PortAudio's default input, to this daemon.
e2e_start_pulse() {
  e2e_require pulseaudio pactl
  local socket="$E2E_TMP/runtime/pulse.sock" conf="$E2E_TMP/pulse.pa"
  mkdir -p "$PULSE_RUNTIME_PATH"
  chmod 700 "$PULSE_RUNTIME_PATH"
  cat >"$conf" <<EOF
load-module module-native-protocol-unix socket=$socket auth-anonymous=1
load-module module-null-sink sink_name=$E2E_SINK rate=44100 channels=1
load-module module-null-source source_name=talmo_silence rate=44100 channels=1
load-module module-loopback source=talmo_silence sink=$E2E_SINK latency_msec=20
set-default-sink $E2E_SINK
set-default-source $E2E_SINK.monitor
EOF
  # Clients never start a daemon of their own if ours is gone.
  printf 'autospawn = no\n' >"$E2E_TMP/pulse-client.conf"
  export PULSE_CLIENTCONFIG="$E2E_TMP/pulse-client.conf"
  pulseaudio --system=false --exit-idle-time=-1 --disallow-exit -n -F "$conf" \
    --daemonize=no --log-target=stderr >"$E2E_TMP/logs/pulseaudio.log" 2>&1 &
  E2E_PULSE_PID=$!
  e2e_track "$E2E_PULSE_PID"
  export PULSE_SERVER="unix:$socket"
  e2e_wait_until 15 e2e__pulse_ready ||
    e2e_fail "PulseAudio did not come up (socket $socket)"
  e2e_note "PulseAudio pid $E2E_PULSE_PID at $PULSE_SERVER"
}

e2e__pulse_ready() {
  local info
  e2e_running "$E2E_PULSE_PID" || return 1
  info=$(pactl info 2>/dev/null) || return 1
  grep -q "^Default Source: $E2E_SINK.monitor\$" <<<"$info"
}

# ---------------------------------------------------------------- display

# e2e_start_x [WIDTHxHEIGHTxDEPTH]: Xvfb on a free display number (Xvfb picks
# it and reports it through -displayfd), no TCP. Exports DISPLAY.
e2e_start_x() {
  e2e_require Xvfb xdpyinfo
  local fdfile="$E2E_TMP/display" n
  : >"$fdfile"
  Xvfb -displayfd 7 -nolisten tcp -noreset -screen 0 "${1:-1024x768x24}" \
    7>"$fdfile" >"$E2E_TMP/logs/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  e2e_track "$E2E_XVFB_PID"
  e2e_wait_until 15 grep -q '^[0-9]' "$fdfile" ||
    e2e_fail "Xvfb did not report a display number"
  n=$(head -n 1 "$fdfile")
  export DISPLAY=":$n"
  e2e_wait_until 15 xdpyinfo || e2e_fail "Xvfb on $DISPLAY does not answer"
  e2e_note "Xvfb pid $E2E_XVFB_PID on $DISPLAY"
}

# e2e_start_wm: Openbox with Debian's default configuration, so that a window
# gets a frame, focus, and Alt+F4 or wmctrl -c closes it with the usual
# WM_DELETE_WINDOW request, as on a desktop. (Bare Xvfb has no window manager:
# nothing would turn Alt+F4 into a close request, and xdotool windowclose
# destroys the window instead of asking the program to close.)
e2e_start_wm() {
  e2e_require openbox wmctrl
  openbox --sm-disable >"$E2E_TMP/logs/openbox.log" 2>&1 &
  E2E_WM_PID=$!
  e2e_track "$E2E_WM_PID"
  e2e_wait_until 15 e2e__wm_ready || e2e_fail "Openbox did not take over $DISPLAY"
  e2e_note "Openbox pid $E2E_WM_PID"
}

e2e__wm_ready() {
  local info
  e2e_running "$E2E_WM_PID" || return 1
  info=$(wmctrl -m 2>/dev/null) || return 1
  grep -q '^Name: Openbox' <<<"$info"
}

# e2e_start_tray: a notification-area host (trayer, docked at the top right),
# so that the program's tray icon has a place. Sets E2E_TRAY_PID.
e2e_start_tray() {
  e2e_require trayer
  trayer --edge top --align right --widthtype pixel --width 120 --height 24 \
    --SetDockType true --transparent false >"$E2E_TMP/logs/trayer.log" 2>&1 &
  E2E_TRAY_PID=$!
  e2e_track "$E2E_TRAY_PID"
  e2e_wait_until 15 e2e__tray_ready || e2e_fail "trayer did not show its panel"
  e2e_note "trayer pid $E2E_TRAY_PID"
}

e2e__tray_ready() {
  e2e_running "$E2E_TRAY_PID" &&
    xdotool search --all --onlyvisible --pid "$E2E_TRAY_PID" --classname '^panel$'
}

# e2e_start_stack: sound server, display and window manager, in that order.
e2e_start_stack() {
  e2e_start_pulse
  e2e_start_x "$@"
  e2e_start_wm
}

# ---------------------------------------------------------------- test audio

# e2e_make_tone FILE FREQ SECONDS DBFS: a mono 44.1 kHz sine with its peak at DBFS.
e2e_make_tone() {
  e2e_require sox
  sox -q -n -r 44100 -c 1 -b 16 "$1" synth "$3" sine "$2" gain -n "$4" ||
    e2e_fail "sox could not make a tone ($2 Hz, $3 s, $4 dBFS)"
}

# e2e_play FILE: plays a sound file into the null sink; returns when it has played.
e2e_play() {
  e2e_require paplay
  paplay --device="$E2E_SINK" "$1" 2>>"$E2E_TMP/logs/paplay.log" ||
    e2e_fail "paplay could not play $1"
}

# e2e_play_bg FILE: as e2e_play, in the background; sets E2E_PLAY_PID.
e2e_play_bg() {
  e2e_require paplay
  paplay --device="$E2E_SINK" "$1" 2>>"$E2E_TMP/logs/paplay.log" &
  E2E_PLAY_PID=$!
  e2e_track "$E2E_PLAY_PID"
}

# e2e_tone FREQ SECONDS DBFS: plays a sine tone into the sink (blocking).
e2e_tone() {
  local f="$E2E_TMP/audio/tone-$1-$2-$3.wav"
  [ -f "$f" ] || e2e_make_tone "$f" "$1" "$2" "$3"
  e2e_play "$f"
}

# e2e_tone_bg FREQ SECONDS DBFS: as e2e_tone, in the background (E2E_PLAY_PID).
e2e_tone_bg() {
  local f="$E2E_TMP/audio/tone-$1-$2-$3.wav"
  [ -f "$f" ] || e2e_make_tone "$f" "$1" "$2" "$3"
  e2e_play_bg "$f"
}

# e2e_make_speech FILE DBFS TEXT...: spoken English (espeak-ng), mono 44.1 kHz,
# peak at DBFS.
e2e_make_speech() {
  e2e_require espeak-ng sox
  local out=$1 db=$2 raw="$E2E_TMP/audio/speech-raw.wav"
  shift 2
  espeak-ng -w "$raw" "$*" || e2e_fail "espeak-ng could not speak"
  sox -q "$raw" -r 44100 -c 1 -b 16 "$out" gain -n "$db" || e2e_fail "sox could not convert speech"
}

# e2e_speech DBFS TEXT...: speaks TEXT into the sink (blocking).
e2e_speech() {
  local f="$E2E_TMP/audio/speech.wav"
  e2e_make_speech "$f" "$@"
  e2e_play "$f"
}

# e2e_wait_play [SECONDS]: waits for the background playback to end; fails
# if paplay failed or did not end in time.
e2e_wait_play() {
  e2e_wait_until "${1:-30}" e2e_not_running "$E2E_PLAY_PID" || e2e_fail "playback did not end"
  wait "$E2E_PLAY_PID" || e2e_fail "paplay failed"
}

# e2e_peak FILE: prints the peak amplitude of a sound file (0 to 1).
e2e_peak() {
  sox "$1" -n stat 2>&1 | awk '/^Maximum amplitude/ { print $3 }'
}

# e2e_capture_streams: prints how many capture streams the sound server has
# (the silent loopback holds one of them).
e2e_capture_streams() {
  local outs
  outs=$(pactl list short source-outputs 2>/dev/null) || return 1
  grep -c . <<<"$outs" || true
}

e2e__more_capture_streams() {
  local n
  n=$(e2e_capture_streams) || return 1
  [ "$n" -gt "$1" ]
}

# e2e_has_capture_stream PID: true while process PID records from the sound
# server (through ALSA's pulse plugin or directly).
e2e_has_capture_stream() {
  local outs
  outs=$(pactl list source-outputs 2>/dev/null) || return 1
  grep -q "application.process.id = \"$1\"" <<<"$outs"
}

# e2e_wait_capture [SECONDS] [PID]: waits until the program (or PID) has
# opened its capture stream, so that a tone played afterwards reaches it.
e2e_wait_capture() {
  local limit=${1:-15} pid=${2:-$TALMO_PID}
  e2e_wait_until "$limit" e2e_has_capture_stream "$pid" ||
    e2e_fail "process $pid opened no capture stream within ${limit} s"
  e2e_note "process $pid records from the sound server"
}

# e2e_check_capture: proves that the stack delivers sound to ALSA's default
# capture device, which is what PortAudio's default input opens: records 2 s
# with arecord while a 1 s tone plays into the sink, and fails unless the
# recording holds the tone.
e2e_check_capture() {
  e2e_require arecord sox
  local rec="$E2E_TMP/audio/capture-check.wav" arec peak before
  before=$(e2e_capture_streams) || e2e_fail "pactl cannot list the capture streams"
  arecord -q -D default -f S16_LE -r 44100 -c 1 -d 2 "$rec" 2>>"$E2E_TMP/logs/arecord.log" &
  arec=$!
  e2e_track "$arec"
  e2e_wait_until 10 e2e__more_capture_streams "$before" || e2e_fail "arecord did not open a capture stream on the sound server"
  e2e_tone 1000 1 -6
  e2e_wait_until 15 e2e_not_running "$arec" || e2e_fail "arecord did not end"
  wait "$arec" || e2e_fail "arecord failed"
  peak=$(e2e_peak "$rec")
  awk -v p="${peak:-0}" 'BEGIN { exit !(p > 0.25) }' ||
    e2e_fail "ALSA's default capture device did not hear the tone (peak ${peak:-none}, expected about 0.5)"
  e2e_note "ALSA default capture hears the sink (peak $peak)"
}
