#!/usr/bin/env bash
# The desktop program's menu entry, metainfo and icons, as a desktop and a software centre
# read them:
#   desktop_files_test.sh DESKTOP METAINFO SVG ICON_DIR VERSION SIZE...
set -euo pipefail
desktop=$1 metainfo=$2 svg=$3 icons=$4 version=$5
shift 5
failed=0
fail() {
    echo "$*"
    failed=1
}

desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $desktop"
appstreamcli validate --no-net --pedantic --strict "$metainfo" ||
    fail "appstreamcli refuses $metainfo"

# The menu entry starts the program the package installs, under its icon's name.
grep -qx 'Exec=fiscora' "$desktop" || fail "the menu entry does not start fiscora"
grep -qx 'Icon=fiscora' "$desktop" || fail "the menu entry's icon is not fiscora"
grep -q '^Categories=.*Office;.*Finance;' "$desktop" || fail "the menu entry is not under Office;Finance"
# The software centre finds the menu entry by its file name, and names this release.
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
    fail "the metainfo's launchable is not $(basename "$desktop")"
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "the metainfo's newest release is $newest, the program is $version"
# The file's name is its component id, as AppStream looks it up.
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "$(basename "$metainfo") is not named after $id"

# Each PNG is square and of its folder's size; the SVG is one.
file "$svg" | grep -q 'SVG' || fail "$svg is not an SVG image"
for size in "$@"; do
    png=$icons/${size}x$size/fiscora.png
    file "$png" | grep -q "PNG image data, $size x $size," || fail "$png: $(file -b "$png")"
done
exit $failed
