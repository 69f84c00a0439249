#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the built game under a user's own prefix (~/.local) and starts what its menu entry names,
# looked up the way a desktop looks it up: on the PATH Debian gives a user, which holds none of the
# prefix's folders.
# Run with the build folder and the desktop entry's name.
set -eu
build=$1 entry=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cmake --install "$build" --prefix "$home/.local" >/dev/null
command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$home/.local/share/applications/$entry")
program=$(PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games command -v "$command") || {
  echo "the menu entry's program \"$command\" is not found on a user's PATH" >&2
  exit 1
}
QT_QPA_PLATFORM=offscreen "$program" --version
