#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test with ctest, ending with ctest's summary line. Before them, clang-tidy and
# cppcheck must find nothing in the project's code, each fuzz target runs for 30 seconds, the
# parts without Qt are cross-built for Windows and their tests run under wine, and their
# scenarios run under valgrind.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh run headless test
cmake --preset debug >/dev/null
cmake --build --preset debug
scripts/lint.sh build/debug
scripts/fuzz.sh 30
scripts/windows-tests.sh
scripts/valgrind.sh
export QT_QPA_PLATFORM=offscreen
ctest --preset debug -j "$(nproc)"
