#!/usr/bin/env bash
# `cmake --install` into a temporary DESTDIR puts the program, its desktop
# entry, metainfo, icons and manual page where a desktop finds them, and each
# of them passes its validator (desktop-file-validate, appstreamcli validate,
# man --warnings).
#   installed_files_test.sh BUILD_DIR
set -euo pipefail
build=${1:?build directory}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/checks.sh"
for tool in desktop-file-validate appstreamcli file man col; do
  command -v "$tool" >/dev/null || { echo "missing tool $tool: run scripts/install-deps" >&2; exit 1; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/talmo-install.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >"$tmp/install.log" 2>&1 ||
  { cat "$tmp/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }
check_installed_tree "$tmp/root" /usr
for doc in README.md copyright; do
  [ -f "$tmp/root/usr/share/doc/talmo/$doc" ] || check_fail "$doc is not installed as documentation"
done
[ "$CHECK_FAILURES" -eq 0 ] || { echo "$CHECK_FAILURES check(s) failed" >&2; exit 1; }
echo PASS
