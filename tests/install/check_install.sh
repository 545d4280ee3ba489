#!/bin/sh
# Installs the build tree into a temporary prefix and checks what a user and the desktop get from it: the programs,
# the program folder with pictures, Konfi.ini and every manual, and a desktop entry, metainfo and icons that pass
# the freedesktop validators; then starts the installed programs from there as a new user would. A missing tool
# is a failure, not a reason to pass.
# Usage: check_install.sh <build folder>
set -eu
build=$1
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

for tool in desktop-file-validate appstreamcli pdftotext pdfinfo file xvfb-run xdotool xprop timeout; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

prefix=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$prefix" "$home"' EXIT INT TERM
cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; rm -f "$prefix.log"; echo "FAIL: cmake --install"; exit 1; }
rm -f "$prefix.log"

for program in varnotek-transfer varnotek-cli varnotek-sim; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program missing"
done
"$prefix/bin/varnotek-cli" --version >/dev/null || fail "the installed varnotek-cli does not run"

folder=$prefix/share/varnotek-transfer
for f in Konfi.ini RD.gif VX5.gif FT.gif Kovalogo.jpg Selmarlogo.jpg Selmar.ico Rahmen.jpg Varnotek.ico varnotek.png; do
    [ -s "$folder/$f" ] || fail "program folder: $f missing"
done
[ "$(head -n1 "$folder/Konfi.ini" | tr -d '\r')" = RD ] || fail "Konfi.ini is not the RONDO edition"
for e in RD BR FT VX1 VX5 VX2 QL7; do
    [ -s "$folder/editions/$e/Konfi.ini" ] || fail "editions/$e/Konfi.ini missing"
done

# Every manual Help -> Manual can ask for, with its own model name and nothing of the text's machinery left.
for entry in "RONDO:RONDO TRANSFER" "BREVO_Line_Tool:BREVO Line Tool TRANSFER" "FORTA:FORTA TRANSFER" \
    "VX-100:VX-100 TRANSFER" "VX-500:VX-500 TRANSFER" "VX-200:VX-200 TRANSFER" "QL-7:QL-7 TRANSFER"; do
    part=${entry%%:*}
    title=${entry#*:}
    for lang in DE EN; do
        pdf=$folder/${lang}_Manual_${part}_TRANSFER.pdf
        if [ ! -s "$pdf" ]; then
            fail "${lang}_Manual_${part}_TRANSFER.pdf missing"
            continue
        fi
        text=$(pdftotext -enc UTF-8 "$pdf" - 2>/dev/null) || { fail "$pdf is no readable PDF"; continue; }
        pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
        [ "${pages:-0}" -ge 8 ] || fail "$pdf has ${pages:-no} pages"
        printf '%s' "$text" | grep -q "$title" || fail "$pdf does not name $title"
        printf '%s' "$text" | grep -q "usermod -aG dialout" || fail "$pdf lacks the dialout advice"
        if printf '%s' "$text" | grep -Eq '@[A-Z]+@|<!--|-->'; then fail "$pdf shows a placeholder or remark"; fi
        if [ "$lang" = DE ]; then word=Bedienungsanleitung; else word="User manual"; fi
        printf '%s' "$text" | grep -q "$word" || fail "$pdf is not in its language ($word)"
    done
done
# Each edition's manual describes that edition: key events and the 80/20 rule only where the program has them.
rondo=$(pdftotext -enc UTF-8 "$folder/EN_Manual_RONDO_TRANSFER.pdf" - 2>/dev/null || true)
vx500=$(pdftotext -enc UTF-8 "$folder/EN_Manual_VX-500_TRANSFER.pdf" - 2>/dev/null || true)
printf '%s' "$rondo" | grep -q "Send key events" || fail "the RONDO manual lacks key events"
printf '%s' "$rondo" | grep -q "80/20 rule of ISO 19840" || fail "the RONDO manual lacks the 80/20 rule"
printf '%s' "$vx500" | grep -q "Send key events" && fail "the VX-500 manual describes key events it does not have"
printf '%s' "$vx500" | grep -q "80/20 rule of ISO 19840" && fail "the VX-500 manual describes the 80/20 rule"
printf '%s' "$vx500" | grep -q "Abs:" || fail "the VX-500 manual lacks absolute values"

count=$(find "$folder" -maxdepth 1 -name '*_Manual_*_TRANSFER.pdf' | wc -l)
[ "$count" -eq 14 ] || fail "$count manuals in the program folder, expected 14"

id=de.varnotek.transfer
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate $id.desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $id.metainfo.xml"
# The metainfo, its desktop entry and its icon together, as software centres see them.
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree"
grep -q '^Exec=varnotek-transfer$' "$desktop" || fail "the desktop entry does not start varnotek-transfer"
grep -q "^Icon=$id\$" "$desktop" || fail "the desktop entry does not name the icon $id"
grep -q '<release version="[0-9]' "$metainfo" || fail "the metainfo has no release version"

for n in 16 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${n}x${n}/apps/$id.png
    file "$png" | grep -q "PNG image data, $n x $n," || fail "icon ${n}x${n} missing or of the wrong size"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" 2>/dev/null || fail "scalable icon missing"

# The installed programs started from the prefix by a new user: empty data folders, nothing but the install.
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
appdata="$XDG_CONFIG_HOME/Varnotek/RONDO TRANSFER"
messdata="$XDG_DATA_HOME/Varnotek/RONDO TRANSFER"

# The command-line tool reads the installed Konfi.ini: the RONDO edition lists the simulated Bluetooth gauge.
"$prefix/bin/varnotek-sim" --model RD --com 7 --fast >"$home/sim.out" 2>&1 &
sim=$!
for _ in $(seq 50); do grep -q COM7 "$XDG_CONFIG_HOME/Varnotek/Ports.ini" 2>/dev/null && break; sleep 0.1; done
ports=$("$prefix/bin/varnotek-cli" ports 2>"$home/cli.err") || fail "the installed varnotek-cli ports failed"
[ "$ports" = "COM7 BTH simulated gauge" ] || fail "the installed varnotek-cli lists \"$ports\" (Konfi.ini not found?)"
"$prefix/bin/varnotek-cli" identify --port COM7 >"$home/identify" 2>>"$home/cli.err" ||
    fail "the installed varnotek-cli cannot identify the simulated gauge"
grep -q '^geraet: FN' "$home/identify" || fail "no identification from the installed varnotek-cli"
if grep -q Konfi.ini "$home/cli.err"; then fail "the installed varnotek-cli misses Konfi.ini"; fi
kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true

# The program under a virtual X server: its window comes up with the edition's title and an icon.
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1600x1000x24" sh -c '
    "$1/bin/varnotek-transfer" &
    pid=$!
    wid=$(timeout 30 xdotool search --sync --onlyvisible --name "^RONDO TRANSFER V3.1\$" | head -n 1)
    [ -n "$wid" ] && echo window && xprop -id "$wid" _NET_WM_ICON | grep -q "Icon (" && echo icon
    kill "$pid"; wait "$pid"
    exit 0' sh "$prefix" >"$home/gui.out" 2>"$home/gui.err"
grep -q '^window$' "$home/gui.out" || { cat "$home/gui.err"; fail "the installed program shows no \"RONDO TRANSFER V3.1\" window"; }
grep -q '^icon$' "$home/gui.out" || fail "the installed program's window has no icon"
log="$appdata/Varnotek_TransferLog.txt"
grep -q "^App.Path = $folder" "$log" 2>/dev/null || fail "the installed program does not use its program folder"
if grep -q "Konfi.ini" "$log" 2>/dev/null; then fail "the installed program misses Konfi.ini"; fi
# First start: six project labels and the manuals where Help -> Manual looks for them.
[ "$(grep -c ';.*;' "$messdata/Projekt.ini" 2>/dev/null)" = 6 ] || fail "first start wrote no Projekt.ini with six labels"
grep -q '^Kunde;Customer;' "$messdata/Projekt.ini" 2>/dev/null || fail "Projekt.ini lacks the label Kunde;Customer;"
copied=$(find "$appdata" -maxdepth 1 -name '*_Manual_*_TRANSFER.pdf' | wc -l)
[ "$copied" -eq 14 ] || fail "first start copied $copied manuals, expected 14"

if [ "$fails" -gt 0 ]; then
    echo "$fails check(s) failed"
    exit 1
fi
echo "install tree complete: $(find "$prefix" -type f | wc -l) files"
