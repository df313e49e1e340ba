#!/bin/sh
# Draws the program icon (resource 128): a blue tile with a pair of beamed notes turning into a
# written sheet, in two images of 16 colours, 32x32 and 16x16. Run from anywhere; it rewrites
# res/Quintaro.ico. Needs ImageMagick's convert (/usr/bin/convert, not the one in /usr/local).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
IM=/usr/bin/convert

"$IM" -size 32x32 xc:none \
    -fill '#1d4e9e' -stroke '#0b2a5c' -strokewidth 1 -draw 'roundrectangle 0.5,0.5 31.5,31.5 6,6' \
    -stroke none -fill '#3f78d0' -draw 'roundrectangle 2,2 29,14 5,5' \
    -fill white -draw 'ellipse 7.5,20.5 3.6,2.6 0,360' -draw 'ellipse 16.5,18.5 3.6,2.6 0,360' \
    -draw 'rectangle 10,6 11.4,20' -draw 'rectangle 19,4 20.4,18' \
    -draw 'polygon 10,6 20.4,3 20.4,7 10,10' \
    -fill '#f5f5f0' -stroke '#0b2a5c' -draw 'polygon 21.5,16.5 27.5,16.5 29.5,18.5 29.5,28.5 21.5,28.5' \
    -stroke none -fill '#f0a020' \
    -draw 'rectangle 23,20.5 27.5,21.5' -draw 'rectangle 23,23 28,24' -draw 'rectangle 23,25.5 26.5,26.5' \
    "$work/a32.png"
"$IM" -size 16x16 xc:none \
    -fill '#1d4e9e' -stroke '#0b2a5c' -strokewidth 1 -draw 'roundrectangle 0.5,0.5 15.5,15.5 3,3' \
    -stroke none -fill white -draw 'ellipse 4,11.5 2.2,1.6 0,360' -draw 'ellipse 10,10.5 2.2,1.6 0,360' \
    -draw 'rectangle 5.5,3 6.4,11.5' -draw 'rectangle 11.5,2 12.4,10.5' \
    -draw 'polygon 5.5,3 12.4,1.5 12.4,3.8 5.5,5.3' \
    "$work/a16.png"
"$IM" "$work/a32.png" "$work/a16.png" -colors 16 -type Palette "$here/Quintaro.ico"
