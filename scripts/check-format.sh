#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the tree differs from what
# clang-format makes of it with the tree's .clang-format. Run
# `scripts/check-format.sh --fix` to format them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c')
if [ ${#files[@]} -eq 0 ]; then
	echo "check-format: no C or C++ file found (is this a git checkout?)" >&2
	exit 1
fi
if [ "${1:-}" = "--fix" ]; then
	clang-format -i "${files[@]}"
	exit 0
fi
differing=()
for file in "${files[@]}"; do
	clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || differing+=("$file")
done
if [ ${#differing[@]} -gt 0 ]; then
	echo "check-format: ${#differing[@]} file(s) differ from .clang-format (scripts/check-format.sh --fix):" >&2
	printf '  %s\n' "${differing[@]}" >&2
	exit 1
fi
echo "check-format: ${#files[@]} files as .clang-format has them"
