#!/usr/bin/env bash
# Builds the Debian package: installs what is missing (lintian too), builds the
# release configuration, makes build/flexara_<version>_<arch>.deb with CPack
# from the install rules and checks it with lintian, which must find no error.
# Install it with:  sudo apt install ./build/flexara_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
if ! dpkg-query -W -f='${Status}' lintian 2>/dev/null | grep -q 'install ok installed'; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends lintian
fi

cmake --preset release
cmake --build --preset release -j "$(nproc)"
rm -f build/release/flexara_*.deb
(cd build/release && cpack -G DEB)
deb=$(ls build/release/flexara_*.deb)
mv -f "$deb" build/
deb=build/$(basename "$deb")

lintian --fail-on error --display-info "$deb"
echo "$deb: built, lintian found no error"
