#!/usr/bin/env bash
# Installs the Debian 12 packages Kelvra builds and tests with, when missing.
set -euo pipefail

packages=(
	build-essential cmake pkg-config clang-format git
	qt6-base-dev qt6-translations-l10n qt6-l10n-tools libgl-dev
	libqcustomplot-dev libqcustomplot2.1-qt6
	libusb-1.0-0-dev
	libgtest-dev libgmock-dev libbenchmark-dev
	libhdf5-dev python3-h5py hdf5-tools
	umockdev libumockdev-dev
	fonts-ipafont-mincho fonts-ipafont-gothic fonts-noto-cjk xvfb xauth poppler-utils
	dpkg-dev file lintian appstream desktop-file-utils shared-mime-info
	g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64
	clang-14 libclang-rt-14-dev
	libfftw3-dev qt6-httpserver-dev qt6-websockets-dev
	python3-scipy python3-xarray python3-h5netcdf python3-numpy
	chromium chromium-driver python3-selenium
)

missing=()
for package in "${packages[@]}"; do
	if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
		missing+=("$package")
	fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
	sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
