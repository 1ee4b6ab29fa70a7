#!/usr/bin/env bash
# The project's own sources as .clang-format lays them out, with no region switched off; the
# tests' share of the code printed; the tests the documents name and the table rows checked
# against the tests that exist; clang-tidy (the checked-in .clang-tidy) and cppcheck. Any
# finding fails. Needs a build with its compile commands and tests (default build/debug).
# A table's fields are read through GoogleTest's parameters, which cppcheck does not follow: it
# is not asked for unused members of the tests' structs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/debug}

mapfile -t sources < <(git ls-files -- '*.cpp' '*.h' | grep -E '^(src|tests|fuzz|bench)/')
if grep -nE '//[[:space:]]*clang-format[[:space:]]+off' "${sources[@]}"; then
  echo "lint: formatting switched off above"
  exit 1
fi
clang-format --dry-run -Werror "${sources[@]}"
scripts/test-ratio.py || echo "lint: the tests are above a third of the code (docs/TESTING.md)"
scripts/check-test-names.py "$build"

cppcheck --enable=warning,style,performance,portability --std=c++20 --language=c++ \
  --library=qt --library=googletest --library=posix -U_WIN32 --inline-suppr --quiet \
  --suppress=missingIncludeSystem --suppress=useStlAlgorithm --suppress=readdirCalled \
  --suppress='unusedStructMember:tests/*' --error-exitcode=1 -I src -I tests src tests fuzz bench

git ls-files 'src/*.cpp' | grep -v '_windows\.cpp$' |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null
echo "lint: formatting, test names, clang-tidy and cppcheck found nothing"
