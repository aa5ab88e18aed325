#!/usr/bin/env bash
# Sets up, builds and runs every test headless: the normal build, then the
# address/undefined-behaviour build and the thread-sanitizer build of the
# parts with threads.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

scripts/build.sh
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKELVRA_SANITIZE=address,undefined \
	-DKELVRA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"

cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DKELVRA_SANITIZE=thread \
	-DKELVRA_BUILD_GUI=OFF -DKELVRA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-tsan -j"$jobs" --target device_tests varnelio_exports_tests libusb_backend_tests \
	journal_tests
ctest --test-dir build-tsan --output-on-failure -j"$jobs" \
	-R '^(DeviceTable|EmulatedUnits|Exports|libusb_backend_tests|JournalFormat|JournalWriter|RunJournal|RecoveryOffer)'

# The install: the Debian package unpacked and run, lintian, the desktop and
# AppStream files; then VARNELIO.dll for Windows and its export tables.
echo "== Debian package =="
scripts/check-package.sh
echo "== VARNELIO.dll for Windows =="
scripts/windows-dll.sh
