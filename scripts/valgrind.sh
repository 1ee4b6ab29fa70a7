#!/usr/bin/env bash
# Runs the scenarios of the parts without Qt under valgrind's memcheck: any error or leak
# fails. A build of its own, since valgrind and the sanitizers do not mix.
set -euo pipefail
cd "$(dirname "$0")/.."

command -v valgrind >/dev/null || { echo "valgrind: missing, skipped"; exit 0; }
cmake --preset valgrind >/dev/null
cmake --build --preset valgrind >/dev/null
for program in credentials_tests oplog_tests report_tests logview_tests; do
  valgrind --quiet --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
    --trace-children=no "build/valgrind/tests/$program" --gtest_brief=1 >/dev/null
  echo "valgrind: $program ran without a memory error"
done
