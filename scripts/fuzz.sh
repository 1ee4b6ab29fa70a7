#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (seconds, default 30)
# from the checked-in corpus; new inputs go to a scratch folder, not into the corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

command -v clang++ >/dev/null || { echo "fuzz: clang++ missing, skipped"; exit 0; }
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

# The targets write and sync real files: in memory they run many times faster.
scratch=$(mktemp -d)
export TMPDIR=/dev/shm
trap 'rm -rf "$scratch"' EXIT
for target in build/fuzz/fuzz/*_fuzz; do
  name=$(basename "$target" _fuzz)
  mkdir -p "$scratch/$name"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$scratch/$name" "fuzz/corpus/$name" \
    >"$scratch/$name.log" 2>&1 || { cat "$scratch/$name.log"; echo "fuzz: $name failed"; exit 1; }
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$scratch/$name.log" | grep -o '[0-9]*$')
  reached=$(grep -o 'DONE .*' "$scratch/$name.log" | grep -o 'cov: [0-9]* ft: [0-9]* corp: [^ ]*')
  echo "fuzz: $name ran $runs inputs in ${seconds}s without a fault ($reached)"
done
