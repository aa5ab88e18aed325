#!/usr/bin/env bash
# Sets up, builds and starts Kelvra against emulated units: the four "demo"
# units, or those of the description given. Builds only what it starts (the
# window, kelvra-cli and VARNELIO), not the tests or benchmarks, in the configuration
# scripts/test.sh builds too, so neither rebuilds what the other built.
set -euo pipefail
cd "$(dirname "$0")/.."
# First, so that the xvfb-run named below is there on a bare machine too.
scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
	echo "run.sh: no display is set (DISPLAY is empty), so the window cannot open." >&2
	echo "Start it under a virtual X server instead:  xvfb-run -a scripts/run.sh ${*:-}" >&2
	exit 1
fi
scripts/build.sh -- --target kelvra kelvra-cli VARNELIO
exec build/bin/kelvra --emulate "${1:-demo}"
