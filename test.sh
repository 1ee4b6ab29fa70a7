#!/usr/bin/env bash
# Installs what the tests need, builds with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs every test with ctest, ending with ctest's summary line. The slow and wide checks
# (clang-tidy and cppcheck, fuzzing, the Windows tests under wine, valgrind) are in
# scripts/wide-checks.sh, which CI runs after this.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh run headless test archivio
cmake --preset debug >/dev/null
cmake --build --preset debug
export QT_QPA_PLATFORM=offscreen
ctest --preset debug -j "$(nproc)"
