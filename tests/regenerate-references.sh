#!/bin/sh
# Rewrites tests/data/reference/ from what the filters produce now, after an
# intended change. Review `git diff tests/data/reference` before committing.
#
#   tests/regenerate-references.sh [build-directory]    (default: build)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}

cmake --build "$build" --target engine_tests
for binary in "$build/bin/engine_tests" "$build/tests/engine_tests"; do
  if [ -x "$binary" ]; then
    MARKWELL_REGENERATE=1 "$binary" --gtest_filter='Files/GoldenTest.*'
    git -C "$root" status --short -- tests/data/reference
    exit 0
  fi
done
echo "engine_tests not found in $build" >&2
exit 1
