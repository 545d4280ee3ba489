#!/bin/sh
# Draws the program's pictures (gauge models, logos, frame panel, icons) with ImageMagick.
# Run from anywhere; it always writes into the folder it lives in and overwrites what is there.
set -eu

cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

# Shared palette.
SLATE='#2f3b45'
SLATE_DARK='#1e272e'
SLATE_MID='#3d4b57'
TEAL='#1f8a8a'
TEAL_DARK='#176b6b'
GREY_BG='#eef1f4'
GREY_1='#dfe4e8'
GREY_2='#c9d0d6'
GREY_3='#9aa5ae'
SHADOW='#d3d9de'
LCD='#bfcdc3'
LCD_INK='#23302a'

SANS=DejaVu-Sans
BOLD=DejaVu-Sans-Bold
MONO=DejaVu-Sans-Mono-Bold

# Gauges are drawn at twice the size and scaled down, which smooths the edges before the GIF palette is applied.
# The background around the gauge becomes transparent, so the gauge sits on the frame panel without a box.
finish_gif() { # $1 source png, $2 target gif
    convert "$1" -resize 50% -fuzz 4% -fill none -draw "color 0,0 floodfill" -channel A -threshold 50% +channel \
        -strip +dither -colors 64 "$2"
}

# --- RONDO: small pocket gauge, short display, three buttons, probe on a cable --------------------------------------
convert -size 480x640 "xc:$GREY_BG" \
    -fill none -stroke "$SLATE_DARK" -strokewidth 9 \
    -draw "path 'M 300,160 C 300,60 410,40 410,118'" \
    -stroke none \
    -fill "$SHADOW" -draw "roundrectangle 140,162 360,612 36,36" \
    -fill "$SLATE" -draw "roundrectangle 130,150 350,600 36,36" \
    -fill "$SLATE_MID" -draw "roundrectangle 148,168 332,582 24,24" \
    -fill "$SLATE_DARK" -draw "roundrectangle 166,196 314,334 12,12" \
    -fill "$LCD" -draw "roundrectangle 178,208 302,322 6,6" \
    -fill "$LCD_INK" -font "$MONO" -pointsize 50 -draw "text 186,285 '125'" \
    -font "$SANS" -pointsize 20 -draw "text 250,310 'µm'" \
    -font "$SANS" -pointsize 15 -draw "text 188,230 'Fe'" \
    -fill "$TEAL" -font "$BOLD" -pointsize 26 -draw "text 182,382 'RONDO'" \
    -fill "$GREY_3" -draw "rectangle 182,394 298,396" \
    -fill "$GREY_2" -draw "circle 182,455 182,477" -draw "circle 298,455 298,477" \
    -fill "$TEAL" -draw "circle 240,455 240,481" \
    -fill "$SLATE_DARK" -draw "roundrectangle 200,520 280,546 13,13" \
    -fill "$GREY_2" -draw "roundrectangle 394,110 426,236 12,12" \
    -fill "$GREY_3" -draw "rectangle 394,140 426,146" -draw "rectangle 394,154 426,160" \
    -fill "$TEAL" -draw "rectangle 394,214 426,224" \
    -fill "$SLATE_DARK" -draw "polygon 398,236 422,236 415,266 405,266" \
    "$tmp/rd.png"
finish_gif "$tmp/rd.png" RD.gif

# --- VX-500: wider instrument, large display, 3x4 keypad, probe on a cable at the left -------------------------------
keys=""
row=0
for y in 352 402 452 502; do
    col=0
    for x in 138 216 294; do
        colour=$GREY_2
        if [ $row -eq 3 ] && [ $col -eq 2 ]; then
            colour=$TEAL
        fi
        keys="$keys fill '$colour' roundrectangle $x,$y $((x + 60)),$((y + 38)) 9,9"
        col=$((col + 1))
    done
    row=$((row + 1))
done
convert -size 480x640 "xc:$GREY_BG" \
    -fill none -stroke "$SLATE_DARK" -strokewidth 9 \
    -draw "path 'M 110,140 C 50,140 46,190 46,250'" \
    -stroke none \
    -fill "$SHADOW" -draw "roundrectangle 112,102 392,622 30,30" \
    -fill "$GREY_1" -draw "roundrectangle 100,90 380,610 30,30" \
    -fill "$SLATE" -draw "roundrectangle 100,90 380,330 30,30" \
    -draw "rectangle 100,290 380,330" \
    -fill "$SLATE_DARK" -draw "roundrectangle 122,112 358,306 12,12" \
    -fill "$LCD" -draw "roundrectangle 134,124 346,294 6,6" \
    -fill "$LCD_INK" -font "$SANS" -pointsize 16 -draw "text 146,148 'NFe   Mem 03   n=24'" \
    -draw "rectangle 146,156 334,157" \
    -font "$MONO" -pointsize 62 -draw "text 150,226 '48.6'" \
    -font "$SANS" -pointsize 22 -draw "text 300,226 'µm'" \
    -draw "rectangle 150,248 178,282" -draw "rectangle 186,236 214,282" \
    -draw "rectangle 222,256 250,282" -draw "rectangle 258,242 286,282" \
    -draw "rectangle 294,262 322,282" \
    -fill "$TEAL" -draw "rectangle 100,330 380,336" \
    -draw "$keys" \
    -fill "$SLATE" -font "$BOLD" -pointsize 26 -draw "text 186,585 'VX-500'" \
    -fill "$SLATE_DARK" -draw "roundrectangle 96,128 124,152 6,6" \
    -fill "$GREY_2" -draw "roundrectangle 30,242 62,366 12,12" \
    -fill "$GREY_3" -draw "rectangle 30,270 62,276" -draw "rectangle 30,284 62,290" \
    -fill "$TEAL" -draw "rectangle 30,344 62,354" \
    -fill "$SLATE_DARK" -draw "polygon 34,366 58,366 51,396 41,396" \
    "$tmp/vx5.png"
finish_gif "$tmp/vx5.png" VX5.gif

# --- FORTA / VX-200: teal body with the round probe head built into the top -----------------------------------------
convert -size 480x640 "xc:$GREY_BG" \
    -fill "$SHADOW" -draw "roundrectangle 150,192 350,622 40,40" -draw "circle 250,122 250,196" \
    -fill "$SLATE" -draw "roundrectangle 205,150 275,210 10,10" \
    -fill "$GREY_2" -draw "circle 240,110 240,184" \
    -fill "$GREY_1" -draw "circle 240,110 240,166" \
    -fill none -stroke "$GREY_3" -strokewidth 4 -draw "circle 240,110 240,146" \
    -stroke none -fill "$SLATE" -draw "circle 240,110 240,124" \
    -fill "$TEAL" -draw "roundrectangle 140,180 340,610 40,40" \
    -fill "$TEAL_DARK" -draw "roundrectangle 140,560 340,610 40,40" -draw "rectangle 140,560 340,580" \
    -fill "$SLATE" -draw "roundrectangle 160,214 320,384 16,16" \
    -fill "$LCD" -draw "roundrectangle 172,226 308,372 6,6" \
    -fill "$LCD_INK" -font "$SANS" -pointsize 16 -draw "text 184,250 'Fe / NFe'" \
    -font "$MONO" -pointsize 52 -draw "text 182,320 '2.31'" \
    -font "$SANS" -pointsize 20 -draw "text 252,352 'mm'" \
    -fill white -font "$BOLD" -pointsize 28 -draw "text 188,430 'FORTA'" \
    -fill "$SLATE" -draw "roundrectangle 170,460 230,496 18,18" -draw "roundrectangle 250,460 310,496 18,18" \
    -fill "$GREY_1" -draw "roundrectangle 205,514 275,540 13,13" \
    "$tmp/ft.png"
finish_gif "$tmp/ft.png" FT.gif

# --- Varnotek maker logo: three stacked layers (a coated surface) beside the wordmark --------------------------------
convert -size 800x240 xc:white \
    -fill "$GREY_2" -draw "polygon 60,170 180,170 210,140 90,140" \
    -fill "$SLATE" -draw "polygon 60,132 180,132 210,102 90,102" \
    -fill "$TEAL" -draw "polygon 60,94 180,94 210,64 90,64" \
    -fill "$SLATE" -font "$BOLD" -pointsize 84 -draw "text 240,140 'Varnotek'" \
    -fill "$TEAL" -font "$SANS" -pointsize 22 -kerning 6 -draw "text 246,180 'MEASURING INSTRUMENTS'" \
    "$tmp/kova.png"
convert "$tmp/kova.png" -resize 50% -strip -quality 90 Kovalogo.jpg

# --- Selmar partner logo: blue disc with two waves, blue wordmark with an orange rule ----------------------------------------------------
SEL_BLUE='#1d4e89'
SEL_ORANGE='#e07a1f'
selmar_mark() { # $1 canvas size, $2 output, $3 wave thickness as a fraction of the size (1/n); the mark fills the canvas
    s=$1
    c=$((s / 2))
    w=$((s / $3))
    convert -size "${s}x${s}" xc:none \
        -fill "$SEL_BLUE" -draw "circle $c,$c $c,$((s / 32))" \
        -fill none -stroke white -strokewidth $w \
        -draw "path 'M $((s * 7 / 32)),$((s * 13 / 32)) C $((s * 12 / 32)),$((s * 8 / 32)) $((s * 20 / 32)),$((s * 18 / 32)) $((s * 25 / 32)),$((s * 13 / 32))'" \
        -stroke "$SEL_ORANGE" \
        -draw "path 'M $((s * 7 / 32)),$((s * 20 / 32)) C $((s * 12 / 32)),$((s * 15 / 32)) $((s * 20 / 32)),$((s * 25 / 32)) $((s * 25 / 32)),$((s * 20 / 32))'" \
        "$2"
}
selmar_mark 160 "$tmp/selmar_mark.png" 12
convert -size 800x240 xc:white \
    "$tmp/selmar_mark.png" -geometry +50+40 -composite \
    -fill "$SEL_BLUE" -font "$BOLD" -pointsize 92 -draw "text 240,148 'Selmar'" \
    -fill "$SEL_ORANGE" -draw "rectangle 246,168 560,174" \
    "$tmp/selmar.png"
convert "$tmp/selmar.png" -resize 50% -strip -quality 90 Selmarlogo.jpg
# Thicker waves at 16 px so they stay two lines instead of a smear.
selmar_mark 256 "$tmp/selmar256.png" 11
selmar_mark 256 "$tmp/selmar256s.png" 7
convert "$tmp/selmar256.png" -resize 32x32 "$tmp/selmar32.png"
convert "$tmp/selmar256s.png" -resize 16x16 "$tmp/selmar16.png"
convert "$tmp/selmar32.png" "$tmp/selmar16.png" Selmar.ico

# --- Frame panel behind the gauge picture: soft vertical gradient, thin rounded border -------------------------------
convert -size 600x400 "gradient:#f8f9fb-#dce1e6" \
    -fill none -stroke "$GREY_3" -strokewidth 2 -draw "roundrectangle 6,6 593,393 18,18" \
    -stroke white -strokewidth 1 -draw "roundrectangle 9,9 590,390 15,15" \
    -strip -quality 90 Rahmen.jpg

# --- Varnotek application icon: a dial with a teal scale and a needle ------------------------------------------------
# Scale: a half ring round (128,136), radii 70..90, teal from the left end to 300 degrees. Built from filled shapes
# (two half-disc pies and an inner disc) because stroked arcs come out closed by a chord.
convert -size 256x256 xc:none \
    -fill "$SLATE" -draw "roundrectangle 8,8 247,247 48,48" \
    -fill "$GREY_3" -draw "path 'M 128,136 L 38,136 A 90,90 0 0 1 218,136 Z'" \
    -fill "$TEAL" -draw "path 'M 128,136 L 38,136 A 90,90 0 0 1 173,58 Z'" \
    -fill "$SLATE" -draw "circle 128,136 128,66" \
    -stroke white -strokewidth 14 -draw "stroke-linecap round line 128,136 170,86" \
    -stroke none -fill white -draw "circle 128,136 128,156" \
    -fill "$TEAL" -draw "circle 128,136 128,146" \
    -fill "$GREY_2" -draw "roundrectangle 64,182 192,206 10,10" \
    "$tmp/icon256.png"
# 16 px: no display bar, heavier ring and needle, so the dial still reads.
convert -size 256x256 xc:none \
    -fill "$SLATE" -draw "roundrectangle 0,0 255,255 40,40" \
    -fill "$GREY_3" -draw "path 'M 128,176 L 20,176 A 108,108 0 0 1 236,176 Z'" \
    -fill "$TEAL" -draw "path 'M 128,176 L 20,176 A 108,108 0 0 1 182,82 Z'" \
    -fill "$SLATE" -draw "circle 128,176 128,108" \
    -stroke white -strokewidth 30 -draw "stroke-linecap round line 128,176 176,118" \
    -stroke none -fill white -draw "circle 128,176 128,204" \
    "$tmp/icon256s.png"
convert "$tmp/icon256.png" -strip -depth 8 -define png:exclude-chunks=date,time varnotek.png
for n in 64 48 32; do
    convert "$tmp/icon256.png" -resize "${n}x${n}" "$tmp/icon$n.png"
done
convert "$tmp/icon256s.png" -resize 16x16 "$tmp/icon16.png"
convert "$tmp/icon64.png" "$tmp/icon48.png" "$tmp/icon32.png" "$tmp/icon16.png" Varnotek.ico

# --- Desktop icon in the hicolor theme sizes, and the same dial as a hand-written SVG ---------------------------------
# Named after the desktop entry (de.varnotek.transfer) so menus and docks find it. Below 32 px the simplified dial.
APPID=de.varnotek.transfer
for n in 256 128 64 48 32 24 16; do
    src="$tmp/icon256.png"
    [ "$n" -lt 32 ] && src="$tmp/icon256s.png"
    mkdir -p "icons/hicolor/${n}x${n}/apps"
    convert "$src" -resize "${n}x${n}" -strip -depth 8 -define png:exclude-chunks=date,time \
        "PNG32:icons/hicolor/${n}x${n}/apps/$APPID.png"
done
mkdir -p icons/hicolor/scalable/apps
cat >"icons/hicolor/scalable/apps/$APPID.svg" <<SVG
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>Varnotek TRANSFER</title>
  <rect x="8" y="8" width="240" height="240" rx="48" fill="$SLATE"/>
  <path d="M128,136 L38,136 A90,90 0 0 1 218,136 Z" fill="$GREY_3"/>
  <path d="M128,136 L38,136 A90,90 0 0 1 173,58 Z" fill="$TEAL"/>
  <circle cx="128" cy="136" r="70" fill="$SLATE"/>
  <line x1="128" y1="136" x2="170" y2="86" stroke="#ffffff" stroke-width="14" stroke-linecap="round"/>
  <circle cx="128" cy="136" r="20" fill="#ffffff"/>
  <circle cx="128" cy="136" r="10" fill="$TEAL"/>
  <rect x="64" y="182" width="128" height="24" rx="10" fill="$GREY_2"/>
</svg>
SVG
