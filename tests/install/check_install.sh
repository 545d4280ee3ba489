#!/bin/sh
# Installs the build tree into a temporary prefix and checks what a user and the desktop get from it: the programs,
# the program folder with pictures, Konfi.ini and every manual, and a desktop entry, metainfo and icons that pass
# the freedesktop validators. A missing tool is a failure, not a reason to pass.
# Usage: check_install.sh <build folder>
set -eu
build=$1
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

for tool in desktop-file-validate appstreamcli pdftotext pdfinfo file; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT INT TERM
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

if [ "$fails" -gt 0 ]; then
    echo "$fails check(s) failed"
    exit 1
fi
echo "install tree complete: $(find "$prefix" -type f | wc -l) files"
