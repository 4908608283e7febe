#!/usr/bin/env bash
# Installs the Debian 12 packages Tunvia needs to build, run and test.
# Skips apt entirely when everything is already present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev libqt6svg6 qt6-translations-l10n
    libgl-dev libxkbcommon-dev libx11-dev libfontconfig-dev
    libmpv-dev
    fonts-dejavu-core fonts-arphic-gbsn00lp fonts-arphic-uming fonts-wqy-zenhei
)
if [[ "${1:-}" == "--tests" ]]; then
    packages+=(ffmpeg xvfb xauth xdotool x11-utils openbox python3 imagemagick clang-format git
        dbus-daemon desktop-file-utils appstream locales)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
((${#missing[@]} == 0)) && exit 0

SUDO=""
[[ $(id -u) -ne 0 ]] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
