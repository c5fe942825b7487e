#!/usr/bin/env bash
# Regenerates the two sound effects in res/sounds/:
#   correct.wav (wave 145): a bright rising bell chime, about 1.4 s
#   wrong.wav   (wave 146): a short low buzz, about 1.1 s
# Both RIFF WAVE, PCM unsigned 8-bit, 2 channels, 22050 Hz, with short fades
# at both ends so playback starts and stops without a click.
#
# Needs: sox. With --preview DIR it also writes a spectrogram and a waveform
# picture of each effect into DIR (the waveform needs python3 and ImageMagick).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/res/sounds"
PREVIEW=
if [ "${1:-}" = --preview ]; then
    PREVIEW=${2:?--preview needs a directory}
    mkdir -p "$PREVIEW"
fi
command -v sox >/dev/null || { echo "missing tool: sox" >&2; exit 1; }

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$OUT"

# Work in 44.1 kHz 32-bit mono; convert to the target format at the end.
WORK=(-r 44100 -c 1 -b 32 -e signed-integer)

# bell NAME FREQ START LENGTH: one struck-bell note starting START seconds
# in: a ringing fundamental plus a quieter octave and an inharmonic partial
# (2.76 x, as in a small bell) that die away sooner.
bell() {
    local name=$1 f=$2 start=$3 len=$4
    partial "$name-1" "$f" "$len" t
    partial "$name-2" "$(calc "$f*2")" "$(calc "$len*0.8")" l
    partial "$name-3" "$(calc "$f*2.76")" "$(calc "$len*0.5")" l
    sox -m -v 0.65 "$TMP/$name-1.wav" -v 0.25 "$TMP/$name-2.wav" \
        -v 0.10 "$TMP/$name-3.wav" "$TMP/$name.wav" pad "$start" 0
}
# partial NAME FREQ LENGTH SHAPE: a sine that decays over its whole length,
# linearly (t: a long ring) or logarithmically (l: a quick shimmer).
partial() {
    sox -n "${WORK[@]}" "$TMP/$1.wav" synth "$3" sine "$2" fade "$4" 0.004 "$3" "$3"
}
calc() { awk "BEGIN { printf \"%.4f\", $1 }"; }

# Correct: E6, G#6, B6 struck in quick succession, then an E7 that rings
# to the end of the 1.4 s and is faded out there.
bell n1 1318.51 0.00 0.90
bell n2 1661.22 0.08 0.90
bell n3 1975.53 0.16 1.00
bell n4 2637.02 0.26 1.30
sox -m -v 0.4 "$TMP/n1.wav" -v 0.4 "$TMP/n2.wav" -v 0.4 "$TMP/n3.wav" \
    -v 0.45 "$TMP/n4.wav" "$TMP/correct-mix.wav" \
    trim 0 1.4 norm -3 fade t 0.004 1.4 0.12

# Wrong: two detuned low square waves (beating roughness), softened by a
# low-pass, with a slight downward droop; quick attack, gentle release.
sox -n "${WORK[@]}" "$TMP/b1.wav" synth 1.1 square 110:98
sox -n "${WORK[@]}" "$TMP/b2.wav" synth 1.1 square 116:103
sox -m -v 0.5 "$TMP/b1.wav" -v 0.5 "$TMP/b2.wav" "$TMP/wrong-mix.wav" \
    lowpass 1400 lowpass 1400 norm -4 fade q 0.01 1.1 0.18

# Target format: 22050 Hz, stereo, unsigned 8-bit PCM. No dither, so the
# silent tail stays silent rather than hissing.
for name in correct wrong; do
    sox -D "$TMP/$name-mix.wav" -r 22050 -c 2 -b 8 -e unsigned-integer \
        -t wav "$OUT/$name.wav" rate -v
    printf '%s: %s s\n' "$name.wav" "$(soxi -D "$OUT/$name.wav")"
done

if [ -n "$PREVIEW" ]; then
    for name in correct wrong; do
        sox "$OUT/$name.wav" -n spectrogram -x 700 -y 257 -t "$name.wav" \
            -o "$PREVIEW/$name-spectrogram.png"
        # Waveform: min/max of the left channel per pixel column.
        sox "$OUT/$name.wav" -t raw -e unsigned-integer -b 8 -c 1 "$TMP/$name.u8" remix 1
        python3 - "$TMP/$name.u8" "$TMP/$name-wave.svg" <<'EOF'
import sys
data = open(sys.argv[1], 'rb').read()
width, height = 700, 200
cols = []
for x in range(width):
    part = data[x * len(data) // width:(x + 1) * len(data) // width] or b'\x80'
    cols.append((min(part), max(part)))
lines = ''.join('<line x1="%d" y1="%.1f" x2="%d" y2="%.1f"/>'
                % (x, height * (255 - hi) / 255, x, height * (255 - lo) / 255 + 0.5)
                for x, (lo, hi) in enumerate(cols))
open(sys.argv[2], 'w').write(
    '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d">'
    '<rect width="100%%" height="100%%" fill="#fff"/>'
    '<line x1="0" y1="%d" x2="%d" y2="%d" stroke="#ccc"/>'
    '<g stroke="#235">%s</g></svg>' % (width, height, height // 2, width, height // 2, lines))
EOF
        convert "$TMP/$name-wave.svg" "$PREVIEW/$name-wave.png"
    done
fi
