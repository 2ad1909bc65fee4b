#!/usr/bin/env bash
# Installs what building and testing the suite needs on Debian 12, when it is missing.
#   scripts/install-deps.sh [PACKAGE...]   also these, which only the calling script needs
set -euo pipefail

packages=(cmake g++ ninja-build pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev libasound2-dev libxcb1-dev
          scdoc bash-completion libsystemd-dev desktop-file-utils shared-mime-info
          fonts-ipafont-gothic fonts-liberation2 fonts-dejavu-core poppler-utils xvfb xauth
          fonts-dejavu-extra qt6-translations-l10n fonts-ipafont-mincho xdg-utils "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
