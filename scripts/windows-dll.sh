#!/usr/bin/env bash
# Cross-builds VARNELIO.dll for 32- and 64-bit Windows with mingw-w64
# (emulated units only until the Windows build has a USB toolkit) into
# build-win32/bin/ and build-win64/bin/, and checks what a Windows caller
# binds: exactly the six exports, the two emulator checks and the list of
# connected units by their plain names, stdcall in the 32-bit build, and no
# DLL needed beyond the system's own.
# Then runs the DLL under Wine with a program written as the unit's callers
# write them (tests/device/windows_peer_client.c), headless, in a Wine prefix
# of its own: 64-bit always, 32-bit where a 32-bit Wine is installed.
set -euo pipefail
cd "$(dirname "$0")/.."

exports="Varnel_Check_Emulator
Varnel_Check_Emulator_At
Varnel_Connected_Units
Varnel_Device_Close
Varnel_Device_Open
Varnel_Get_Datas
Varnel_Single_Sample
Varnel_Start_Sample
Varnel_Zero_Adj"
# Bytes of arguments each stdcall function pops: the "@n" the compiler gives it.
stdcall="_Varnel_Check_Emulator@12
_Varnel_Check_Emulator_At@12
_Varnel_Connected_Units@8
_Varnel_Device_Close@4
_Varnel_Device_Open@4
_Varnel_Get_Datas@16
_Varnel_Single_Sample@8
_Varnel_Start_Sample@8
_Varnel_Zero_Adj@12"

fail() {
	echo "windows-dll: $*" >&2
	exit 1
}

build() { # toolchain folder
	cmake -S . -B "$2" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$1.cmake" -DCMAKE_BUILD_TYPE=Release \
		-DKELVRA_BUILD_APP=OFF -DKELVRA_BUILD_TESTS=OFF -DKELVRA_BUILD_BENCHMARKS=OFF \
		-DVARNELIO_WITH_LIBUSB=OFF --no-warn-unused-cli >/dev/null
	cmake --build "$2" -j"$(nproc)" --target VARNELIO
}

check() { # arch folder
	local dll="$2/bin/VARNELIO.dll" table
	table=$("$1-w64-mingw32-objdump" -p "$dll")
	echo "$dll:"
	sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table"
	local names
	names=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort)
	[ "$names" = "$exports" ] || fail "$dll exports other names than the nine:"$'\n'"$names"
	local imports
	imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$table" | tr 'A-Z' 'a-z' | sort -u)
	echo "imports: $(echo $imports)"
	grep -qvE '^(kernel32|msvcrt|user32|advapi32|api-ms-win-.*)\.dll$' <<<"$imports" &&
		fail "$dll needs a DLL that Windows does not have: $(echo $imports)"
	return 0
}

build i686 build-win32
build x86_64 build-win64
check i686 build-win32
check x86_64 build-win64

object=$(find build-win32 -name 'exports.cpp.obj' | head -n 1)
decorated=$(i686-w64-mingw32-nm "$object" | sed -n 's/^[0-9a-f]* T \(_Varnel_\)/\1/p' | sort)
[ "$decorated" = "$stdcall" ] || fail "the 32-bit exports are not stdcall:"$'\n'"$decorated"
echo "32-bit exports are stdcall: $(echo $decorated)"

# The peer binds the exports by name, as LoadLibrary/GetProcAddress callers do.
peer() { # arch folder
	"$1-w64-mingw32-gcc-posix" -O2 -Wall -Wextra -o "$2/bin/windows_peer_client.exe" \
		tests/device/windows_peer_client.c -static
}

wine_prefix=$(mktemp -d)
trap 'wineserver_stop; rm -rf "$wine_prefix"' EXIT
wineserver_stop() {
	WINEPREFIX="$wine_prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
}

# No display, no questions: a prefix of its own, without Mono and Gecko.
wine_run() { # wine-loader program...
	env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX="$wine_prefix" WINEDEBUG=-all \
		WINEDLLOVERRIDES="mscoree,mshtml=" "$@"
}

run_peer() { # wine-loader folder
	echo "$2/bin/windows_peer_client.exe under $1:"
	# Unit 0 reads a constant 100 microstrain, unit 1 is there, units 2 and 3 are not.
	(cd "$2/bin" && VARNELIO_EMULATOR="id=0,signal=const:100;id=1,kind=1" \
		wine_run "$1" windows_peer_client.exe) || fail "the peer program failed against $2/bin/VARNELIO.dll"
}

# The prefix is made once, quietly (Wine reports its first set-up on stderr).
wine_run /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true

peer x86_64 build-win64
run_peer /usr/lib/wine/wine64 build-win64
if [ -x /usr/lib/wine/wine ]; then
	peer i686 build-win32
	run_peer /usr/lib/wine/wine build-win32
else
	echo "no 32-bit Wine (Debian wine32) here: the 32-bit VARNELIO.dll was checked, not run"
fi
