#!/usr/bin/env bash
# Installs what building and testing Ostrel needs on Debian 12 (run as root).
# Does nothing when everything is already there.
set -euo pipefail

packages=(
  g++ cmake make git
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-l10n-tools fonts-ipafont-gothic
  xvfb xauth
  libcli11-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
