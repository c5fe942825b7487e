#!/usr/bin/env bash
# Regenerates res/map/world.map, the compact world map drawn by map/ (format: map/WorldMap.h),
# from the public-domain Natural Earth admin-0 countries of the npm package world-atlas.
# What is taken from where, and where the map differs from the source: world-map.js.
#
# Needs: npm and node. The output is committed; building the program needs neither.
set -euo pipefail

ATLAS_VERSION=2.0.2
CLIENT_VERSION=3.1.0

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

npm install --prefix "$TMP/npm" --no-save --no-audit --no-fund --silent \
    "world-atlas@$ATLAS_VERSION" "topojson-client@$CLIENT_VERSION" >/dev/null

NODE_PATH="$TMP/npm/node_modules" node "$ROOT/tools/map/world-map.js" \
    "$TMP/npm/node_modules/world-atlas" "$ROOT/data/countries.tsv" "$ROOT/res/map/world.map"
