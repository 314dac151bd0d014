#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the tools need.
# Idempotent: packages already installed are skipped, and the package lists are
# refreshed only when something has to be installed.
set -euo pipefail

packages=(
    # toolchain
    cmake g++ make ccache pkg-config
    # the framework (JUCE 7.0.5 modules, its CMake package and juceaide) and what it links
    juce-modules-source juce-tools
    libasound2-dev libfreetype-dev libfontconfig1-dev libpng-dev libjpeg-dev zlib1g-dev
    libx11-dev libxcomposite-dev libxcursor-dev libxext-dev libxinerama-dev libxrandr-dev libxrender-dev
    # tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev
    # hosts the built plug-in is checked in
    liblilv-dev lilv-utils lv2-dev xvfb xauth
    # the artwork generator
    python3 python3-numpy python3-pil fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all ${#packages[@]} packages are installed"
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
