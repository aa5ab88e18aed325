#!/usr/bin/env bash
# Checks the Debian package as a lab would meet it: builds it, unpacks it into
# a temporary root (nothing is installed on this machine), records with the
# unpacked kelvra-cli against emulated units and reads the file back, and
# makes sure it loaded the unpacked VARNELIO rather than one of the build.
# Then lintian, the AppStream and desktop validators, the *.vn2 file type,
# and the manual page against kelvra-cli's own help.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
	echo "check-package: $*" >&2
	exit 1
}

rm -f build/kelvra_*.deb
deb=$(scripts/package.sh | tail -n 1)
echo "$deb"
dpkg-deb --info "$deb" | sed -n 's/^ \(Depends\|Recommends\|Installed-Size\|Architecture\):/  \1:/p'

library="usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/kelvra/libVARNELIO.so"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for path in usr/bin/kelvra usr/bin/kelvra-cli $library \
	usr/lib/udev/rules.d/60-varnelio.rules usr/share/applications/org.kelvra.Kelvra.desktop \
	usr/share/icons/hicolor/scalable/apps/org.kelvra.Kelvra.svg usr/share/mime/packages/org.kelvra.Kelvra.xml \
	usr/share/metainfo/org.kelvra.Kelvra.metainfo.xml usr/share/man/man1/kelvra-cli.1.gz \
	usr/share/doc/kelvra/copyright; do
	[ -e "$root/$path" ] || fail "the package lacks /$path"
done

# A private settings folder, so the stored conditions of this machine play no part.
export XDG_CONFIG_HOME="$root/config"
cli="$root/usr/bin/kelvra-cli"
env -u LD_LIBRARY_PATH -u VARNELIO_EMULATOR LD_DEBUG=files LD_DEBUG_OUTPUT="$root/ld" \
	"$cli" record --emulate demo --units 0,1,2,3 --interval-ms 10 --samples 20 --out "$root/run.vn2"
grep -qh "file=$root/$library " "$root"/ld.* ||
	fail "the unpacked kelvra-cli did not load $root/$library"
info=$("$cli" --lang en info "$root/run.vn2")
grep -qx 'rows: 20' <<<"$info" || fail "the recorded file does not hold 20 rows:"$'\n'"$info"
grep -qx 'units in use: 0,1,2,3' <<<"$info" || fail "the recorded file lacks units:"$'\n'"$info"
"$cli" convert --csv-encoding utf-8 "$root/run.vn2" "$root/run.csv"
head -c 3 "$root/run.csv" | cmp -s - <(printf '\xef\xbb\xbf') || fail "the UTF-8 CSV has no byte-order mark"
echo "unpacked kelvra-cli recorded 20 samples of 4 units with $root/$library"

appstreamcli validate --no-net "$root/usr/share/metainfo/org.kelvra.Kelvra.metainfo.xml"
desktop-file-validate "$root/usr/share/applications/org.kelvra.Kelvra.desktop"
# The file type the desktop entry claims is the one *.vn2 files get.
XDG_DATA_DIRS="$root/usr/share" update-mime-database "$root/usr/share/mime"
type=$(sed -n 's/:\*\.vn2$//p' "$root/usr/share/mime/globs")
[ "$type" = application/x-kelvra-vn2 ] || fail "*.vn2 files get the type '$type'"
grep -qx "MimeType=$type;" "$root/usr/share/applications/org.kelvra.Kelvra.desktop" ||
	fail "the desktop entry does not open $type"
grep -qx 'Exec=kelvra %f' "$root/usr/share/applications/org.kelvra.Kelvra.desktop" ||
	fail "the desktop entry does not pass the file to kelvra"

# Every option kelvra-cli record explains is in its manual page.
manual=$(zcat "$root/usr/share/man/man1/kelvra-cli.1.gz" | sed 's/\\-/-/g')
for option in $("$cli" record --help | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u); do
	grep -qF -- "$option" <<<"$manual" || fail "the manual page of kelvra-cli lacks $option"
done

lintian --fail-on error "$deb"
echo "lintian: no errors"
