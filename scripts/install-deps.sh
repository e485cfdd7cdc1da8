#!/usr/bin/env bash
# Installs, from Debian packages only, what the build and the tests need and is not there yet.
# Quiet when everything is installed; safe to run any number of times.
set -euo pipefail

packages=(
    g++ cmake ninja-build make pkg-config
    qt6-base-dev qt6-multimedia-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth x11-apps netpbm sox ffmpeg python3 time
    libsndfile1-dev libsoxr-dev nlohmann-json3-dev pulseaudio pulseaudio-utils fusefat fuse3 mtools
    dosfstools dpkg-dev file man-db lintian desktop-file-utils shared-mime-info libglib2.0-bin appstream
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
