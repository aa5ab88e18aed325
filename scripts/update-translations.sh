#!/usr/bin/env bash
# Makes translations/kelvra_en.ts anew from the texts in the code (lupdate),
# keeping the translations already there. With --check it changes nothing and
# fails when lupdate would change the file or a text has no finished English.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || lupdate=$(command -v lupdate6 || command -v lupdate)
ts=translations/kelvra_en.ts

update()
{
	"$lupdate" -silent -locations none -no-obsolete -source-language ja_JP \
		-target-language en_US app -ts "$1"
}

if [ "${1:-}" != "--check" ]; then
	update "$ts"
	exit 0
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$ts" "$scratch/kelvra_en.ts"
update "$scratch/kelvra_en.ts"
if ! cmp -s "$ts" "$scratch/kelvra_en.ts"; then
	echo "check-translations: $ts is not current (scripts/update-translations.sh):" >&2
	diff -u "$ts" "$scratch/kelvra_en.ts" | head -40 >&2
	exit 1
fi
unfinished=$(grep -c -e 'type="unfinished"' -e '<translation></translation>' "$ts" || true)
if [ "$unfinished" -gt 0 ]; then
	echo "check-translations: $unfinished text(s) of $ts have no finished English:" >&2
	grep -B2 -e 'type="unfinished"' -e '<translation></translation>' "$ts" |
		grep '<source>' | head -20 >&2
	exit 1
fi
echo "check-translations: $(grep -c '<source>' "$ts") texts, each with its English"
