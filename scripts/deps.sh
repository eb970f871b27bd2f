#!/usr/bin/env bash
# Installs the Debian packages the build, the demo and the tests need (only those missing).
set -euo pipefail
packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libqt6sql6-mysql libgl-dev
    libzint-dev
    mariadb-server-core mariadb-client-core
    xvfb xauth poppler-utils zbar-tools
    fonts-dejavu-core fonts-liberation2
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Instaluji balíčky: ${missing[*]}"
SUDO=""
[ "$(id -u)" != 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
