#!/usr/bin/env bash
# clang-tidy (the checked-in .clang-tidy) and cppcheck over the project's own sources; any
# finding fails. Needs the compile commands of a build (default build/debug).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/debug}

cppcheck --enable=warning,style,performance,portability --std=c++20 --language=c++ \
  --library=qt --library=googletest --library=posix -U_WIN32 --inline-suppr --quiet \
  --suppress=missingIncludeSystem --suppress=useStlAlgorithm --suppress=readdirCalled \
  --error-exitcode=1 -I src -I tests src tests fuzz bench

git ls-files 'src/*.cpp' | grep -v '_windows\.cpp$' |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null
echo "lint: clang-tidy and cppcheck found nothing"
