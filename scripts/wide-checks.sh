#!/usr/bin/env bash
# The slow and wide checks, after ./test.sh has built build/debug: clang-tidy and cppcheck
# must find nothing, each fuzz target runs for 30 seconds, the parts without Qt are
# cross-built for Windows and their tests run under wine, the whole program is built for
# Windows (kov.exe and its zip) and its window tested under wine, and the scenarios of the parts
# without Qt run under valgrind.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh wide
scripts/lint.sh build/debug
scripts/fuzz.sh 30
scripts/windows-tests.sh
scripts/windows-gui.sh
scripts/valgrind.sh
echo "wide checks: all passed"
