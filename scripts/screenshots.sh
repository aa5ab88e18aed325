#!/usr/bin/env bash
# Makes docs/screenshots/ from the real window under Xvfb with emulated units,
# in Japanese, in English (en-*) and the idle window in Japanese at twice the
# scale (ja-2x-*), and docs/print.pdf, the printed page of a trigger capture
# with a load unit, with its English twin docs/print-en.pdf.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}" \
	xvfb-run -a -s "-screen 0 1280x800x24" build/tools/kelvra-screenshots docs/screenshots
XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}" \
	xvfb-run -a -s "-screen 0 1280x800x24" build/tools/kelvra-screenshots docs/screenshots \
	--lang en --prefix en-
XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}" QT_SCALE_FACTOR=2 \
	xvfb-run -a -s "-screen 0 2560x1600x24" build/tools/kelvra-screenshots docs/screenshots \
	--lang ja --prefix ja-2x- --window-only

capture="$(mktemp -d)"
XDG_CONFIG_HOME="$capture" build/bin/kelvra-cli record --emulate demo --units 0,2 --interval-ms 50 \
	--trigger-upper 100 --pre 100 --post 200 --trigger-unit 0 --display-unit kgf \
	--rated-output 0:2:mV/V --rated-output 2:1500:ue --capacity 0:500 --capacity 2:1000 \
	--out "$capture/trigger.vn2"
build/bin/kelvra-cli print "$capture/trigger.vn2" --pdf docs/print.pdf
build/bin/kelvra-cli print --lang en "$capture/trigger.vn2" --pdf docs/print-en.pdf
pdftoppm -png -r 60 -singlefile docs/print.pdf docs/screenshots/print
pdftoppm -png -r 60 -singlefile docs/print-en.pdf docs/screenshots/en-print
rm -rf "$capture"
