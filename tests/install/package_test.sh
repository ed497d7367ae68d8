#!/usr/bin/env bash
# The Debian package: CPack builds it from the build tree; its control fields
# name section hamradio and the shared-library dependencies that
# dpkg-shlibdeps found, each of them installed on this machine; its files all
# lie under /usr; unpacked with dpkg -x into a temporary root, the tree passes
# the install checks, and the unpacked program starts under Xvfb with a
# private sound server, shows its window "TALMO" with the window class the
# desktop entry names, and writes its settings when closed with Alt+F4.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/checks.sh"
source "$here/../e2e/lib.sh"
e2e_init
e2e_require cpack dpkg-deb dpkg-shlibdeps dpkg-query desktop-file-validate appstreamcli file man col xprop
pkgdir="$E2E_TMP/pkg"; root="$E2E_TMP/root"

# ---- build
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$pkgdir" >"$E2E_TMP/logs/cpack.log" 2>&1 ||
  { cat "$E2E_TMP/logs/cpack.log" >&2; e2e_fail "cpack failed"; }
debs=("$pkgdir"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || e2e_fail "expected one .deb in $pkgdir, found: ${debs[*]}"
deb=${debs[0]}
e2e_note "built $(basename "$deb")"

# ---- control fields
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = talmo ] || check_fail "Package: $(field Package)"
[ "$(field Section)" = hamradio ] || check_fail "Section: $(field Section), expected hamradio"
[ "$(field Version)" = "$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")" ] ||
  check_fail "Version: $(field Version) differs from the project's version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || check_fail "Architecture: $(field Architecture)"
depends=$(field Depends)
e2e_note "Depends: $depends"
# The libraries the program links must appear, found by dpkg-shlibdeps.
depend_names=$(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }')
for lib in libc6 libstdc++6 libportaudio2 libfftw3-single3 libqt6widgets6 libqt6gui6 libqt6core6; do
  grep -qxF -- "$lib" <<<"$depend_names" || check_fail "Depends lacks $lib"
done
# Every dependency (one alternative of each) is installed here, so the
# package would install on this machine.
while IFS= read -r group; do
  ok=0
  IFS='|' read -ra alternatives <<<"$group"
  for alt in "${alternatives[@]}"; do
    name=$(awk '{ print $1 }' <<<"$alt"); name=${name%%:*}
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' && ok=1
  done
  [ "$ok" -eq 1 ] || check_fail "dependency not installed on this machine: $group"
done < <(tr ',' '\n' <<<"$depends" | sed 's/^ *//')

# ---- contents
dpkg-deb -c "$deb" >"$E2E_TMP/contents.txt" || e2e_fail "dpkg-deb -c failed"
for path in ./usr/bin/talmo ./usr/share/applications/$APP_ID.desktop \
            ./usr/share/metainfo/$APP_ID.metainfo.xml ./usr/share/man/man1/talmo.1.gz \
            ./usr/share/icons/hicolor/32x32/apps/$APP_ID.png ./usr/share/icons/hicolor/48x48/apps/$APP_ID.png \
            ./usr/share/icons/hicolor/scalable/apps/$APP_ID.svg; do
  grep -q " $path\$" "$E2E_TMP/contents.txt" || check_fail "the package lacks $path"
done
stray=$(awk '{ print $6 }' "$E2E_TMP/contents.txt" | grep -v '^\./usr/' | grep -v '^\./$' || true)
[ -z "$stray" ] || check_fail "paths outside /usr: $stray"
grep -q '^-rwxr-xr-x root/root .* \./usr/bin/talmo$' "$E2E_TMP/contents.txt" ||
  check_fail "/usr/bin/talmo is not an executable owned by root"

# ---- unpack and check the tree
dpkg -x "$deb" "$root" || e2e_fail "dpkg -x failed"
check_installed_tree "$root" /usr
file -b "$root/usr/bin/talmo" | grep -q ', stripped' || check_fail "/usr/bin/talmo is not stripped"
[ "$CHECK_FAILURES" -eq 0 ] || e2e_fail "$CHECK_FAILURES package check(s) failed"

# ---- smoke run of the unpacked program
TALMO_BIN="$root/usr/bin/talmo"
e2e_start_stack
e2e_start_talmo
e2e_dismiss_box 30
e2e_wait_window TALMO 30
wmclass=$(xprop -id "$TALMO_WIN" WM_CLASS 2>/dev/null) || e2e_fail "no WM_CLASS on the window"
want=$(desktop_key "$root/usr/share/applications/$APP_ID.desktop" StartupWMClass)
grep -q "\"$want\"\$" <<<"$wmclass" ||
  e2e_fail "window class ($wmclass) does not match StartupWMClass=$want of the desktop entry"
e2e_close_alt_f4 "$TALMO_WIN"
e2e_expect_exit 0 15
grep -q '^COMPORT=' "$E2E_WORKDIR/TALMO.INI" && grep -q '^DELAY=' "$E2E_WORKDIR/TALMO.INI" ||
  e2e_fail "the unpacked program wrote no settings file in its working directory"
e2e_note PASS
