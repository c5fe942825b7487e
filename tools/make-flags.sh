#!/usr/bin/env bash
# Regenerates the 66 flag bitmaps in res/flags/ and the contact sheet
# docs/flags-contact-sheet.png.
#
# Artwork: the public-domain SVG flags of the npm package svg-country-flags
# (named by ISO alpha-2 code). Each flag is rendered straight at its box size
# (antialiased), flattened on a neutral grey, reduced to at most 256 colours
# without dithering (flat flag colours stay flat, emblems get no speckle) and
# written as a Windows BMP: BITMAPINFOHEADER, 8 bits per pixel, BI_RGB,
# 256-entry colour table, rows bottom-up.
#
# Needs: npm, rsvg-convert (librsvg2-bin), ImageMagick 6 (convert, montage),
# python3, fonts-dejavu-core. The outputs are committed; building the program
# needs none of this.
set -euo pipefail

PKG_VERSION=1.2.10
NEUTRAL='#d4d0c8'   # margin colour (dialog face grey)

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/res/flags"
SHEET="$ROOT/docs/flags-contact-sheet.png"

for tool in npm rsvg-convert convert montage python3; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
done

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

npm install --prefix "$TMP/npm" --no-save --no-audit --no-fund --silent \
    "svg-country-flags@$PKG_VERSION" >/dev/null
SVG="$TMP/npm/node_modules/svg-country-flags/svg"
[ -f "$SVG/jp.svg" ] || { echo "svg-country-flags has no svg/jp.svg" >&2; exit 1; }

# Syria adopted the green-white-black flag with three red stars in 2025; the
# package still has the two-star flag, so that one is drawn here (2:3, equal
# stripes, stars on the centre line 1/5 of the width apart).
cat > "$TMP/sy-2025.svg" <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="900" height="600" viewBox="0 0 900 600">
  <defs>
    <polygon id="star" fill="#ce1126" points="0,-1 0.2245,-0.309 0.9511,-0.309 0.3633,0.118 0.5878,0.809 0,0.382 -0.5878,0.809 -0.3633,0.118 -0.9511,-0.309 -0.2245,-0.309"/>
  </defs>
  <rect width="900" height="600" fill="#fff"/>
  <rect width="900" height="200" fill="#007a3d"/>
  <rect y="400" width="900" height="200" fill="#000"/>
  <use xlink:href="#star" transform="translate(270 305) scale(62)"/>
  <use xlink:href="#star" transform="translate(450 305) scale(62)"/>
  <use xlink:href="#star" transform="translate(630 305) scale(62)"/>
</svg>
EOF

# code  alpha-2  bitmap-id  width  height  mode
# mode: s = stretch to the box, f = fit inside the box on the neutral margin.
# Every SVG is within 2.5% of its box except Pakistan (5% narrower: the
# squeeze does not show, so it is stretched) and Nepal (not a rectangle: fit,
# the rest of the box neutral grey).
# Afghanistan: the black-red-green tricolour with the emblem, the flag the
# country's UN seat and its Olympic team still use; the de facto authorities'
# white shahada flag has no international recognition.
CATALOGUE=$(cat <<'EOF'
afg af 174 109 73 s
are ae 225 137 68 s
arg ar 158 117 73 s
aus au 175 137 68 s
aut at 159 108 73 s
bel be 160  84 73 s
bgr bg 176 121 73 s
bra br 161 104 73 s
can ca 177 137 68 s
che ch 178  74 73 s
chl cl 179 109 73 s
chn cn 162 109 73 s
col co 163 109 73 s
cub cu 180 137 68 s
cze cz 164 109 73 s
deu de 181 121 73 s
dnk dk 182  96 73 s
dza dz 165 111 73 s
egy eg 183 108 73 s
esp es 184 109 73 s
fin fi 185 119 73 s
fra fr 186 110 73 s
gbr gb 187 123 63 s
grc gr 188 108 73 s
hun hu 189 137 68 s
idn id 166 109 73 s
ind in 191 108 73 s
irl ie 192 137 68 s
irn ir 193 127 73 s
irq iq 194 109 73 s
isr il 195 100 73 s
ita it 196 109 73 s
jam jm 197 137 68 s
jor jo 198 135 67 s
jpn jp 199 109 73 s
ken ke 167 109 73 s
kor kr 200 108 73 s
lux lu 168 122 73 s
mar ma 201 108 73 s
mex mx 169 128 73 s
mng mn 202 137 68 s
nga ng 203 137 68 s
nld nl 170 109 73 s
nor no 171 100 73 s
npl np 204  58 73 f
pak pk 172 104 73 s
per pe 205 108 73 s
phl ph 206 137 68 s
pol pl 207 116 73 s
prk kp 208 137 68 s
prt pt 209 109 73 s
rou ro 210 109 73 s
rus ru 211 109 73 s
sau sa 212 109 73 s
sgp sg 213 109 73 s
swe se 214 116 73 s
syr sy 215 108 73 s
tha th 216 109 73 s
tur tr 217  93 63 s
twn tw 218 109 73 s
ukr ua 219  94 63 s
ury uy 220 109 73 s
usa us 221 119 63 s
vnm vn 222  94 63 s
yem ye 223 109 73 s
zaf za 224 109 73 s
EOF
)

# Stripes, bars and crosses whose edges fall between pixels would otherwise
# get a soft one-pixel seam of blended colour. Large axis-aligned rectangles
# (rect elements and M/H/V-only paths, untransformed or only scaled/moved, each
# part at least 1/20 of the flag's height thick) are marked crispEdges; curves,
# diagonals and emblem details keep their antialiasing.
cat > "$TMP/crisp.py" <<'EOF'
"""Copies an SVG, marking its stripe-like shapes shape-rendering=crispEdges."""
import re, sys
import xml.etree.ElementTree as ET

SVG = 'http://www.w3.org/2000/svg'
XLINK = 'http://www.w3.org/1999/xlink'
ET.register_namespace('', SVG)
ET.register_namespace('xlink', XLINK)
NUM = r'[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?'

def local(tag):
    return tag.rsplit('}', 1)[-1]

def nums(s):
    return [float(v) for v in re.findall(NUM, s)]

def scale_of(t):
    """(sx, sy) of a transform list, or None unless it keeps edges axis-aligned."""
    sx = sy = 1.0
    for name, args in re.findall(r'(\w+)\s*\(([^)]*)\)', t or ''):
        v = nums(args)
        if name == 'translate':
            continue
        if name == 'scale':
            sx *= abs(v[0]); sy *= abs(v[1] if len(v) > 1 else v[0])
        elif name == 'matrix' and v[1] == 0 and v[2] == 0:
            sx *= abs(v[0]); sy *= abs(v[3])
        else:
            return None
    return sx, sy

def subpath_boxes(d):
    """Bounding boxes of the subpaths of a path made only of M/H/V/Z moves,
    or None when the path has any other segment."""
    groups = re.findall(r'([A-Za-z])([^A-Za-z]*)', d)
    boxes, x, y, box, start = [], 0.0, 0.0, None, (0.0, 0.0)
    for cmd, argtext in groups:
        a = nums(argtext)
        c = cmd.lower()
        rel = cmd.islower()
        if c == 'm':
            if len(a) != 2:
                return None
            if box:
                boxes.append(box)
            x, y = (x + a[0], y + a[1]) if rel else (a[0], a[1])
            box, start = [x, y, x, y], (x, y)
        elif c in 'hv' and a and box:
            for v in a:
                if c == 'h':
                    x = x + v if rel else v
                else:
                    y = y + v if rel else v
                box = [min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)]
        elif c == 'z' and not a and box:
            x, y = start
        else:
            return None
    if box:
        boxes.append(box)
    return boxes or None

root = ET.parse(sys.argv[1]).getroot()
vb = nums(root.get('viewBox', ''))
vw, vh = (vb[2], vb[3]) if len(vb) == 4 else (float(root.get('width')), float(root.get('height')))
min_side = vh / 20

def length(v, full):
    v = (v or '0').strip()
    return float(v[:-1]) * full / 100 if v.endswith('%') else float(v)
parent = {child: p for p in root.iter() for child in p}
ids = {e.get('id'): e for e in root.iter() if e.get('id')}

def chain(e):
    while e is not None:
        yield e
        e = parent.get(e)

def total_scale(e):
    sx = sy = 1.0
    for a in chain(e):
        s = scale_of(a.get('transform'))
        if s is None:
            return None
        sx, sy = sx * s[0], sy * s[1]
    return sx, sy

def inherited(e, name, default):
    for a in chain(e):
        if a.get(name) is not None:
            return a.get(name)
        m = re.search(name + r'\s*:\s*([^;]+)', a.get('style', ''))
        if m:
            return m.group(1).strip()
    return default

# Anything cloned through a rotated or skewed <use> keeps antialiasing.
rotated = set()
for u in root.iter('{%s}use' % SVG):
    if total_scale(u) is None:
        ref = (u.get('{%s}href' % XLINK) or u.get('href') or '').lstrip('#')
        if ref in ids:
            rotated.update(ids[ref].iter())

for e in root.iter():
    kind = local(e.tag)
    if kind == 'rect':
        if float(e.get('rx', 0) or 0) or float(e.get('ry', 0) or 0):
            continue
        try:
            x, y = length(e.get('x'), vw), length(e.get('y'), vh)
            boxes = [[x, y, x + length(e.get('width'), vw), y + length(e.get('height'), vh)]]
        except ValueError:
            continue
    elif kind == 'path':
        boxes = subpath_boxes(e.get('d', ''))
        if boxes is None:
            continue
    else:
        continue
    if e in rotated or any(local(a.tag) in ('defs', 'symbol', 'pattern', 'mask')
                           for a in chain(e)):
        continue
    scale = total_scale(e)
    if scale is None:
        continue
    pad = 0.0
    if inherited(e, 'stroke', 'none') != 'none':
        pad = nums(inherited(e, 'stroke-width', '1'))[0]
    if all(min((b[2] - b[0] + pad) * scale[0], (b[3] - b[1] + pad) * scale[1]) >= min_side
           for b in boxes):
        e.set('shape-rendering', 'crispEdges')

ET.ElementTree(root).write(sys.argv[2], xml_declaration=False)
EOF

# Raw 8-bit RGB (width*height*3 bytes, top-down) -> 8-bit BMP.
cat > "$TMP/rgb2bmp.py" <<'EOF'
import struct, sys

src, dst, w, h = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
raw = open(src, 'rb').read()
if len(raw) != w * h * 3:
    sys.exit('%s: %d bytes, expected %d' % (src, len(raw), w * h * 3))

palette, index, pixels = [], {}, bytearray()
for i in range(0, len(raw), 3):
    rgb = raw[i:i + 3]
    if rgb not in index:
        index[rgb] = len(palette)
        palette.append(rgb)
    pixels.append(index[rgb])
if len(palette) > 256:
    sys.exit('%s: %d colours after quantisation' % (src, len(palette)))

stride = (w + 3) & ~3
body = bytearray()
for y in range(h - 1, -1, -1):                     # bottom-up
    body += pixels[y * w:(y + 1) * w] + bytes(stride - w)

table = bytearray()
for rgb in palette + [b'\0\0\0'] * (256 - len(palette)):
    table += bytes((rgb[2], rgb[1], rgb[0], 0))    # RGBQUAD is B, G, R, 0

offset = 14 + 40 + len(table)
header = struct.pack('<2sIHHI', b'BM', offset + len(body), 0, 0, offset)
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, len(body),
                   2835, 2835, 256, 0)
with open(dst, 'wb') as f:
    f.write(header + info + table + body)
print('%s %dx%d %d colours' % (dst.rsplit('/', 1)[-1], w, h, len(palette)))
EOF

mkdir -p "$OUT" "$(dirname "$SHEET")"
labels=()
while read -r code a2 id w h mode; do
    svg="$SVG/$a2.svg"
    [ "$code" = syr ] && svg="$TMP/sy-2025.svg"
    [ -f "$svg" ] || { echo "missing $svg" >&2; exit 1; }
    png="$TMP/$code.png"
    python3 "$TMP/crisp.py" "$svg" "$TMP/$code.svg"
    svg="$TMP/$code.svg"
    if [ "$mode" = s ]; then
        rsvg-convert -w "$w" -h "$h" "$svg" -o "$png"
    else
        rsvg-convert -a -w "$w" -h "$h" "$svg" -o "$png"
    fi
    convert "$png" -background "$NEUTRAL" -gravity center -flatten \
        -extent "${w}x${h}" +dither -colors 256 -depth 8 "rgb:$TMP/$code.rgb"
    python3 "$TMP/rgb2bmp.py" "$TMP/$code.rgb" "$OUT/$code.bmp" "$w" "$h"
    labels+=(-label "$code $id ${w}x$h" "$OUT/$code.bmp")
done <<< "$CATALOGUE"

montage -font DejaVu-Sans -pointsize 11 -background '#ffffff' \
    -bordercolor '#808080' -border 1 \
    "${labels[@]}" -tile 8x -geometry '+8+6' "$SHEET"
echo "wrote $(ls "$OUT"/*.bmp | wc -l) bitmaps and $SHEET"
