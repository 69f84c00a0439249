#!/bin/sh
# SPDX-License-Identifier: MIT
# Writes the seed files of the puzzle reader's fuzz corpus into corpus/reader.
set -eu
out="$(dirname "$0")/corpus/reader"
mkdir -p "$out"

printf 'C:\\Pictures\\boat.jpg\r\n3\r\n3\r\n 2 \r\n 2 \r\n 5 \r\n' > "$out/boat_3x3_two_moves.pzl"
printf 'intro.jpg\r\n4\r\n4\r\n 0 \r\n' > "$out/no_moves.pzl"
: > "$out/empty.pzl"
printf 'boat.jpg\n 05\n4\n 2 \n 2 \n 6 ' > "$out/lf_only.pzl"
# "C:\Obrázky\žluťoučký kůň.jpg" in windows-1250.
printf 'C:\\Obr\341zky\\\236lu\235ou\350k\375 k\371\362.jpg\r\n2\r\n2\r\n 1 \r\n 3 \r\n' \
    > "$out/windows1250_path.pzl"
printf '\357\273\277/home/jana/Obr\303\241zky/k\305\257\305\210.jpg\r\n2\r\n3\r\n 0 \r\n' \
    > "$out/utf8_bom.pzl"
printf 'big.jpg\r\n99999999999999999999\r\n1\r\n 99999999999999999999 \r\n' > "$out/long_count.pzl"
{
    printf 'wide.jpg\r\n32767\r\n1\r\n 1000 \r\n'
    i=0
    while [ $i -lt 1000 ]; do
        printf ' %d \r\n' $((i % 2 ? 3 : 32767))
        i=$((i + 1))
    done
} > "$out/thousand_moves.pzl"
