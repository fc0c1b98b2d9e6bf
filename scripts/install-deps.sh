#!/usr/bin/env bash
# Installs the Debian 12 packages Kanvo needs to build, run and test; only those missing.
# Usage: scripts/install-deps.sh [run|test]   (test adds the test, fuzzing and checking tools)
set -euo pipefail
mode=${1:-run}
packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev
          fonts-dejavu-core fonts-liberation fonts-urw-base35)
if [ "$mode" = test ]; then
  packages+=(libbenchmark-dev clang python3 python3-xlrd)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
