#!/usr/bin/env bash
# Every C++ file follows the root .clang-format: clang-format would change nothing.
# Usage: check-format.sh SOURCE_DIR
set -eu
cd "$1"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git -c core.quotepath=off ls-files '*.h' '*.cpp')
else
    files=$(find . -path ./build -prune -o -path './build-*' -prune -o \
                 \( -name '*.h' -o -name '*.cpp' \) -print)
fi
# shellcheck disable=SC2086 # one name a line, none with blanks
if ! clang-format --dry-run --Werror $files; then
    echo "Not formatted: run clang-format -i on the files above."
    exit 1
fi
echo "$(echo "$files" | wc -l) files formatted as .clang-format says"
