#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# ./play started elsewhere with a relative puzzle file: the game, which runs in build/, gets the name
# made absolute against the starting folder; an absolute name and no name pass unchanged.
set -euo pipefail
play=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/root/tools" "$tmp/root/build" "$tmp/here"
cp "$play" "$tmp/root/play"
printf '#!/bin/sh\n' | tee "$tmp/root/tools/setup" > "$tmp/root/tools/build"
printf '#!/bin/sh\nfor a; do printf "[%%s]" "$a"; done\n' > "$tmp/root/build/zornik-puzzle"
chmod +x "$tmp/root/play" "$tmp/root/tools/"* "$tmp/root/build/zornik-puzzle"
cd "$tmp/here"
check() {
  local got
  got=$(shift; "$tmp/root/play" "$@")
  [ "$got" = "$1" ] || { echo "play ${*:2}: the game got $got, not $1"; exit 1; }
}
check "[$tmp/here/my game.pzl]" my game.pzl
check "[$tmp/here/../g.pzl]" ../g.pzl
check "[/abs/g.pzl]" /abs/g.pzl
check ""
echo "play passes its puzzle file on"
