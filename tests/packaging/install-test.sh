#!/usr/bin/env bash
# Installs into a temporary prefix, checks every installed file, validates the desktop entry and
# metainfo, and runs the launcher twice in a fresh HOME: the first start fills the play folder,
# the second leaves the user's files alone.
set -u
build=$1
fail() { echo "FAIL: $*"; exit 1; }
root=$(mktemp -d)
trap 'kill $app 2>/dev/null; rm -rf "$root"' EXIT
prefix=$root/usr
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "install"

for f in bin/marelto bin/marelto-questions bin/marelto-launcher libexec/marelto/place-bundled \
         share/marelto/sample0524.txt share/marelto/ReadMe.txt share/marelto/Parameter.INI \
         share/marelto/manual/download_support.html share/marelto/manual/flags/jpn.bmp \
         share/applications/io.github.marelto.Marelto.desktop \
         share/metainfo/io.github.marelto.Marelto.metainfo.xml \
         share/icons/hicolor/scalable/apps/marelto.svg share/doc/marelto/copyright \
         share/man/man1/marelto.1.gz share/man/man1/marelto-questions.1.gz \
         share/man/man1/marelto-launcher.1.gz share/man/ja/man1/marelto.1.gz \
         share/man/ja/man1/marelto-questions.1.gz share/man/ja/man1/marelto-launcher.1.gz; do
    [ -s "$prefix/$f" ] || fail "missing $f"
done
for size in 16 24 32 48 64 128 256; do
    [ -s "$prefix/share/icons/hicolor/${size}x${size}/apps/marelto.png" ] || fail "icon $size"
done
ls "$prefix"/lib*/*/marelto-sound.so "$prefix"/lib/*/marelto/marelto-sound.so >/dev/null 2>&1 ||
    find "$prefix" -name marelto-sound.so | grep -q . || fail "sound module"
[ "$(ls "$prefix/share/marelto/manual/flags" | wc -l)" -eq 199 ] || fail "manual flags"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/io.github.marelto.Marelto.desktop" ||
        fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/io.github.marelto.Marelto.metainfo.xml" ||
        fail "metainfo"
fi

# The launcher, as the desktop starts it: a fresh HOME, no play folder yet.
export HOME=$root/home XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
play=$HOME/.local/share/marelto
start() {
    (cd / && exec "$prefix/bin/marelto-launcher") >/dev/null 2>&1 &
    app=$!
    for _ in $(seq 1 100); do
        [ -e "/proc/$app/exe" ] && [ "$(readlink "/proc/$app/exe")" = "$prefix/bin/marelto" ] && break
        sleep 0.1
    done
    [ "$(readlink "/proc/$app/exe")" = "$prefix/bin/marelto" ] || fail "the program did not start"
    [ "$(readlink "/proc/$app/cwd")" = "$play" ] || fail "not started in the play folder"
    kill "$app"; wait "$app" 2>/dev/null
}
start
cmp -s "$play/sample0524.txt" "$prefix/share/marelto/sample0524.txt" || fail "question file not copied"
cmp -s "$play/ReadMe.txt" "$prefix/share/marelto/ReadMe.txt" || fail "guide not copied"
cmp -s "$play/Parameter.INI" "$prefix/share/marelto/Parameter.INI" || fail "settings not copied"

printf 'my own questions' > "$play/sample0524.txt"
printf '[LIFE]\r\n1=7\r\n' > "$play/Parameter.INI"
start
[ "$(cat "$play/sample0524.txt")" = "my own questions" ] || fail "the user's question file was overwritten"
[ "$(cat "$play/Parameter.INI")" = "$(printf '[LIFE]\r\n1=7\r\n')" ] || fail "settings changed"
ls "$play" | grep -q '^sample0524-.*\.txt$' && fail "a copy arrived beside the user's file though the bundle is the same"
printf 'x' >> "$prefix/share/marelto/sample0524.txt" # an upgrade brings a new bundle
start
[ "$(cat "$play/sample0524.txt")" = "my own questions" ] || fail "the user's question file was overwritten"
ls "$play" | grep -q '^sample0524-.*\.txt$' || fail "the new bundled bank did not arrive under a new name"
echo "PASS: install and launcher"
