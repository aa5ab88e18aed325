#!/usr/bin/env bash
# Configures and builds into build/ (programs and library in build/bin/), warnings as
# errors. This is the one configuration of build/ that run.sh, test.sh, package.sh and
# screenshots.sh share, so that each reuses what another built. Arguments before "--"
# go to the configuration, those after it to the build: scripts/build.sh -- --target kelvra
set -euo pipefail
cd "$(dirname "$0")/.."
configure=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
	configure+=("$1")
	shift
done
[ $# -gt 0 ] && shift
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVRA_WERROR=ON "${configure[@]}" >/dev/null
cmake --build build -j"$(nproc)" "$@"
