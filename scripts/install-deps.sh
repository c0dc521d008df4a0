#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Packages already present are left alone; run as root (or through sudo).
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config libgtest-dev libbenchmark-dev
          libpng-dev zlib1g-dev libjpeg62-turbo-dev libgif-dev libfreetype-dev
          fonts-dejavu-core clang libclang-rt-dev sox)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
