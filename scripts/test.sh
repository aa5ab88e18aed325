#!/usr/bin/env bash
# Sets up, builds and runs every test headless: the normal build, then the
# address/undefined-behaviour build and the thread-sanitizer build of the
# parts with threads, then each fuzz target for a short while.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
started=$SECONDS
phases=()

# A heading per phase; the summary line names the phase that failed.
phase()
{
	phases+=("$1")
	printf '\n=== test.sh: %s ===\n' "$1"
}
summary()
{
	local status=$? took=$((SECONDS - started))
	if [ "$status" -eq 0 ]; then
		printf '\n=== test.sh: all %d phases passed (%s) in %dm%02ds ===\n' \
			"${#phases[@]}" "${phases[*]}" $((took / 60)) $((took % 60))
	else
		printf '\n=== test.sh: FAILED in phase "%s" after %dm%02ds ===\n' \
			"${phases[-1]:-setup}" $((took / 60)) $((took % 60))
	fi
}
trap summary EXIT

phase setup
scripts/setup.sh

phase format
scripts/check-format.sh

phase translations
scripts/update-translations.sh --check

phase plain
scripts/build.sh
ctest --test-dir build --output-on-failure -j"$jobs"

phase asan
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKELVRA_SANITIZE=address,undefined \
	-DKELVRA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"

phase tsan
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DKELVRA_SANITIZE=thread \
	-DKELVRA_BUILD_GUI=OFF -DKELVRA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-tsan -j"$jobs" --target device_tests varnelio_exports_tests libusb_backend_tests \
	journal_tests recording_tests
ctest --test-dir build-tsan --output-on-failure -j"$jobs" -L threads

phase fuzz
scripts/fuzz.sh 30

# The install: the Debian package unpacked and run, lintian, the desktop and
# AppStream files; then VARNELIO.dll for Windows and its export tables.
phase package
scripts/check-package.sh
phase windows-dll
scripts/windows-dll.sh
