#!/usr/bin/env bash
# Builds the Debian package build/kelvra_<version>_<arch>.deb with CPack.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh "$@"
(cd build && cpack -G DEB --config CPackConfig.cmake >/dev/null)
ls build/kelvra_*.deb
