# shellcheck shell=bash
# Checks of an installed TALMO tree, shared by the install and package tests.
# Source it, then call check_installed_tree ROOT PREFIX, where ROOT/PREFIX is
# where the files landed (a DESTDIR or a dpkg -x root, never /).
APP_ID=org.talmo.Talmo
CHECK_FAILURES=0

check_fail() { printf 'FAIL: %s\n' "$*" >&2; CHECK_FAILURES=$((CHECK_FAILURES + 1)); }
check_note() { printf '  ok: %s\n' "$*"; }

# check_file PATH: the file exists and is not empty.
check_file() { if [ -s "$1" ]; then check_note "${1#"$CHECK_ROOT"}"; else check_fail "missing or empty: ${1#"$CHECK_ROOT"}"; fi; }

# desktop_key FILE KEY: the value of KEY in the [Desktop Entry] group.
desktop_key() { sed -n "/^\[Desktop Entry\]/,/^\[/ s/^$2=//p" "$1" | head -n 1; }

# check_png PATH SIZE: a PNG of SIZE x SIZE pixels.
check_png() {
  local info
  info=$(file -b "$1" 2>/dev/null) || true
  case "$info" in
    "PNG image data, $2 x $2,"*) check_note "${1#"$CHECK_ROOT"}: $2 x $2 PNG" ;;
    *) check_fail "${1#"$CHECK_ROOT"}: expected a $2 x $2 PNG, got: ${info:-nothing}" ;;
  esac
}

check_desktop_entry() {
  local f=$1 bindir=$2 out exec icon
  out=$(desktop-file-validate "$f" 2>&1) || { check_fail "desktop-file-validate: $out"; return; }
  # It reports warnings and hints without failing: treat them as failures too.
  if [ -n "$out" ]; then check_fail "desktop-file-validate: $out"; else check_note "desktop-file-validate"; fi
  exec=$(desktop_key "$f" Exec); icon=$(desktop_key "$f" Icon)
  [ -x "$bindir/${exec%% *}" ] || check_fail "Exec=$exec is not an installed program in ${bindir#"$CHECK_ROOT"}"
  [ "$icon" = "$APP_ID" ] || check_fail "Icon=$icon, expected $APP_ID"
  local categories category
  categories=";$(desktop_key "$f" Categories)"
  for category in AudioVideo Audio HamRadio; do
    [[ "$categories" == *";$category;"* ]] || check_fail "Categories=${categories#;} lacks $category"
  done
}

check_metainfo() {
  local f=$1 out
  out=$(appstreamcli validate --no-net --no-color "$f" 2>&1) || { check_fail "appstreamcli validate: $out"; return; }
  check_note "appstreamcli validate"
  grep -q "<id>$APP_ID</id>" "$f" || check_fail "metainfo id is not $APP_ID"
  grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$f" ||
    check_fail "metainfo does not launch $APP_ID.desktop"
  grep -q '<binary>talmo</binary>' "$f" || check_fail "metainfo does not provide the binary talmo"
}

check_manpage() {
  local f=$1 out text
  out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$f" 2>&1 >/dev/null) || true
  if [ -n "$out" ]; then check_fail "man page warnings: $out"; else check_note "man page renders without warnings"; fi
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$f" 2>/dev/null | col -b) || true
  local want
  for want in NAME SYNOPSIS OPTIONS FILES 'SERIAL WIRING' 'EXIT STATUS' 'talmo [-F file]' TALMO.INI TALMO.Log dialout COMPORT BAUDRATE TRACE GAIN DELAY; do
    grep -qF -- "$want" <<<"$text" || check_fail "man page lacks \"$want\""
  done
}

# check_installed_tree ROOT PREFIX
check_installed_tree() {
  CHECK_ROOT=$1
  local p="$1$2" share="$1$2/share"
  echo "checking the tree installed in $1 (prefix $2)"
  [ -x "$p/bin/talmo" ] || check_fail "no executable $2/bin/talmo"
  file -b "$p/bin/talmo" | grep -q '^ELF' || check_fail "$2/bin/talmo is not an ELF program"
  check_file "$share/applications/$APP_ID.desktop"
  check_file "$share/metainfo/$APP_ID.metainfo.xml"
  check_file "$share/icons/hicolor/scalable/apps/$APP_ID.svg"
  check_file "$share/man/man1/talmo.1.gz"
  check_png "$share/icons/hicolor/32x32/apps/$APP_ID.png" 32
  check_png "$share/icons/hicolor/48x48/apps/$APP_ID.png" 48
  grep -q '<svg' "$share/icons/hicolor/scalable/apps/$APP_ID.svg" 2>/dev/null ||
    check_fail "the scalable icon is no SVG drawing"
  [ -f "$share/applications/$APP_ID.desktop" ] && check_desktop_entry "$share/applications/$APP_ID.desktop" "$p/bin"
  [ -f "$share/metainfo/$APP_ID.metainfo.xml" ] && check_metainfo "$share/metainfo/$APP_ID.metainfo.xml"
  [ -f "$share/man/man1/talmo.1.gz" ] && check_manpage "$share/man/man1/talmo.1.gz"
  # Nothing outside the prefix (no /usr/local, no build paths).
  local stray
  stray=$(cd "$1" && find . -type f | grep -v "^\.$2/" || true)
  [ -z "$stray" ] || check_fail "files outside $2: $stray"
  return 0
}

