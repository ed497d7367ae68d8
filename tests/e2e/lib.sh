# shellcheck shell=bash
# Helpers for the whole-program tests: a private sound server, a virtual
# display with a window manager, test audio (lib-stack.sh), and the program
# itself, run as a user would run it (lib-program.sh). This file holds the
# reporting, the bounded waits and the clean-up, and sources the other two.
# Source this file from a test script, then call e2e_init first. Everything started here is stopped by its own process id
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

# shellcheck source=lib-stack.sh
source "$E2E_DIR/lib-stack.sh"
# shellcheck source=lib-program.sh
source "$E2E_DIR/lib-program.sh"
