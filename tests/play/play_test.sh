#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# ./play started elsewhere with a relative puzzle file: the game, which runs in build/, gets the name
# made absolute against the starting folder; an absolute name and no name pass unchanged.
set -euo pipefail
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/root/tools" "$tmp/root/build" "$tmp/here"
cp "$1" "$tmp/root/play"
printf '#!/bin/sh\n' | tee "$tmp/root/tools/setup" > "$tmp/root/tools/build"
printf '#!/bin/sh\nfor a; do printf "[%%s]" "$a"; done\n' > "$tmp/root/build/zornik-puzzle"
chmod +x "$tmp/root/play" "$tmp/root/tools/"* "$tmp/root/build/zornik-puzzle"
cd "$tmp/here"
for case in "[$tmp/here/my game.pzl]|my game.pzl" "[$tmp/here/../g.pzl]|../g.pzl" "[/abs/g.pzl]|/abs/g.pzl" "|"; do
  got=$("$tmp/root/play" ${case#*|})
  [ "$got" = "${case%%|*}" ] || { echo "play ${case#*|}: the game got $got, not ${case%%|*}"; exit 1; }
done
echo "play passes its puzzle file on"
