#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A large GPX import: GPSBabel writes POINTS waypoints (100,000 by default)
# from a seeded CSV, then quillpost-geo imports them onto a card's route file
# and GPSBabel reads the same file into CSV, each RUNS times in turn; the
# medians of the time, the peak memory against the file's size, and the ratio
# are printed with their targets.
#   bench/gpx_import.sh [POINTS] [RUNS]
# Build quillpost-geo first (scripts/test or cmake --build build).
set -euo pipefail
cd "$(dirname "$0")/.."

points=${1:-100000}
runs=${2:-5}
tool=$(realpath "${QUILLPOST_GEO:-build/bin/quillpost-geo}")
[ -x "$tool" ] || { echo "gpx_import: $tool is not built" >&2; exit 1; }
command -v gpsbabel >/dev/null && [ -x /usr/bin/time ] ||
  { echo "gpx_import: needs gpsbabel and GNU time (scripts/setup installs them)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
routes="$work/card/MN6/Settings/Routes"
mkdir -p "$routes"

awk -v n="$points" 'BEGIN {
  srand(1952)
  print "name,lat,lon"
  for (i = 1; i <= n; i++) printf "Point %d,%.7f,%.7f\n", i, -80 + rand() * 164, -180 + rand() * 360
}' >"$work/points.csv"
GPSBABEL_FREEZE_TIME=y gpsbabel -i unicsv -f "$work/points.csv" -o gpx,gpxver=1.1 -F "$work/points.gpx"
size=$(stat -c %s "$work/points.gpx")

# "SECONDS KILOBYTES" of one run of a command, by GNU time.
measured() {
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null
  cat "$work/time"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: >"$work/ours"
: >"$work/theirs"
for run in $(seq "$runs"); do
  rm -f "$routes/bench.rte"
  measured "$tool" import "$routes/bench.rte" "$work/points.gpx" >>"$work/ours"
  lines=$(wc -l <"$routes/bench.rte")
  [ "$lines" -eq "$points" ] || { echo "gpx_import: $lines lines imported" >&2; exit 1; }
  measured gpsbabel -i gpx -f "$work/points.gpx" -o unicsv -F "$work/out.csv" >>"$work/theirs"
done

ours_s=$(cut -d' ' -f1 "$work/ours" | median)
ours_kb=$(cut -d' ' -f2 "$work/ours" | median)
theirs_s=$(cut -d' ' -f1 "$work/theirs" | median)
awk -v n="$points" -v size="$size" -v s="$ours_s" -v kb="$ours_kb" -v g="$theirs_s" -v runs="$runs" 'BEGIN {
  printf "%d waypoints, a GPX file of %.1f MB, median of %d runs\n", n, size / 1e6, runs
  printf "quillpost-geo import        %.2f s  (target at most 1 s)\n", s
  printf "its peak memory             %.1f MB = %.2f x the file  (target at most 5 x)\n", kb * 1024 / 1e6, kb * 1024 / size
  printf "gpsbabel -i gpx -o unicsv   %.2f s\n", g
  printf "gpsbabel / quillpost-geo    %.2f  (target at least 2)\n", (s > 0 ? g / s : 0)
}'
