#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Throughput of quillpost-geo's batch mode against GeographicLib's GeoConvert
# and PROJ's cs2cs: the same seeded points, converted to UTM by each of the
# three in turn, timed alone, with the rates and the ratios printed.
#   bench/geo_throughput.sh [POINTS] [SEED]
# Build quillpost-geo first (scripts/test or cmake --build build).
set -euo pipefail
cd "$(dirname "$0")/.."

points=${1:-1000000}
seed=${2:-1952}
tool=${QUILLPOST_GEO:-build/bin/quillpost-geo}
[ -x "$tool" ] || { echo "geo_throughput: $tool is not built" >&2; exit 1; }
command -v GeoConvert >/dev/null && command -v cs2cs >/dev/null ||
  { echo "geo_throughput: needs GeoConvert and cs2cs (scripts/setup installs them)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Latitudes from -80 to 84 degrees over the longitudes of zone 32, so that
# cs2cs, which projects every point to zone 32, does the same work as the two
# that choose the zone themselves.
awk -v n="$points" -v seed="$seed" 'BEGIN {
  srand(seed)
  for (i = 0; i < n; i++) printf "%.9f %.9f\n", -80 + rand() * 164, 6 + rand() * 6
}' >"$work/latlon"
awk '{ print "utm " $1 " " $2 }' "$work/latlon" >"$work/quillpost.in"
awk '{ print $2 " " $1 }' "$work/latlon" >"$work/lonlat"

# Seconds that a command takes to turn the input file into the output file.
timed() {
  local input=$1 output=$2 start end
  shift 2
  start=$(date +%s.%N)
  "$@" <"$input" >"$output"
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.6f", e - s }'
}

t_quillpost=$(timed "$work/quillpost.in" "$work/quillpost.out" "$tool")
t_geoconvert=$(timed "$work/latlon" "$work/geoconvert.out" GeoConvert -u -p 3)
t_cs2cs=$(timed "$work/lonlat" "$work/cs2cs.out" \
  cs2cs -f %.3f +proj=longlat +datum=WGS84 +to +proj=utm +zone=32 +datum=WGS84)

for name in quillpost geoconvert cs2cs; do
  lines=$(wc -l <"$work/$name.out")
  [ "$lines" -eq "$points" ] || { echo "geo_throughput: $name wrote $lines lines" >&2; exit 1; }
done
errors=$(grep -c '^error' "$work/quillpost.out" || true)

awk -v n="$points" -v q="$t_quillpost" -v g="$t_geoconvert" -v c="$t_cs2cs" -v e="$errors" 'BEGIN {
  printf "%d points (%d refused by quillpost-geo)\n", n, e
  printf "quillpost-geo utm   %10.0f points/s  (%.3f s)\n", n / q, q
  printf "GeoConvert -u       %10.0f points/s  (%.3f s)\n", n / g, g
  printf "cs2cs to zone 32    %10.0f points/s  (%.3f s)\n", n / c, c
  printf "quillpost-geo / GeoConvert  %.2f  (target at least 2)\n", g / q
  printf "quillpost-geo / cs2cs       %.2f  (target at least 1)\n", c / q
}'
