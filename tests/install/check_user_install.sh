#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs the built game (folder $1) under a user's own prefix, ~/.local, and starts what its menu entry
# ($2) names the way a desktop starts it: looked up on the PATH Debian gives a user, which holds none of
# the prefix's folders.
set -eu
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cmake --install "$1" --prefix "$home/.local" >/dev/null
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$home/.local/share/applications/$2")
QT_QPA_PLATFORM=offscreen PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games "$program" --version
