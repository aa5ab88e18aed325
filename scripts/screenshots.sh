#!/usr/bin/env bash
# Makes docs/screenshots/ from the real window under Xvfb with emulated units,
# and docs/print.pdf, the printed page of a trigger capture with a load unit.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}" \
	xvfb-run -a -s "-screen 0 1280x800x24" build/tools/kelvra-screenshots docs/screenshots

capture="$(mktemp -d)"
XDG_CONFIG_HOME="$capture" build/bin/kelvra-cli record --emulate demo --units 0,2 --interval-ms 50 \
	--trigger-upper 100 --pre 100 --post 200 --trigger-unit 0 --display-unit kgf \
	--rated-output 0:2:mV/V --rated-output 2:1500:ue --capacity 0:500 --capacity 2:1000 \
	--out "$capture/trigger.vn2"
build/bin/kelvra-cli print "$capture/trigger.vn2" --pdf docs/print.pdf
pdftoppm -png -r 60 -singlefile docs/print.pdf docs/screenshots/print
rm -rf "$capture"
