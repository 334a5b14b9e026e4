#!/usr/bin/env bash
# Draws the lobby advertising picture of the download window and saves it as
# a JPEG (lobby_ad.jpg beside this script). Needs ImageMagick 6 and the
# DejaVu fonts. Run it again after changing the picture.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/lobby_ad.jpg"
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
plain=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

args=(-size 340x210 gradient:'#1d3b6e'-'#0b1830'
      -fill 'rgba(255,255,255,0.06)' -draw 'circle 290,30 390,30'
      -fill 'rgba(255,255,255,0.05)' -draw 'circle 40,200 120,200'
      -fill '#0a1428' -stroke '#4f79c0' -strokewidth 2
      -draw 'roundrectangle 14,118 326,182 14,14' -stroke none)

# A row of six glossy balls on the tray.
x=44
for colour in '#e8c21e' '#2aa84a' '#2d5fd7' '#d22828' '#c02cc0' '#1fb8c8'; do
    args+=(-fill 'rgba(0,0,0,0.45)' -draw "ellipse $x,166 14,4 0,360"
           -fill "$colour" -draw "circle $x,150 $((x + 15)),150"
           -fill 'rgba(255,255,255,0.55)' -draw "ellipse $((x - 5)),142 7,4 0,360")
    x=$((x + 50))
done

args+=(-font "$bold" -pointsize 34 -fill '#ffd95a' -stroke '#3a2a00' -strokewidth 1
       -annotate +22+54 'ORBO77' -stroke none
       -pointsize 22 -fill white -annotate +190+54 'LOBBY'
       -font "$plain" -pointsize 14 -fill '#cfe0ff'
       -annotate +24+82 'Meet players - chat - join a table'
       -annotate +24+102 'Kalvex and more games online, free'
       -font "$bold" -pointsize 11 -fill '#9fb8e8' -annotate +24+201 'www.orbo77.com'
       -quality 90 -sampling-factor 4:2:0 -strip "$out")
convert "${args[@]}"
echo "wrote $out"
