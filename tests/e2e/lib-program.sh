# shellcheck shell=bash
# The program under test: its settings file, starting it, its windows, keys
# and clicks, its exit, and pictures of its windows. Sourced by lib.sh; needs
# the stack of lib-stack.sh. TALMO_BIN is set by e2e_init (lib.sh).
# shellcheck disable=SC2153

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
