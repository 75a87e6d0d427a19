#!/usr/bin/env bash
# Installs the Debian 12 packages that the build needs, where they are missing.
# Runs apt-get as root directly, otherwise through sudo. Run on its own, it installs
# everything; the scripts ask for what their builds need.
set -euo pipefail

# The programs and their tests; desktop-file-utils and appstream check the installed
# menu entry and metainfo, dpkg-dev and file let cpack find the Debian package's
# dependencies.
trackdeck_packages=(cmake g++ ninja-build pkg-config libgtest-dev libgmock-dev libasound2-dev
    qt6-base-dev libtag1-dev fonts-dejavu-core desktop-file-utils appstream dpkg-dev file)
# What the full test matrix adds: the benchmarks, and clang with its sanitizer
# runtimes for the fuzz targets.
trackdeck_matrix_packages=(libbenchmark-dev clang libclang-rt-14-dev)

# install_missing_packages [EXTRA_PACKAGE...]
install_missing_packages() {
    local missing=()
    local package
    for package in "${trackdeck_packages[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        echo "All build packages are installed."
        return 0
    fi
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        as_root=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    install_missing_packages "${trackdeck_matrix_packages[@]}"
fi
