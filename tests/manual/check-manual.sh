#!/usr/bin/env bash
# Loads the generated manual page in headless Chromium: every picture (199 flags and the typing
# mode's window) must load, every flag must carry a country name and each 州 must list some.
# Saves a screenshot of the page for a person to look at.
# Usage: check-manual.sh <manual folder> <screenshot.png>
set -u
manual=$1
shot=$2
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
    echo "SKIP: chromium is not installed (scripts/deps.sh test installs it)"
    exit 77
fi
[ -f "$manual/download_support.html" ] || { echo "FAIL: $manual/download_support.html missing"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
flags=(--headless --no-sandbox --disable-gpu --disable-quic --no-first-run
       --disable-background-networking --disable-component-update --disable-sync
       --disable-dev-shm-usage --user-data-dir="$work/profile")

# A copy of the page with a check appended; its pictures are the real ones next to it.
cp -r "$manual" "$work/manual"
cat > "$work/check.js" <<'JS'
window.addEventListener('load', () => {
  const imgs = [...document.images];
  const broken = imgs.filter(i => !i.complete || i.naturalWidth === 0).map(i => i.getAttribute('src'));
  const flags = [...document.querySelectorAll('li.flag')];
  const unnamed = flags.filter(f => !(f.querySelector('.name')?.textContent.trim())).map(f => f.id);
  const groups = [...document.querySelectorAll('#flags h3')]
    .filter(h => h.nextElementSibling.querySelectorAll('li.flag').length > 0);
  const out = document.createElement('pre');
  out.id = 'marelto-check';
  out.textContent = `CHECK images=${imgs.length} flags=${flags.length} groups=${groups.length} broken=[${broken}] unnamed=[${unnamed}] lang=${document.documentElement.lang} charset=${document.characterSet} END`;
  document.body.appendChild(out);
});
JS
sed 's#</body>#<script src="../check.js"></script></body>#' "$manual/download_support.html" \
    > "$work/manual/check.html"

dom=$(timeout 90 "$browser" "${flags[@]}" --virtual-time-budget=10000 --dump-dom \
      "file://$work/manual/check.html" 2>"$work/stderr")
line=$(printf '%s\n' "$dom" | grep -o 'CHECK [^<]*END' || true)
if [ -z "$line" ]; then
    echo "FAIL: the page did not finish loading in Chromium"
    tail -n 20 "$work/stderr"
    exit 1
fi
echo "$line"
expected='CHECK images=200 flags=199 groups=6 broken=[] unnamed=[] lang=ja charset=UTF-8 END'
if [ "$line" != "$expected" ]; then
    echo "FAIL: expected '$expected'"
    exit 1
fi

mkdir -p "$(dirname "$shot")"
rm -f "$shot"
timeout 90 "$browser" "${flags[@]}" --hide-scrollbars --window-size=1100,2600 \
    --screenshot="$shot" "file://$(cd "$manual" && pwd)/download_support.html" \
    >/dev/null 2>"$work/stderr"
if [ ! -s "$shot" ]; then
    echo "FAIL: no screenshot"
    tail -n 20 "$work/stderr"
    exit 1
fi
echo "PASS: 199 flags in six groups with names and pictures; screenshot: $shot"
