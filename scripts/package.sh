#!/usr/bin/env bash
# Builds the Debian package: installs what is missing (lintian too), builds the
# release configuration with Debian's hardening flags, makes build/flexara_<version>_<arch>.deb with CPack
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

# The package's programs are built with Debian's hardening flags (fortify,
# stack protector, relro, bindnow; the compiler makes PIE by default), in a
# folder of their own so that the benchmarks of build/release keep their
# flags. The optimisation level and the floating-point rules stay the
# project's own.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cxxflags=${cxxflags//-O2/}
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake --preset release -B build/package -DFLEXARA_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags"
cmake --build build/package -j "$(nproc)"
rm -f build/package/flexara_*.deb
(cd build/package && cpack -G DEB)
deb=$(ls build/package/flexara_*.deb)
mv -f "$deb" build/
deb=build/$(basename "$deb")

lintian --fail-on error --display-info "$deb"
echo "$deb: built, lintian found no error"
