#!/usr/bin/env bash
# Sets up, builds and starts Kelvra against four emulated units.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [ -x build/bin/kelvra ]; then
	exec build/bin/kelvra --emulate "${1:-demo}"
fi
VARNELIO_EMULATOR="${1:-demo}" exec build/bin/varnelio-demo
