#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need; skips the work when all are present.
# clang with its runtime libraries builds the fuzz targets (libFuzzer); clang-format is the format check.
# Qt's Chinese translations serve its file dialogs; the desktop and AppStream validators and groff check
# what is installed; dpkg-dev and file let CPack find the .deb's dependencies.
# The Windows build: mingw-w64 (POSIX threads) cross-compiles, googletest's sources are built with it, and
# Wine (64-bit only: no i386 architecture needed) runs the programs and tests headless.
set -euo pipefail

PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libcli11-dev nlohmann-json3-dev libdtl-dev
    fonts-wqy-microhei
    xvfb xdotool xclip imagemagick x11-utils
    ccache clang-format
    clang libclang-rt-14-dev
    desktop-file-utils appstream groff-base dpkg-dev file
    g++-mingw-w64-x86-64-posix wine wine64 fonts-arphic-uming
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
