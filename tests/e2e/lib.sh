# shellcheck shell=bash
# Helpers for the whole-program tests: a private sound server, a virtual
# display with a window manager, test audio, and the program itself, run as
# a user would run it. Source this file from a test script, then call
# e2e_init first. Everything started here is stopped by its own process id
# when the script ends, on every path (normal end, failure, INT, TERM).
#
# Nothing is installed here: scripts/install-deps installs the tools. A
# missing tool fails the test with a message naming the tool and the script.
#
# Variables a test may set before calling the functions:
#   TALMO_BIN      the program (default: <repo>/build/talmo; ctest passes it)
#   E2E_PRELOAD    a library for LD_PRELOAD of the program (empty: none)
#   E2E_KEEP=1     keep the temporary directory for inspection
#   E2E_WAIT_SCALE multiply every bounded wait (default 1; raise it on a slow box)
# Variables the functions set for the test:
#   E2E_TMP        private temporary directory of this run
#   E2E_WORKDIR    the program's working directory (TALMO.INI, TALMO.Log)
#   TALMO_PID      process id of the running program
#   TALMO_WIN      X window id of its main window (after e2e_wait_window)
#   TALMO_STATUS   exit status of the program (after e2e_wait_exit)
#   DISPLAY, PULSE_SERVER (exported for every client started afterwards)

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
E2E_REPO="$(cd "$E2E_DIR/../.." && pwd)"
E2E_SINK=talmo_sink
E2E_PIDS=()          # every process started here, in start order
E2E_CLEANED=0
E2E_FAILED=0

# ---------------------------------------------------------------- reporting

e2e_note() { printf '[e2e %s] %s\n' "$(date +%T.%3N)" "$*" >&2; }

# e2e_fail MESSAGE: reports the failure with the program's output and ends the test.
e2e_fail() {
  E2E_FAILED=1
  printf '[e2e %s] FAIL: %s\n' "$(date +%T.%3N)" "$*" >&2
  e2e_dump_logs
  exit 1
}

# e2e_dump_logs: prints the tails of every log of this run (for a failure).
e2e_dump_logs() {
  [ -n "${E2E_TMP:-}" ] && [ -d "$E2E_TMP" ] || return 0
  local f
  for f in "$E2E_TMP"/logs/*.log "${E2E_WORKDIR:-/nonexistent}"/TALMO.Log; do
    [ -s "$f" ] || continue
    printf -- '----- %s (last 40 lines)\n' "${f#"$E2E_TMP"/}" >&2
    tail -n 40 "$f" >&2
  done
}

# e2e_require TOOL...: fails unless every tool is on PATH.
e2e_require() {
  local t missing=()
  for t in "$@"; do command -v "$t" >/dev/null 2>&1 || missing+=("$t"); done
  [ ${#missing[@]} -eq 0 ] ||
    e2e_fail "missing tool(s): ${missing[*]} - run scripts/install-deps (or 'make deps') first"
}

# ---------------------------------------------------------------- waiting

# e2e_wait_until SECONDS COMMAND...: polls COMMAND every 0.1 s until it
# succeeds (returns 0) or the bounded wait runs out (returns 1).
e2e_wait_until() {
  local limit deadline
  limit=$(awk -v s="$1" -v k="${E2E_WAIT_SCALE:-1}" 'BEGIN { printf "%d", s * k * 1000 }')
  shift
  deadline=$(( $(date +%s%3N) + limit ))
  while :; do
    "$@" >/dev/null 2>&1 && return 0
    [ "$(date +%s%3N)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# e2e_running PID: true while the process exists, is not a zombie and is a
# child of this script (so a process id that the system has handed on to
# another process after ours ended is never taken for ours).
e2e_running() {
  local stat fields
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  # Fields after the command name in parentheses: state, parent pid, ...
  read -r -a fields <<<"${stat##*) }"
  [ "${fields[1]:-}" = "$$" ] && [ "${fields[0]}" != Z ] && [ "${fields[0]}" != X ]
}

e2e_not_running() { ! e2e_running "$1"; }

# ---------------------------------------------------------------- set-up and clean-up

# e2e_init: private temporary directory, traps for clean-up, the program path.
e2e_init() {
  E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/talmo-e2e.XXXXXX") || { echo "e2e: mktemp failed" >&2; exit 1; }
  mkdir -p "$E2E_TMP/logs" "$E2E_TMP/home" "$E2E_TMP/runtime" "$E2E_TMP/audio" "$E2E_TMP/work"
  chmod 700 "$E2E_TMP/runtime"
  E2E_WORKDIR="$E2E_TMP/work"
  trap e2e_cleanup EXIT
  trap 'e2e_note "interrupted"; E2E_FAILED=1; exit 130' INT
  trap 'e2e_note "terminated"; E2E_FAILED=1; exit 143' TERM
  TALMO_BIN="${TALMO_BIN:-$E2E_REPO/build/talmo}"
  # Unit tests run Qt offscreen; here the program must use the X display.
  unset QT_QPA_PLATFORM
  # Keep every client and daemon away from the user's own files and sessions.
  export HOME="$E2E_TMP/home"
  export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
  export PULSE_RUNTIME_PATH="$E2E_TMP/runtime/pulse"
  export XDG_CONFIG_HOME="$E2E_TMP/home/.config"
  unset DISPLAY PULSE_SERVER
  e2e_note "temporary directory $E2E_TMP"
}

# e2e_track PID: registers a process for clean-up.
e2e_track() { E2E_PIDS+=("$1"); }

# e2e_stop PID [SECONDS]: TERM, a bounded wait, then KILL; reaps the process.
e2e_stop() {
  local pid=$1
  if e2e_running "$pid"; then
    kill -TERM "$pid" 2>/dev/null || true
    e2e_wait_until "${2:-5}" e2e_not_running "$pid" || kill -KILL "$pid" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
}

# e2e_cleanup: stops every tracked process, newest first, then removes the
# temporary directory (kept with E2E_KEEP=1). Runs once, from the EXIT trap.
e2e_cleanup() {
  local rc=$? i
  [ "$E2E_CLEANED" -eq 1 ] && return
  E2E_CLEANED=1
  trap - INT TERM
  for (( i=${#E2E_PIDS[@]}-1; i>=0; i-- )); do
    e2e_stop "${E2E_PIDS[$i]}" 3
  done
  if [ "$rc" -ne 0 ] && [ "$E2E_FAILED" -eq 0 ]; then e2e_dump_logs; fi
  if [ -n "${E2E_TMP:-}" ] && [ -d "$E2E_TMP" ]; then
    if [ "${E2E_KEEP:-0}" = 1 ]; then e2e_note "kept $E2E_TMP"; else rm -rf "$E2E_TMP"; fi
  fi
  exit "$rc"
}

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

# ---------------------------------------------------------------- the program

# e2e_write_ini LINE...: writes TALMO.INI into the working directory, section
# SETTINGS, one KEY=VALUE per argument, lines ended with CR LF.
e2e_write_ini() {
  { printf '[SETTINGS]\r\n'; printf '%s\r\n' "$@"; } >"$E2E_WORKDIR/TALMO.INI"
}

# e2e_start_talmo [ARG...]: starts the program in E2E_WORKDIR with the stack's
# DISPLAY and PULSE_SERVER (and LD_PRELOAD=$E2E_PRELOAD when set); sets
# TALMO_PID. Its output goes to $E2E_TMP/logs/talmo.log.
e2e_start_talmo() {
  [ -x "$TALMO_BIN" ] || e2e_fail "program not found: $TALMO_BIN (build it first: make build)"
  [ -n "${DISPLAY:-}" ] || e2e_fail "e2e_start_talmo: no display (call e2e_start_stack first)"
  local preload=()
  [ -n "${E2E_PRELOAD:-}" ] && preload=("LD_PRELOAD=$E2E_PRELOAD")
  ( cd "$E2E_WORKDIR" && exec env "${preload[@]}" "$TALMO_BIN" "$@" ) \
    >"$E2E_TMP/logs/talmo.log" 2>&1 &
  TALMO_PID=$!
  e2e_track "$TALMO_PID"
  e2e_note "started $TALMO_BIN $* (pid $TALMO_PID) in $E2E_WORKDIR"
}

# e2e_window_of PID TITLE: prints the ids of the process's visible windows
# whose title is TITLE (letter case aside), tray icons left out.
e2e_window_of() {
  local w width
  for w in $(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null); do
    # A tray icon carries the program's name too; windows are larger.
    width=$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | sed -n 's/^WIDTH=//p')
    [ "${width:-0}" -ge 64 ] && echo "$w"
  done
  return 0
}

e2e__has_window() { [ -n "$(e2e_window_of "$1" "$2")" ]; }

# e2e_wait_window [TITLE] [SECONDS]: waits for the program's visible window
# TITLE (default "TALMO"); sets TALMO_WIN. Fails if the program ends first.
e2e_wait_window() {
  local title=${1:-TALMO} limit=${2:-20}
  e2e_wait_until "$limit" e2e__window_or_exit "$TALMO_PID" "$title" ||
    e2e_fail "no window \"$title\" within ${limit} s"
  e2e_running "$TALMO_PID" || e2e_fail "the program ended before its window \"$title\" appeared"
  TALMO_WIN=$(e2e_window_of "$TALMO_PID" "$title") || true
  TALMO_WIN=${TALMO_WIN%%$'\n'*}
  [ -n "$TALMO_WIN" ] || e2e_fail "window \"$title\" vanished"
  e2e_note "window \"$title\" is $TALMO_WIN"
}

e2e__window_or_exit() { e2e_not_running "$1" || e2e__has_window "$1" "$2"; }

# e2e_assert_running [WHAT]: fails unless the program still runs.
e2e_assert_running() {
  e2e_running "$TALMO_PID" || e2e_fail "the program ended ${1:-unexpectedly}"
}

# e2e_keep_running_while PID [WHAT]: fails if the program ends while PID (for
# example a playback) runs; WHAT names it in the message.
e2e_keep_running_while() {
  local what=${2:-"process $1 ran"}
  while e2e_running "$1"; do
    e2e_assert_running "while $what"
    sleep 0.1
  done
  e2e_assert_running "while $what"
}

# e2e_focus WINDOW: activates the window through the window manager.
e2e_focus() {
  timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 ||
    e2e_wait_until 5 e2e__focused "$1" || e2e_fail "could not focus window $1"
}

e2e__focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# e2e_close_alt_f4 [WINDOW]: focuses the window and presses Alt+F4; the window
# manager sends the program its close request (WM_DELETE_WINDOW).
e2e_close_alt_f4() {
  local w=${1:-$TALMO_WIN}
  e2e_focus "$w"
  e2e_wait_until 5 e2e__focused "$w" || e2e_fail "window $w did not get the focus"
  timeout 10 xdotool key --clearmodifiers alt+F4 || e2e_fail "xdotool could not press Alt+F4"
  e2e_note "pressed Alt+F4 on window $w"
}

# e2e_close_wm [WINDOW]: asks the window manager to close the window, as the
# caption's close button does (EWMH _NET_CLOSE_WINDOW, sent by wmctrl -c).
e2e_close_wm() {
  local w=${1:-$TALMO_WIN}
  timeout 10 wmctrl -i -c "$w" || e2e_fail "wmctrl could not close window $w"
  e2e_note "asked the window manager to close window $w"
}

# e2e_key WINDOW KEY...: focuses the window and presses the keys (xdotool
# names, e.g. alt+space, Return, m).
e2e_key() {
  local w=$1
  shift
  e2e_focus "$w"
  timeout 10 xdotool key --clearmodifiers "$@" || e2e_fail "xdotool could not press $*"
}

# e2e_click X Y [BUTTON]: moves the pointer to screen position X,Y and clicks
# (button 1 left, 3 right).
e2e_click() {
  # No --sync: it waits for a motion event that never comes when the pointer is
  # already there.
  timeout 10 xdotool mousemove "$1" "$2" sleep 0.1 click "${3:-1}" ||
    e2e_fail "xdotool could not click at $1,$2"
}

# e2e_click_window WINDOW X Y [BUTTON]: clicks at X,Y inside the window.
e2e_click_window() {
  timeout 10 xdotool mousemove --sync --window "$1" "$2" "$3" click "${4:-1}" ||
    e2e_fail "xdotool could not click in window $1 at $2,$3"
}

# e2e_close_button [WINDOW]: clicks the close button at the right end of the
# window's title bar, drawn by Openbox (Debian's default theme places it
# about 10 px inside the frame's right edge, in the middle of the title bar).
e2e_close_button() {
  local w=${1:-$TALMO_WIN} info ext x y width right top
  e2e_require xwininfo xprop
  e2e_wait_until 10 e2e__framed "$w" || e2e_fail "window $w has no frame from the window manager"
  info=$(xwininfo -id "$w") || e2e_fail "no geometry for window $w"
  ext=$(xprop -id "$w" _NET_FRAME_EXTENTS) || e2e_fail "no frame for window $w"
  x=$(awk '/Absolute upper-left X:/ { print $4 }' <<<"$info")
  y=$(awk '/Absolute upper-left Y:/ { print $4 }' <<<"$info")
  width=$(awk '/^ *Width:/ { print $2 }' <<<"$info")
  # _NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom
  right=$(sed -n 's/.*= *[0-9]*, *\([0-9]*\), *\([0-9]*\),.*/\1/p' <<<"$ext")
  top=$(sed -n 's/.*= *[0-9]*, *[0-9]*, *\([0-9]*\),.*/\1/p' <<<"$ext")
  [ -n "$x" ] && [ -n "$y" ] && [ -n "$width" ] && [ -n "$right" ] && [ -n "$top" ] ||
    e2e_fail "could not read the frame of window $w"
  e2e_click $(( x + width + right - 10 )) $(( y - top / 2 )) 1
  e2e_note "clicked the close button of window $w"
}

e2e__framed() {
  local ext
  ext=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null) || return 1
  grep -q '= *[0-9]' <<<"$ext"
}

# e2e_wait_exit [SECONDS]: waits for the program to end; sets TALMO_STATUS.
# Fails if it is still running after the bounded wait.
e2e_wait_exit() {
  local limit=${1:-15}
  e2e_wait_until "$limit" e2e_not_running "$TALMO_PID" ||
    e2e_fail "the program did not end within ${limit} s"
  TALMO_STATUS=0
  wait "$TALMO_PID" || TALMO_STATUS=$?
  e2e_note "the program ended with status $TALMO_STATUS"
}

# e2e_expect_exit STATUS [SECONDS]: e2e_wait_exit, then fails unless the
# exit status is STATUS.
e2e_expect_exit() {
  e2e_wait_exit "${2:-15}"
  [ "$TALMO_STATUS" -eq "$1" ] || e2e_fail "exit status $TALMO_STATUS, expected $1"
}

# e2e_wait_grep SECONDS FILE PATTERN: waits until FILE has a line matching the
# extended regular expression PATTERN.
e2e_wait_grep() {
  e2e_wait_until "$1" grep -Eq -- "$3" "$2"
}

# ---------------------------------------------------------------- pictures

# e2e_screenshot FILE [WINDOW]: saves the whole screen, or one window with its
# frame, as an image (format by FILE's extension, e.g. .png).
e2e_screenshot() {
  e2e_require import
  local target=(-window root)
  [ -n "${2:-}" ] && target=(-window "$2" -frame)
  import "${target[@]}" "$1" 2>>"$E2E_TMP/logs/import.log" ||
    e2e_fail "could not take a screenshot of ${target[*]}"
  e2e_note "screenshot $1"
}

# e2e_dismiss_box [SECONDS]: waits for the program's first window (a message box
# shown during start-up, such as "Defined COM Port not available" for a port that
# does not exist), presses Return on it and waits until it is gone.
e2e_dismiss_box() {
  local limit=${1:-20} box
  e2e_wait_window TALMO "$limit"
  box=$TALMO_WIN
  e2e_key "$box" Return
  e2e_wait_until 10 e2e__window_gone "$box" || e2e_fail "message box $box did not close on Return"
  e2e_note "dismissed message box $box"
}

e2e__window_gone() { ! xdotool getwindowname "$1" >/dev/null 2>&1 || [ -z "$(xdotool search --onlyvisible --pid "$TALMO_PID" 2>/dev/null | grep -x "$1")" ]; }

# e2e_count_colour WINDOW GEOMETRY HEX: how many pixels of the window's area
# WxH+X+Y have the colour #RRGGBB (a screenshot of the window, read as text).
e2e_count_colour() {
  local shot="$E2E_TMP/count-$$.png"
  timeout 20 import -window "$1" "$shot" 2>/dev/null || e2e_fail "screenshot of window $1 failed"
  /usr/bin/convert "$shot" -crop "$2" +repage txt:- | grep -ci "#$3" || true
}

# e2e_start_pty_port LINESLOG: a pseudo-terminal stands in for the serial port
# (socat keeps its master side open), and the modem-line interposer is set up to
# be preloaded into the program, logging every DTR/RTS request to LINESLOG.
# Sets E2E_PORT to the port's path upper-cased, as the settings file holds names.
e2e_start_pty_port() {
  e2e_require socat
  [ -n "${TALMO_MODEMLINES_LIB:-}" ] && [ -f "$TALMO_MODEMLINES_LIB" ] ||
    e2e_fail "the modem-line interposer library was not built"
  mkdir -p "$E2E_TMP/dev"
  socat PTY,link="$E2E_TMP/dev/ttytalmo0",rawer OPEN:/dev/null >"$E2E_TMP/logs/socat.log" 2>&1 &
  e2e_track $!
  e2e_wait_until 10 test -e "$E2E_TMP/dev/ttytalmo0" || e2e_fail "socat made no pseudo-terminal"
  : >"$1"
  export TALMO_MODEMLINES_LOG="$1"
  E2E_PRELOAD=$TALMO_MODEMLINES_LIB
  E2E_PORT=$(printf '%s' "$E2E_TMP/dev/ttytalmo0" | tr '[:lower:]' '[:upper:]')
}

# e2e_window_sized PID TITLE MAXW: the first window of the process with that
# title (* for any) whose width is at most MAXW (the tray icon) or, with a negative MAXW,
# at least -MAXW (the main window).
e2e_window_sized() {
  local w width
  for w in $(xdotool search --all --pid "$1" 2>/dev/null); do
    # Matched by name here: the tray icon's window escapes xdotool's --name search.
    [ "$2" = '*' ] || [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$2" ] || continue
    width=$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | sed -n 's/^WIDTH=//p')
    [ -n "$width" ] || continue
    if { [ "$3" -ge 0 ] && [ "$width" -le "$3" ]; } || { [ "$3" -lt 0 ] && [ "$width" -ge $((-$3)) ]; }; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

# e2e_click_centre WINDOW [BUTTON]: clicks the middle of a window.
e2e_click_centre() {
  local x y w h
  eval "$(xdotool getwindowgeometry --shell "$1")"
  x=$((X + WIDTH / 2))
  y=$((Y + HEIGHT / 2))
  e2e_click "$x" "$y" "${2:-1}"
}
