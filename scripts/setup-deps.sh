#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, only when one is missing,
# so a second run costs a dpkg query and nothing else. `--list` prints the packages, one a line:
# scripts/check-build-packages.sh reads them from here.
set -euo pipefail

packages=(
    cmake ninja-build g++ ccache pkg-config clang-format git
    qt6-base-dev libqt6opengl6-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-svg-dev
    libgl-dev libxkbcommon-dev
    libjsoncpp-dev libcurl4-openssl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth dbus dbus-x11 fonts-dejavu-core
)

if [ "${1:-}" = "--list" ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
