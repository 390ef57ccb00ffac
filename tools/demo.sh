#!/usr/bin/env bash
# Builds the tool, runs it on a scratch copy of the bundled example league and
# shows what it changed. The committed league is never touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j2 --target shootout >/dev/null

scratch=$(mktemp -d)
cp "$root"/examples/league/*.lgs "$scratch"
echo "== running shootout in $scratch"
(cd "$scratch" && "$root/build/shootout")
echo
echo "== lines changed in the season files (bundled league -> scratch copy)"
for f in boxscores.lgs schedule.lgs reports.lgs teams.lgs players.lgs; do
  diff -u --label "league/$f" --label "scratch/$f" "$root/examples/league/$f" "$scratch/$f" || true
done
echo
echo "== the log of settled games: $scratch/shootout.html"
cat "$scratch/shootout.html"
echo "== a second run finds nothing left to settle"
(cd "$scratch" && "$root/build/shootout")
