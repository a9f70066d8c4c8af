#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a build folder with CPack and checks it with lintian, which must
# report no error and no warning. Usage: scripts/check-package.sh [build-folder]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
cd "$build"
rm -f halvora_*.deb
if ! cpack -G DEB > cpack.log 2>&1; then
  cat cpack.log
  exit 1
fi
deb=$(ls halvora_*.deb)
echo "Checking $build/$deb"
# Libraries opened at run time are named by hand; dpkg-shlibdeps cannot see them.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libgeonames0 tzdata qt6-qpa-plugins; do
  if ! grep -Eq "(^|, )$needed( |,|$)" <<<"$depends"; then
    echo "the package does not depend on $needed: $depends" >&2
    exit 1
  fi
done
# lintian says that it would rather not run as root; that is no finding about the package.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2> >(grep -v 'running with root privileges' >&2)
echo "lintian: no error, no warning"
