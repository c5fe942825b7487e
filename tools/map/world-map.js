'use strict';
// Writes the compact world map (format: map/WorldMap.h) from world-atlas's TopoJSON.
// node world-map.js ATLAS_DIR COUNTRIES_TSV OUT
//
// Source: Natural Earth admin-0 countries, 1:50m (world-atlas countries-50m.json); Tuvalu, which
// the 1:50m set lacks, from the 1:10m set. Countries are matched by ISO 3166 numeric id, the
// shapes without one by name.
//
// Where this map differs from the source, so that borders are drawn as Japanese school atlases
// draw them:
// - Etorofu, Kunashiri, Shikotan and the Habomai islands (北方領土), which the source gives to
//   Russia, are Japan's.
// - The Kuril Islands from Urup (得撫島) north to Shumshu and Atlasov (千島列島) and Sakhalin
//   south of 50° N (南樺太), which the source gives to Russia, are undetermined (帰属未定):
//   neutral land, with the line between Sakhalin's two parts along that parallel.
// - Crimea, which the source gives to Russia, is Ukraine's; the isthmus line between them goes.
// - Somaliland, a shape of its own in the source, is Somalia; the line between them goes.
// - Northern Cyprus, a shape of its own in the source, is Cyprus; the line between them goes.
// - Western Sahara: the source gives Morocco the part west of the berm and keeps only the part
//   east of it apart; here the whole territory south of 27°40' N is Western Sahara, neutral
//   land, and the line between Morocco and it runs along that parallel.
// - Åland, a shape of its own in the source, is Finland's; Hong Kong and Macao are China's.
// - The source cuts Russia, Fiji and Antarctica at 180°; on this Pacific-centred map those cuts
//   lie inland, so their lines are not drawn.
// Shapes that are none of the catalogue's countries (Greenland, Western Sahara, Antarctica,
// dependencies, the Siachen Glacier, Ashmore and Cartier and Australia's other outer
// territories, ...) stay, as neutral land.
//
// Longitudes are stored relative to the central meridian, so the seam of the map lies at
// CENTRAL - 180. It is chosen in the gap between Brazil's easternmost point (34.8° W) and the
// Azores (31.3° W): no catalogue country is cut. Neutral land that crosses the seam (Greenland,
// Antarctica) is cut there; a catalogue country that would be cut stops the generator.
const fs = require('fs');
const path = require('path');
const topojson = require('topojson-client');

const [atlasDir, tsvPath, outPath] = process.argv.slice(2);
const CENTRAL = 147;  // degrees east
const QUANTUM = 100;  // stored units per degree

// ISO 3166-1 numeric -> the catalogue's alpha-3 code.
const NUMERIC = {
    '004': 'afg', '008': 'alb', '012': 'dza', '020': 'and', '024': 'ago', '028': 'atg',
    '031': 'aze', '032': 'arg', '036': 'aus', '040': 'aut', '044': 'bhs', '048': 'bhr',
    '050': 'bgd', '051': 'arm', '052': 'brb', '056': 'bel', '064': 'btn', '068': 'bol',
    '070': 'bih', '072': 'bwa', '076': 'bra', '084': 'blz', '090': 'slb', '096': 'brn',
    '100': 'bgr', '104': 'mmr', '108': 'bdi', '112': 'blr', '116': 'khm', '120': 'cmr',
    '124': 'can', '132': 'cpv', '140': 'caf', '144': 'lka', '148': 'tcd', '152': 'chl',
    '156': 'chn', '158': 'twn', '170': 'col', '174': 'com', '178': 'cog', '180': 'cod',
    '184': 'cok', '188': 'cri', '191': 'hrv', '192': 'cub', '196': 'cyp', '203': 'cze',
    '204': 'ben', '208': 'dnk', '212': 'dma', '214': 'dom', '218': 'ecu', '222': 'slv',
    '226': 'gnq', '231': 'eth', '232': 'eri', '233': 'est', '242': 'fji', '246': 'fin',
    '250': 'fra', '262': 'dji', '266': 'gab', '268': 'geo', '270': 'gmb', '275': 'pse',
    '276': 'deu', '288': 'gha', '296': 'kir', '300': 'grc', '308': 'grd', '320': 'gtm',
    '324': 'gin', '328': 'guy', '332': 'hti', '336': 'vat', '340': 'hnd', '348': 'hun',
    '352': 'isl', '356': 'ind', '360': 'idn', '364': 'irn', '368': 'irq', '372': 'irl',
    '376': 'isr', '380': 'ita', '384': 'civ', '388': 'jam', '392': 'jpn', '398': 'kaz',
    '400': 'jor', '404': 'ken', '408': 'prk', '410': 'kor', '414': 'kwt', '417': 'kgz',
    '418': 'lao', '422': 'lbn', '426': 'lso', '428': 'lva', '430': 'lbr', '434': 'lby',
    '438': 'lie', '440': 'ltu', '442': 'lux', '450': 'mdg', '454': 'mwi', '458': 'mys',
    '462': 'mdv', '466': 'mli', '470': 'mlt', '478': 'mrt', '480': 'mus', '484': 'mex',
    '492': 'mco', '496': 'mng', '498': 'mda', '499': 'mne', '504': 'mar', '508': 'moz',
    '512': 'omn', '516': 'nam', '520': 'nru', '524': 'npl', '528': 'nld', '548': 'vut',
    '554': 'nzl', '558': 'nic', '562': 'ner', '566': 'nga', '570': 'niu', '578': 'nor',
    '583': 'fsm', '584': 'mhl', '585': 'plw', '586': 'pak', '591': 'pan', '598': 'png',
    '600': 'pry', '604': 'per', '608': 'phl', '616': 'pol', '620': 'prt', '624': 'gnb',
    '626': 'tls', '634': 'qat', '642': 'rou', '643': 'rus', '646': 'rwa', '659': 'kna',
    '662': 'lca', '670': 'vct', '674': 'smr', '678': 'stp', '682': 'sau', '686': 'sen',
    '688': 'srb', '690': 'syc', '694': 'sle', '702': 'sgp', '703': 'svk', '704': 'vnm',
    '705': 'svn', '706': 'som', '710': 'zaf', '716': 'zwe', '724': 'esp', '728': 'ssd',
    '729': 'sdn', '740': 'sur', '748': 'swz', '752': 'swe', '756': 'che', '760': 'syr',
    '762': 'tjk', '764': 'tha', '768': 'tgo', '776': 'ton', '780': 'tto', '784': 'are',
    '788': 'tun', '792': 'tur', '795': 'tkm', '798': 'tuv', '800': 'uga', '804': 'ukr',
    '807': 'mkd', '818': 'egy', '826': 'gbr', '834': 'tza', '840': 'usa', '854': 'bfa',
    '858': 'ury', '860': 'uzb', '862': 'ven', '882': 'wsm', '887': 'yem', '894': 'zmb',
};
// Shapes matched by name: those without an id, and those this map gives to another country.
// null keeps a shape neutral although its id names a catalogue country.
const BY_NAME = {
    'Kosovo': 'xkx',
    'Somaliland': 'som',
    'N. Cyprus': 'cyp',
    'Åland': 'fin',
    'Hong Kong': 'chn',
    'Macao': 'chn',
    'Ashmore and Cartier Is.': null,
};
// Parts of a shape given to another country: [from, to, test on the part's lon/lat bounds].
const PARTS = [
    ['rus', 'jpn', b => b[0] > 145.3 && b[2] < 149.0 && b[1] > 43.2 && b[3] < 45.7], // 北方領土
    ['rus', 'ukr', b => b[0] > 32.0 && b[2] < 37.0 && b[1] > 44.0 && b[3] < 46.3],   // Crimea
    ['rus', 'land:千島列島', b => b[0] > 149.0 && b[2] < 157.0 && b[1] > 45.3 && b[3] < 51.0],
];
// Where a marker would otherwise sit far from the capital (the centre of the largest island).
const LABEL_AT = {kir: [173.03, 1.42]}; // Tarawa, not Kiritimati

function fail(message) {
    console.error('world-map: ' + message);
    process.exit(1);
}

const codes = fs.readFileSync(tsvPath, 'utf8').split('\n').slice(1)
    .map(line => line.split('\t')[0]).filter(code => code);
const catalogue = new Set(codes);

function bounds(rings) {
    const b = [Infinity, Infinity, -Infinity, -Infinity];
    for (const ring of rings)
        for (const [x, y] of ring) {
            b[0] = Math.min(b[0], x); b[1] = Math.min(b[1], y);
            b[2] = Math.max(b[2], x); b[3] = Math.max(b[3], y);
        }
    return b;
}

// Sorts each polygon of a TopoJSON shape to its target: a catalogue code or 'land:NAME'.
function targetOf(geometry) {
    const name = geometry.properties.name;
    if (name in BY_NAME)
        return BY_NAME[name] === null ? 'land:' + name : BY_NAME[name];
    const code = NUMERIC[geometry.id];
    return code && catalogue.has(code) ? code : 'land:' + name;
}

function collect(topology) {
    const targets = new Map(); // target -> [polygon arcs]
    for (const geometry of topology.objects.countries.geometries) {
        const polygons = geometry.type === 'Polygon' ? [geometry.arcs] : geometry.arcs;
        const from = targetOf(geometry);
        for (const arcs of polygons) {
            let to = from;
            const coords = topojson.feature(topology, {type: 'Polygon', arcs}).geometry.coordinates;
            for (const [partFrom, partTo, test] of PARTS)
                if (from === partFrom && test(bounds(coords)))
                    to = partTo;
            if (!targets.has(to))
                targets.set(to, []);
            targets.get(to).push(arcs);
        }
    }
    return targets;
}

// Lines to stroke: each arc once, coasts and borders between different targets; arcs inside
// one target (a border the source has and this map does not) are left out.
function lines(topology, targets) {
    const users = new Map(); // arc -> [target per use]
    for (const [target, polygons] of targets)
        for (const polygon of polygons)
            for (const ring of polygon)
                for (const arc of ring) {
                    const index = arc < 0 ? ~arc : arc;
                    if (!users.has(index))
                        users.set(index, []);
                    users.get(index).push(target);
                }
    const out = [];
    for (const [index, who] of users) {
        if (who.length === 2 && who[0] === who[1])
            continue;
        const coords = topojson.feature(topology, {type: 'LineString', arcs: [index]})
            .geometry.coordinates;
        out.push({border: who.length === 2, users: who, coords});
    }
    return out;
}

// The source's cut lines along 180° and the South Pole.
function onCut(p, q) {
    return (Math.abs(p[0]) >= 179.999 && Math.abs(q[0]) >= 179.999 && p[0] * q[0] > 0) ||
        (p[1] <= -89.99 && q[1] <= -89.99);
}

const wrap = d => ((d + 180) % 360 + 360) % 360 - 180;
const shift = lon => wrap(lon - CENTRAL);

// A ring in shifted longitudes, unwrapped so that it runs on without jumps.
function unwrap(ring) {
    const out = [[shift(ring[0][0]), ring[0][1]]];
    for (let i = 1; i < ring.length; ++i) {
        const prev = out[i - 1][0];
        out.push([prev + wrap(shift(ring[i][0]) - prev), ring[i][1]]);
    }
    return out;
}

// Sutherland-Hodgman against lo <= coordinate <= hi (axis 0: longitude, 1: latitude).
function clip(ring, axis, lo, hi) {
    const side = (ring, inside, cross) => {
        const out = [];
        for (let i = 0; i < ring.length; ++i) {
            const p = ring[i], q = ring[(i + 1) % ring.length];
            if (inside(p))
                out.push(p);
            if (inside(p) !== inside(q))
                out.push(cross(p, q));
        }
        return out;
    };
    const other = 1 - axis;
    const at = v => (p, q) => {
        const r = [];
        r[axis] = v;
        r[other] = p[other] + (q[other] - p[other]) * (v - p[axis]) / (q[axis] - p[axis]);
        return r;
    };
    let out = side(ring, p => p[axis] >= lo, at(lo));
    out = side(out, p => p[axis] <= hi, at(hi));
    return out;
}
const clipX = (ring, lo, hi) => clip(ring, 0, lo, hi);

// The polygon's rings on the map: one piece per side of the seam it reaches.
function placePolygon(rings, target) {
    const open = rings.map(ring => unwrap(ring.slice(0, -1)));
    for (const ring of open) {
        const drift = ring[ring.length - 1][0] - ring[0][0] + wrap(ring[0][0] - ring[ring.length - 1][0]);
        if (Math.abs(drift) > 180) { // round a pole: close along it
            const pole = ring[0][1] < 0 ? -90 : 90;
            ring.push([ring[ring.length - 1][0], pole], [ring[0][0], pole]);
        }
    }
    const inside = open.every(ring => ring.every(p => p[0] >= -180 && p[0] <= 180));
    if (inside)
        return [open];
    if (!target.startsWith('land:'))
        fail(`${target} crosses the seam at ${CENTRAL - 180}°`);
    const pieces = [];
    for (const k of [-360, 0, 360]) {
        const piece = open.map(ring => clipX(ring.map(([x, y]) => [x + k, y]), -180, 180))
            .filter(ring => ring.length >= 3);
        if (piece.length && clipX(open[0].map(([x, y]) => [x + k, y]), -180, 180).length >= 3)
            pieces.push(piece);
    }
    return pieces;
}

// A line on the map, cut where it crosses the seam and where it runs along a source cut.
function placeLine(coords) {
    const out = [];
    let current = [];
    const flush = () => { if (current.length >= 2) out.push(current); current = []; };
    for (let i = 0; i < coords.length; ++i) {
        const p = [shift(coords[i][0]), coords[i][1]];
        if (i > 0) {
            if (onCut(coords[i - 1], coords[i])) {
                flush();
            } else {
                const prev = current[current.length - 1];
                const x = prev[0] + wrap(p[0] - prev[0]);
                if (x > 180 || x < -180) {
                    const edge = x > 180 ? 180 : -180;
                    const y = prev[1] + (p[1] - prev[1]) * (edge - prev[0]) / (x - prev[0]);
                    current.push([edge, y]);
                    flush();
                    current.push([-edge, y]);
                }
            }
        }
        current.push(p);
    }
    flush();
    return out;
}

function ringArea(ring) {
    let a = 0;
    for (let i = 0; i < ring.length; ++i) {
        const p = ring[i], q = ring[(i + 1) % ring.length];
        a += p[0] * q[1] - q[0] * p[1];
    }
    return a / 2;
}

function centroid(ring) {
    const a = ringArea(ring);
    if (Math.abs(a) < 1e-12)
        return ring.reduce((s, p) => [s[0] + p[0] / ring.length, s[1] + p[1] / ring.length], [0, 0]);
    let cx = 0, cy = 0;
    for (let i = 0; i < ring.length; ++i) {
        const p = ring[i], q = ring[(i + 1) % ring.length];
        const f = p[0] * q[1] - q[0] * p[1];
        cx += (p[0] + q[0]) * f; cy += (p[1] + q[1]) * f;
    }
    return [cx / (6 * a), cy / (6 * a)];
}

// Binary output: LEB128 unsigned varints, zigzag for signed values.
const bytes = [];
const uint = v => {
    if (!Number.isInteger(v) || v < 0) fail('bad varint ' + v);
    do { let b = v & 0x7f; v = Math.floor(v / 128); if (v) b |= 0x80; bytes.push(b); } while (v);
};
const sint = v => uint(v < 0 ? -2 * v - 1 : 2 * v);
const q = v => Math.round(v * QUANTUM);
let last = [0, 0];
let pointCount = 0;
// Quantised, without repeated points.
function quantise(list) {
    const qs = [];
    for (const [x, y] of list) {
        const p = [q(x), q(y)];
        if (!qs.length || p[0] !== qs[qs.length - 1][0] || p[1] !== qs[qs.length - 1][1])
            qs.push(p);
    }
    return qs;
}
function points(qs) {
    uint(qs.length);
    for (const p of qs) {
        sint(p[0] - last[0]); sint(p[1] - last[1]);
        last = p;
    }
    pointCount += qs.length;
}

const t50 = JSON.parse(fs.readFileSync(path.join(atlasDir, 'countries-50m.json'), 'utf8'));
const t10 = JSON.parse(fs.readFileSync(path.join(atlasDir, 'countries-10m.json'), 'utf8'));
const targets = collect(t50);
const shapes = new Map(); // target -> GeoJSON polygons
for (const [target, polygons] of targets)
    shapes.set(target, topojson.merge(t50, polygons.map(arcs => ({type: 'Polygon', arcs})))
        .coordinates);
let strokes = lines(t50, targets);

// Western Sahara (see the top): Morocco's shape is cut at the parallel through the tripoint with
// Algeria, the southern part joins Western Sahara, and the parallel becomes the border.
{
    const WS = 'land:W. Sahara';
    const ws = shapes.get(WS);
    const lat = Math.max(...ws.flatMap(polygon => polygon[0].map(p => p[1])));
    const close = ring => ring.length ? [...ring, ring[0]] : ring;
    const north = [], south = [], crossings = [];
    for (const polygon of shapes.get('mar')) {
        const outline = polygon[0];
        if (Math.min(...outline.map(p => p[1])) >= lat) {
            north.push(polygon);
            continue;
        }
        if (polygon.length !== 1)
            fail('Morocco south of 27°40\' N has holes');
        north.push([close(clip(outline, 1, lat, 90))]);
        south.push([close(clip(outline, 1, -90, lat))]);
        crossings.push(...north[north.length - 1][0].filter(p => p[1] === lat).map(p => p[0]));
    }
    if (crossings.length < 2)
        fail('Morocco does not reach 27°40\' N');
    shapes.set('mar', north);
    ws.push(...south);
    strokes = strokes.filter(s => !(s.users.includes('mar') && s.users.includes(WS)));
    strokes.push({border: true, users: ['mar', WS],
                  coords: [[Math.min(...crossings), lat], [Math.max(...crossings), lat]]});
}
// 南樺太 (see the top): Sakhalin is cut at 50° N, its southern part neutral land, and the
// parallel becomes the border.
{
    const LAT = 50;
    const SOUTH = 'land:南樺太';
    const close = ring => ring.length ? [...ring, ring[0]] : ring;
    const rest = [], crossings = [];
    let cut = 0;
    for (const polygon of shapes.get('rus')) {
        const b = bounds([polygon[0]]);
        if (!(b[0] > 141 && b[2] < 145.5 && b[1] < LAT && b[3] > LAT)) {
            rest.push(polygon);
            continue;
        }
        if (polygon.length !== 1)
            fail('Sakhalin has holes');
        const north = close(clip(polygon[0], 1, LAT, 90));
        rest.push([north]);
        shapes.set(SOUTH, [[close(clip(polygon[0], 1, -90, LAT))]]);
        crossings.push(...north.filter(p => p[1] === LAT).map(p => p[0]));
        ++cut;
    }
    if (cut !== 1 || crossings.length < 2)
        fail('no Sakhalin across 50° N');
    shapes.set('rus', rest);
    strokes.push({border: true, users: ['rus', SOUTH],
                  coords: [[Math.min(...crossings), LAT], [Math.max(...crossings), LAT]]});
}
// From the 1:10m set: the catalogue countries the 1:50m set lacks, coasts only.
for (const geometry of t10.objects.countries.geometries) {
    const code = targetOf(geometry);
    if (!catalogue.has(code) || shapes.has(code))
        continue;
    const feature = topojson.feature(t10, geometry).geometry;
    const polygons = feature.type === 'Polygon' ? [feature.coordinates] : feature.coordinates;
    shapes.set(code, polygons);
    for (const polygon of polygons)
        for (const ring of polygon)
            strokes.push({border: false, users: [code], coords: ring});
    console.log(`world-map: ${code} (${geometry.properties.name}) from the 1:10m set`);
}
const missing = codes.filter(code => !shapes.has(code));
if (missing.length)
    fail('no shape for ' + missing.join(' '));

bytes.push(...Buffer.from('MRLMAP'), 1, 0);
sint(q(CENTRAL));
uint(QUANTUM);
const order = [...shapes.keys()].sort((a, b) =>
    (a.startsWith('land:') ? 0 : 1) - (b.startsWith('land:') ? 0 : 1) || (a < b ? -1 : 1));
uint(order.length);
for (const target of order) {
    // Rings that quantising leaves without an area are dropped; so are polygons without one.
    const placed = shapes.get(target).flatMap(polygon => placePolygon(polygon, target))
        .map(polygon => polygon.map(quantise))
        .filter(rings => rings[0].length >= 3)
        .map(rings => rings.filter(ring => ring.length >= 3));
    if (!placed.length)
        fail(`${target} has no polygon left`);
    const neutral = target.startsWith('land:');
    bytes.push(...Buffer.from(neutral ? '\0\0\0' : target, 'latin1'));
    let largest = placed[0][0];
    for (const polygon of placed)
        if (Math.abs(ringArea(polygon[0])) > Math.abs(ringArea(largest)))
            largest = polygon[0];
    const label = LABEL_AT[target]
        ? [q(shift(LABEL_AT[target][0])), q(LABEL_AT[target][1])]
        : centroid(largest).map(Math.round);
    sint(label[0]); sint(label[1]);
    uint(placed.length);
    for (const polygon of placed) {
        uint(polygon.length);
        for (const ring of polygon)
            points(ring);
    }
}
const placedLines = strokes.flatMap(s => placeLine(s.coords)
    .map(coords => ({border: s.border, coords: quantise(coords)})))
    .filter(line => line.coords.length >= 2);
uint(placedLines.length);
for (const line of placedLines) {
    bytes.push(line.border ? 1 : 0);
    points(line.coords);
}
fs.mkdirSync(path.dirname(outPath), {recursive: true});
fs.writeFileSync(outPath, Buffer.from(bytes));
console.log(`world-map: ${order.length} shapes (${codes.length} countries), ` +
    `${placedLines.length} lines, ${pointCount} points, ${bytes.length} bytes -> ${outPath}`);
