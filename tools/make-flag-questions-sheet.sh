#!/usr/bin/env bash
# Draws every 国旗 question of the world file (data/世界の国旗.txt) as one tile: the country's
# name over its four flags in the file's order, the right one framed in green, the three wrong
# ones in grey. Writes docs/flag-questions-contact-sheet.png, for judging by eye whether the
# wrong flags are ones a learner could confuse with the right one.
#
# Usage: tools/make-flag-questions-sheet.sh [marelto-questions]   (default: build/tools/questions)
# Needs: ImageMagick 6 (convert, montage), python3, fonts-ipafont-gothic.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
TOOL=${1:-$ROOT/build/tools/questions/marelto-questions}
SHEET="$ROOT/docs/flag-questions-contact-sheet.png"
FONT=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
for tool in convert montage python3; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 1; }
done
[ -x "$TOOL" ] || { echo "$0: build marelto-questions first ($TOOL)" >&2; exit 1; }

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
"$TOOL" export "$ROOT/data/世界の国旗.txt" -o "$TMP/world.tsv" >/dev/null

# One line per flag question: code, name, then the four codes with the right one starred.
python3 - "$TMP/world.tsv" "$ROOT/data/countries.tsv" > "$TMP/questions" <<'PY'
import sys
names = {}
for line in open(sys.argv[2], encoding="utf-8").read().splitlines()[1:]:
    fields = line.split("\t")
    names[fields[0]] = fields[1].split("=")[0]
rows = [line.split("\t") for line in open(sys.argv[1], encoding="utf-8").read().splitlines()[1:]]
for code, question, *rest in sorted(rows, key=lambda r: (names.get(r[0], ""), r[0])):
    answers, correct = rest[:4], int(rest[4]) - 1
    if not question.endswith("の国旗はどれ？"):
        continue
    print(code, names[code], *[a + ("*" if i == correct else "") for i, a in enumerate(answers)])
PY

n=0
while read -r code name a1 a2 a3 a4; do
    framed=()
    for answer in "$a1" "$a2" "$a3" "$a4"; do
        flag=${answer%\*}
        out="$TMP/$code-$flag.png"
        if [ "$answer" != "$flag" ]; then
            convert "$ROOT/res/flagpictures/$flag.png" -resize 72x48 -bordercolor '#1e9e3e' \
                -border 3 "$out"
        else
            convert "$ROOT/res/flagpictures/$flag.png" -resize 72x48 -bordercolor '#9a9a9a' \
                -border 1 -bordercolor white -border 2 "$out"
        fi
        framed+=("$out")
    done
    n=$((n + 1))
    montage "${framed[@]}" -tile 4x1 -geometry +3+3 -background white -font "$FONT" \
        -pointsize 12 -title "$name ($code)" "$TMP/tile-$(printf %03d $n).png"
done < "$TMP/questions"

montage "$TMP"/tile-*.png -tile 5x -geometry +6+6 -background white "$TMP/sheet.png"
convert "$TMP/sheet.png" -depth 8 -colors 256 -strip "PNG8:$SHEET"
echo "$SHEET: $n questions"
