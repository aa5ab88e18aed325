#!/usr/bin/env bash
# Makes docs/screenshots/ from the real window under Xvfb with emulated units.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}" \
	xvfb-run -a -s "-screen 0 1280x800x24" build/tools/kelvra-screenshots docs/screenshots
