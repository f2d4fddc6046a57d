#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# GPX between the companion and an independent reader and writer, GPSBabel:
# the GPX 1.0 and 1.1 files it writes from a CSV import to the names and
# positions of the CSV, each line the one `route NAME deg` gives; our export
# is valid against the GPX 1.1 schema (Debian's pytrainer ships it; taken
# from the package here, never kept in the repository) and GPSBabel reads
# it back to the route's names and positions.
set -uo pipefail
: "${QUILLPOST_GEO:?QUILLPOST_GEO must name the companion under test}"

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in gpsbabel xmllint dpkg-deb apt-get; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs gpsbabel and libxml2-utils)"
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-gpx-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
export GPSBABEL_FREEZE_TIME=y

# Names of several scripts and characters the device's code page lacks;
# positions in every quarter of the Earth, with more decimals than a route
# line keeps.
cat >points.csv <<'EOF'
name,lat,lon
Home,53.5,10
Mühle am Bach,47.2692124,11.4041024
Łódź,51.7592485,19.4559833
Buenos Aires,-34.6037005,-58.3815665
Wellington,-41.2864603,174.776236
Anchorage,61.2180556,-149.9002778
Équateur,0.0000004,-0.0000006
EOF

# What `route NAME deg` writes for each CSV row: the lines an import must give.
expected_lines() {
    tail -n +2 points.csv | while IFS=, read -r name lat lon; do
        ns=N; ew=E
        [[ $lat == -* ]] && { ns=S; lat=${lat#-}; }
        [[ $lon == -* ]] && { ew=W; lon=${lon#-}; }
        "$QUILLPOST_GEO" route "$name" deg "$lat" "$ns" "$lon" "$ew" || fail "route $name"
    done
}
expected_lines >expected.lines

for version in 1.0 1.1; do
    gpsbabel -i unicsv -f points.csv -o gpx,gpxver=$version -F "waypoints-$version.gpx" ||
        fail "gpsbabel cannot write GPX $version"
    gpsbabel -i unicsv -f points.csv -x transform,rte=wpt,del -o gpx,gpxver=$version \
        -F "route-$version.gpx" || fail "gpsbabel cannot write a GPX $version route"
    for kind in waypoints route; do
        out=$("$QUILLPOST_GEO" import "$kind-$version.rte" "$kind-$version.gpx" 2>&1) ||
            fail "import of GPSBabel's GPX $version $kind: $out"
        [[ $out == "7 points of "*" appended; 0 names made from cmt, desc or a number; 2 characters the device cannot show replaced by '?'" ]] ||
            fail "the summary of GPX $version $kind: $out"
        tr -d '\r' <"$kind-$version.rte" | cmp -s - expected.lines ||
            fail "GPX $version $kind imports otherwise than route writes: $(diff <(tr -d '\r' <"$kind-$version.rte") expected.lines)"
    done
done
echo "GPSBabel's GPX 1.0 and 1.1, waypoints and a route: imported as route writes them"

# Our export, against the schema and read back by GPSBabel.
apt-get download pytrainer >/dev/null 2>&1 || fail "cannot download Debian's pytrainer for the GPX 1.1 schema"
dpkg-deb -x pytrainer_*.deb pytrainer || fail "cannot unpack pytrainer"
schema=$(find pytrainer -name Topografix_gpx11.xsd | head -1)
[ -n "$schema" ] || fail "pytrainer holds no Topografix_gpx11.xsd"

cp route-1.1.rte "Tour <&> Süd.rte"
"$QUILLPOST_GEO" export "Tour <&> Süd.rte" >export.gpx || fail "export: status $?"
xmllint --noout --schema "$schema" export.gpx 2>xmllint.out || fail "the export is not valid GPX 1.1: $(cat xmllint.out)"
grep -qF '<name>Tour &lt;&amp;&gt; Süd</name>' export.gpx || fail "the route is not named after the file"

# GPSBabel reads a file's routes with -r; it quotes names and writes its own
# six decimals.
gpsbabel -r -i gpx -f export.gpx -o unicsv -F readback.csv || fail "gpsbabel cannot read the export"
[ "$(head -1 readback.csv | tr -d '\r')" = "No,Latitude,Longitude,Name" ] || fail "gpsbabel's columns: $(head -1 readback.csv)"
tail -n +2 readback.csv | tr -d '\r' | sed -E 's/^[0-9]+,([^,]*),([^,]*),"(.*)"$/\3,\1,\2/' >readback.rows
# What the route file holds, as name,lat,lon with the line's six decimals.
iconv -f WINDOWS-1252 -t UTF-8 <route-1.1.rte | tr -d '\r' |
    sed -E 's/^\[(.*)\|\|\]\[0\]\[10\]\|([^,]*),([^|]*)\|.*$/\1,\3,\2/' >route.csv
[ "$(wc -l <route.csv)" = 7 ] || fail "the route file holds $(wc -l <route.csv) points, not 7"
"$QUILLPOST_GEO" list "Tour <&> Süd.rte" deg >listed || fail "list: status $?"
cmp -s readback.rows route.csv || fail "GPSBabel reads the export otherwise: $(diff readback.rows route.csv)"
[ "$(wc -l <listed)" = 7 ] || fail "list gives $(wc -l <listed) lines, not 7"
[ "$(head -1 listed)" = "$(printf 'HOME\t53.5 N 10 E')" ] || fail "list's first line: $(head -1 listed)"
echo "the export: valid GPX 1.1, and GPSBabel reads back the route's names and positions"

# A line the device wrote itself: named on standard error, status 1, the
# rest listed and exported all the same.
{ printf '[Device line]\r\n'; cat route-1.1.rte; } >mixed.rte
"$QUILLPOST_GEO" list mixed.rte dms >mixed.out 2>mixed.err
status=$?
[ $status = 1 ] || fail "list of a file with a foreign line: status $status"
grep -q "^quillpost-geo: line 1 of 'mixed.rte' is not a route point" mixed.err || fail "list's message: $(cat mixed.err)"
[ "$(wc -l <mixed.out)" = 7 ] || fail "list left out more than the foreign line"
"$QUILLPOST_GEO" export mixed.rte >mixed.gpx 2>mixed.err
[ $? = 1 ] && xmllint --noout --schema "$schema" mixed.gpx 2>/dev/null || fail "export of a file with a foreign line"
echo "a foreign line: named, the rest listed and exported"
# Hostile and broken files: refused with the reason, the route file as it was.
cp route-1.1.rte guarded.rte
before=$(md5sum <guarded.rte)
hostile() {  # name, expected words of the reason, content
    printf '%s' "$3" >"$1.gpx"
    out=$("$QUILLPOST_GEO" import guarded.rte "$1.gpx" 2>&1)
    status=$?
    [ $status = 1 ] || fail "$1: status $status ($out)"
    [[ $out == *"$2"*"nothing was appended" ]] || fail "$1: $out"
    [ "$(md5sum <guarded.rte)" = "$before" ] || fail "$1 changed the route file"
}
bomb='<!DOCTYPE lolz [<!ENTITY lol "lol"><!ENTITY lol1 "&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;"><!ENTITY lol2 "&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;">]>'
hostile entity-bomb "DOCTYPE" "$bomb<gpx><wpt lat=\"1\" lon=\"1\"><name>&lol2;</name></wpt></gpx>"
hostile external-entity "DOCTYPE" '<!DOCTYPE gpx [<!ENTITY x SYSTEM "file:///etc/passwd">]><gpx><wpt lat="1" lon="1"><name>&x;</name></wpt></gpx>'
hostile invalid-utf8 "not UTF-8" $'<gpx><wpt lat="1" lon="1"><name>\xff</name></wpt></gpx>'
hostile control "a control character" $'<gpx><wpt lat="1" lon="1"><name>\x07</name></wpt></gpx>'
hostile kml "its root element is 'kml'" '<kml xmlns="http://www.opengis.net/kml/2.2"><Placemark><Point><coordinates>10,53.5</coordinates></Point></Placemark></kml>'
hostile comma "lat='53,5' is not a decimal" '<gpx><wpt lat="53,5" lon="10"/></gpx>'
hostile exponent "lat='5.35e1' is not a decimal" '<gpx><wpt lat="5.35e1" lon="10"/></gpx>'
hostile beyond-pole "point 2 is not on the Earth" $'<gpx><wpt lat="1" lon="1"/>\n<wpt lat="95" lon="10"/></gpx>'
hostile empty "the file is empty" ''
hostile truncated "not well-formed XML" "$(head -c 300 route-1.1.gpx)"
hostile only-tracks "only tracks" '<gpx><trk><trkseg><trkpt lat="1" lon="1"/></trkseg></trk></gpx>'
hostile two-routes "2 routes: A (1 point), B (1 point); 0 waypoints" '<gpx><rte><name>A</name><rtept lat="1" lon="1"/></rte><rte><name>B</name><rtept lat="1" lon="1"/></rte></gpx>'
echo "hostile and broken files: refused with the reason, nothing written"
echo "gpx exchange: passed"
