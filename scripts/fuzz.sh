#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# SECONDS (default 60), starting from its seed corpus in tests/fuzz/corpus/.
# New inputs go to build-fuzz/corpus/; a crash leaves its input in
# build-fuzz/artifacts/ and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=(fuzz_data_file fuzz_unit_replies fuzz_emulator_description fuzz_meas_info fuzz_expression
	fuzz_recording)

scripts/setup.sh
CXX=clang++-14 CC=clang-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	-DKELVRA_SANITIZE=fuzzer-no-link,address,undefined -DKELVRA_BUILD_FUZZERS=ON \
	-DKELVRA_BUILD_TESTS=OFF -DKELVRA_BUILD_GUI=OFF -DKELVRA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

mkdir -p build-fuzz/artifacts
failed=()
for target in "${targets[@]}"; do
	corpus=build-fuzz/corpus/$target
	mkdir -p "$corpus"
	dict=()
	[ -f "tests/fuzz/$target.dict" ] && dict=(-dict="tests/fuzz/$target.dict")
	log=build-fuzz/$target.log
	echo "--- $target: $seconds s"
	if build-fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
		-print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/"$target"- "${dict[@]}" \
		"$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
		runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
		echo "    ${runs:-?} executions, no finding"
	else
		tail -n 40 "$log"
		failed+=("$target")
	fi
done
if [ ${#failed[@]} -ne 0 ]; then
	echo "fuzz: findings in ${failed[*]} (inputs in build-fuzz/artifacts/)"
	exit 1
fi
