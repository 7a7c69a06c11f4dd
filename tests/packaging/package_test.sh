#!/bin/sh
# Builds the Debian package from a build folder's programs (cpack, as `make package` does from the
# optimised build) into OUT, and checks it (check_package.sh). OUT keeps the package, so that CI
# can install it.
#   tests/packaging/package_test.sh BUILD_FOLDER OUT
set -eu
build=$1
out=$2
rm -rf "$out"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
exec "$(dirname "$0")/check_package.sh" "$out"/trf_*.deb
