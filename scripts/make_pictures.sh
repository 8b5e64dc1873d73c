#!/usr/bin/env bash
# Draws the pictures of the shipped worksheets (data/bmp/*.bmp, 24-bit BMP) with
# ImageMagick:   bash scripts/make_pictures.sh
set -euo pipefail
cd "$(dirname "$0")/../data"
mkdir -p bmp
bmp() { convert "$@" -type truecolor "BMP3:$out"; }

# A car at night with its headlights on.
out=bmp/auto.bmp bmp -size 220x140 xc:'#1b2a4a' \
  -fill '#f4f1c0' -draw 'circle 190,22 198,16' \
  -fill '#303840' -draw 'rectangle 0,112 220,140' \
  -fill '#fff7a0' -draw 'polygon 168,82 220,66 220,110' \
  -fill '#c0282d' -draw 'roundrectangle 20,70 170,104 10,10' \
  -fill '#c0282d' -draw 'polygon 50,72 72,46 128,46 150,72' \
  -fill '#9fd3f0' -draw 'polygon 60,70 76,52 98,52 98,70' -draw 'polygon 104,70 104,52 124,52 140,70' \
  -fill '#fff36a' -draw 'circle 164,84 169,84' \
  -fill '#202020' -draw 'circle 55,106 55,120' -draw 'circle 140,106 140,120' \
  -fill '#909090' -draw 'circle 55,106 55,112' -draw 'circle 140,106 140,112'

# A greenhouse with tomato plants and a heater.
out=bmp/kas.bmp bmp -size 220x150 xc:'#d8eefa' \
  -fill '#6b8e3a' -draw 'rectangle 0,128 220,150' \
  -fill '#e8f6ff' -stroke '#5a6a78' -strokewidth 2 -draw 'polygon 30,128 30,60 110,20 190,60 190,128' \
  -draw 'line 70,40 70,128' -draw 'line 110,20 110,128' -draw 'line 150,40 150,128' -draw 'line 30,92 190,92' \
  -stroke none -fill '#2f7d32' -draw 'rectangle 48,96 54,126' -draw 'rectangle 88,100 94,126' -draw 'rectangle 126,96 132,126' \
  -fill '#d7301f' -draw 'circle 58,104 62,104' -draw 'circle 46,114 50,114' -draw 'circle 98,108 102,108' -draw 'circle 136,104 140,104' \
  -fill '#8a8a8a' -draw 'rectangle 160,108 184,126' -fill '#ff7a1a' -draw 'rectangle 164,112 180,116' -draw 'rectangle 164,119 180,123' \
  -fill '#ffffff' -stroke '#404040' -strokewidth 1 -draw 'roundrectangle 200,30 210,100 4,4' \
  -stroke none -fill '#d7301f' -draw 'rectangle 203,70 207,98' -draw 'circle 205,100 205,106'

# A traffic light.
out=bmp/verkeerslicht.bmp bmp -size 100x200 xc:white \
  -fill '#505050' -draw 'rectangle 46,140 54,200' \
  -fill '#202020' -draw 'roundrectangle 22,8 78,146 10,10' \
  -fill '#e02020' -draw 'circle 50,34 50,50' \
  -fill '#5a4a10' -draw 'circle 50,77 50,93' \
  -fill '#104a18' -draw 'circle 50,120 50,136'
