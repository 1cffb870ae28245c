#!/usr/bin/env bash
# Installs what building, running and testing need, from Debian's packages, when missing.
set -euo pipefail

packages=(build-essential cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev
          xvfb xauth clang libclang-rt-14-dev llvm-14 clang-format ngircd openssl
          libqt6svg6 dpkg-dev file inspircd atheme-services qt6-svg-dev)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi
