#!/usr/bin/env bash
# The Debian package made from this build, as scripts/package makes it, passes lintian with no
# error and no warning.
# Usage: lintian-test.sh BUILD-DIR
set -u
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
command -v lintian >/dev/null || { echo "FAIL: lintian is not installed (scripts/deps.sh test)"; exit 1; }
(cd "$build" && cpack -G DEB -B "$out") >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; echo "FAIL: cpack"; exit 1; }
lintian --fail-on error,warning "$out"/*.deb >"$out/lintian.log" 2>&1
status=$?
# As root, lintian says it would rather not be; that line is no finding.
grep -v 'root privileges' "$out/lintian.log" >"$out/findings"
if [ "$status" -ne 0 ] || [ -s "$out/findings" ]; then
    cat "$out/findings"
    echo "FAIL: lintian (status $status)"
    exit 1
fi
echo "PASS: lintian on $(basename "$out"/*.deb)"
