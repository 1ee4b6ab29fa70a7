#!/usr/bin/env bash
# The slow and wide checks, after ./test.sh has built build/debug: clang-tidy and cppcheck
# must find nothing, each fuzz target runs for 30 seconds, the parts without Qt are
# cross-built for Windows and their tests run under wine, and their scenarios run under
# valgrind.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh wide
scripts/lint.sh build/debug
scripts/fuzz.sh 30
scripts/windows-tests.sh
scripts/valgrind.sh
echo "wide checks: all passed"
