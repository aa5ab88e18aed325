#!/usr/bin/env bash
# Sets up, builds and starts Kelvra against four emulated units.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
	echo "run.sh: no display is set (DISPLAY is empty), so the window cannot open." >&2
	echo "Start it under a virtual X server instead:  xvfb-run -a scripts/run.sh ${*:-}" >&2
	echo "(xvfb-run comes with the xvfb package, which scripts/setup.sh installs.)" >&2
	exit 1
fi
scripts/setup.sh
scripts/build.sh
exec build/bin/kelvra --emulate "${1:-demo}"
