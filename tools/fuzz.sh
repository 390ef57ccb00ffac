#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs each for a bounded
# time on a scratch copy of its saved inputs. A finding stops with an error;
# its input is left in the scratch folder, to be added under
# tests/fuzz/corpus/<target>/ so that the ordinary tests replay it.
#   tools/fuzz.sh [seconds per target]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -DSHOOTOUT_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build-fuzz" -j2 >/dev/null
scratch=$(mktemp -d)
for target in players reports teams schedule run; do
  mkdir -p "$scratch/$target"
  cp "$root/tests/fuzz/corpus/$target"/* "$scratch/$target/"
  "$root/build-fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len=65536 \
    -artifact_prefix="$scratch/$target-" -print_final_stats=1 "$scratch/$target" \
    2> "$scratch/$target.log" || { tail -40 "$scratch/$target.log"; echo "fuzz: $target found a fault, input in $scratch"; exit 1; }
  echo "fuzz $target: $(grep -E 'stat::number_of_executed_units' "$scratch/$target.log" | awk '{print $2}') executions, no fault"
done
rm -rf "$scratch"
