#!/bin/sh
# Checks a built Debian package of the programs as a distribution would before taking it: it holds
# every program it names (the three programs under /usr/bin, each program its desktop entry starts),
# the desktop entry and the icon, the copyright and the change log; the desktop entry passes
# desktop-file-validate; lintian finds no error in the package.
#   tests/packaging/check_package.sh build/release/trf_1.0.0_amd64.deb
set -eu
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
failed=0
fail() { echo "FAILED: $*"; failed=1; }

for file in usr/bin/trf usr/bin/trf-report usr/bin/trf-desktop usr/share/applications/trf-desktop.desktop \
            usr/share/icons/hicolor/scalable/apps/trf-desktop.svg usr/share/doc/trf/copyright \
            usr/share/doc/trf/changelog.gz; do
  [ -e "$work/root/$file" ] || fail "the package lacks /$file"
done
for program in usr/bin/trf usr/bin/trf-report usr/bin/trf-desktop; do
  [ -x "$work/root/$program" ] || fail "/$program is not executable"
done
entry=$work/root/usr/share/applications/trf-desktop.desktop
if [ -e "$entry" ]; then
  started=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$work/root/usr/bin/$started" ] || fail "the desktop entry starts \"$started\", which the package lacks"
  desktop-file-validate "$entry" || fail "desktop-file-validate refused the desktop entry"
fi
depends=$(dpkg-deb -f "$deb" Depends)
case "$depends" in *libqt6widgets6*) ;; *) fail "the package does not depend on Qt's widgets: $depends" ;; esac

# lintian's errors fail the check; its warnings and notes are printed for the reader.
lintian --tag-display-limit 0 --fail-on error "$deb" || fail "lintian found errors"
[ "$failed" -eq 0 ] && echo "ok: $deb"
exit "$failed"
