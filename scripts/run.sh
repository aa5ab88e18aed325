#!/usr/bin/env bash
# Sets up, builds and starts Kelvra against four emulated units.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/bin/kelvra --emulate "${1:-demo}"
