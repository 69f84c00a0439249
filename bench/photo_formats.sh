#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The photo formats' figures with their aims: a 12-megapixel HEIC and AVIF from the game's spawn to
# its painted window against libheif's own decode of the same file (heif-convert), run in turns;
# and the conversion of a 48-megapixel Adobe RGB JPEG to sRGB against its decode.
# Usage: bench/photo_formats.sh [BUILD_DIR] [RUNS]   (default: build/ in the project folder, 5 runs)
# Needs what tools/setup installs: heif-enc, heif-convert, avifenc, PIL, colord-data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
runs=${2:-5}
# The system interpreter, which has PIL as a distribution package.
export PATH=/usr/bin:$PATH QT_QPA_PLATFORM=offscreen LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work/runtime}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
seconds() { local s=$EPOCHREALTIME; "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }; awk "BEGIN { print $EPOCHREALTIME - $s }"; }
verdict() { awk "BEGIN { print ($1) ? \"met\" : \"MISSED\" }"; }

cmake --build "$build" -j2 --target startup_probe photo_probe >/dev/null
python3 "$root/tools/make_big_picture.py" "$work/photo.jpg" 4000 3000
heif-enc -q 80 "$work/photo.jpg" -o "$work/photo.heic" >/dev/null 2>&1
avifenc -s 10 "$work/photo.jpg" "$work/photo.avif" >/dev/null 2>&1

# The game starts on intro.jpg; a photo under that name is read by its content, as any picture
# under a wrong suffix is.
mkdir "$work/game"
for format in heic avif; do
  cp "$work/photo.$format" "$work/game/intro.jpg"
  : >"$work/game.times" && : >"$work/libheif.times"
  for _ in $(seq "$runs"); do
    (cd "$work/game" && seconds "$build/bench/startup_probe" game) >>"$work/game.times"
    seconds heif-convert "$work/photo.$format" "$work/decoded.y4m" >>"$work/libheif.times"
  done
  game=$(median <"$work/game.times") libheif=$(median <"$work/libheif.times")
  printf '12 MP %s: spawn to window %.2f s, heif-convert %.2f s: %.2f times (aim: at most 1.4) %s\n' \
    "$format" "$game" "$libheif" "$(awk "BEGIN { print $game / $libheif }")" \
    "$(verdict "$game <= 1.4 * $libheif")"
done

# A 48-megapixel JPEG tagged Adobe RGB: its decode and its colours' conversion, in one process.
python3 - "$work/photo.jpg" "$work/wide.jpg" <<'EOF'
import sys
from PIL import Image
icc = open("/usr/share/color/icc/colord/AdobeRGB1998.icc", "rb").read()
Image.open(sys.argv[1]).resize((8000, 6000)).save(sys.argv[2], quality=90, icc_profile=icc)
EOF
: >"$work/decode.times" && : >"$work/colours.times"
for _ in $(seq "$runs"); do
  read -r _ decode _ _ _ colours _ _ < <("$build/bench/photo_probe" "$work/wide.jpg")
  echo "$decode" >>"$work/decode.times" && echo "$colours" >>"$work/colours.times"
done
decode=$(median <"$work/decode.times") colours=$(median <"$work/colours.times")
printf '48 MP Adobe RGB JPEG: decode %.0f ms, conversion to sRGB %.0f ms: %.2f of it (aim: at most 0.2) %s\n' \
  "$decode" "$colours" "$(awk "BEGIN { print $colours / $decode }")" "$(verdict "$colours <= 0.2 * $decode")"
