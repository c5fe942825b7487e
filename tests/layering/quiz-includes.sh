#!/usr/bin/env bash
# The quiz window knows its round and its own controls: quiz/ includes only quiz/, platform/ and
# the settings store. Every other capability hangs its commands on it from app/.
# Usage: quiz-includes.sh SOURCE_DIR
set -eu
cd "$1"
bad=$(grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' quiz/*.h quiz/*.cpp |
      grep -vE '"(quiz/|platform/|app/ProfileStore\.h")' || true)
if [ -n "$bad" ]; then
    echo "quiz/ includes headers of other folders:"
    echo "$bad"
    exit 1
fi
echo "quiz/ includes only quiz/, platform/ and app/ProfileStore.h"
