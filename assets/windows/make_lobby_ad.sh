#!/usr/bin/env bash
# Draws the lobby advertising picture of the download window and saves it as
# JPEGs beside this script: lobby_ad.jpg (340 by 210) for ordinary screens and
# lobby_ad@2x.jpg, the same picture drawn at twice the size, for screens
# scaled by more than 1. Needs ImageMagick 6 and the DejaVu fonts. Run it
# again after changing the picture; an argument names another directory to
# write them to.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
plain=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

# draw SCALE OUT: every length below is in pixels of the 340 by 210 picture
# and is multiplied by SCALE.
draw() {
    local s=$1 out=$2
    local args=(-size $((340 * s))x$((210 * s)) gradient:'#1d3b6e'-'#0b1830'
        -fill 'rgba(255,255,255,0.06)' -draw "circle $((290 * s)),$((30 * s)) $((390 * s)),$((30 * s))"
        -fill 'rgba(255,255,255,0.05)' -draw "circle $((40 * s)),$((200 * s)) $((120 * s)),$((200 * s))"
        -fill '#0a1428' -stroke '#4f79c0' -strokewidth $((2 * s))
        -draw "roundrectangle $((14 * s)),$((118 * s)) $((326 * s)),$((182 * s)) $((14 * s)),$((14 * s))"
        -stroke none)

    # A row of six glossy balls on the tray.
    local x=44 colour
    for colour in '#e8c21e' '#2aa84a' '#2d5fd7' '#d22828' '#c02cc0' '#1fb8c8'; do
        args+=(-fill 'rgba(0,0,0,0.45)' -draw "ellipse $((x * s)),$((166 * s)) $((14 * s)),$((4 * s)) 0,360"
               -fill "$colour" -draw "circle $((x * s)),$((150 * s)) $(((x + 15) * s)),$((150 * s))"
               -fill 'rgba(255,255,255,0.55)'
               -draw "ellipse $(((x - 5) * s)),$((142 * s)) $((7 * s)),$((4 * s)) 0,360")
        x=$((x + 50))
    done

    args+=(-font "$bold" -pointsize $((34 * s)) -fill '#ffd95a' -stroke '#3a2a00' -strokewidth "$s"
           -annotate +$((22 * s))+$((54 * s)) 'ORBO77' -stroke none
           -pointsize $((22 * s)) -fill white -annotate +$((190 * s))+$((54 * s)) 'LOBBY'
           -font "$plain" -pointsize $((14 * s)) -fill '#cfe0ff'
           -annotate +$((24 * s))+$((82 * s)) 'Meet players - chat - join a table'
           -annotate +$((24 * s))+$((102 * s)) 'Kalvex and more games online, free'
           -font "$bold" -pointsize $((11 * s)) -fill '#9fb8e8'
           -annotate +$((24 * s))+$((201 * s)) 'www.orbo77.com'
           -quality 90 -sampling-factor 4:2:0 -strip "$out")
    convert "${args[@]}"
    echo "wrote $out"
}

draw 1 "${1:-$here}/lobby_ad.jpg"
draw 2 "${1:-$here}/lobby_ad@2x.jpg"
