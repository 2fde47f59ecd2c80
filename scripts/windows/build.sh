#!/usr/bin/env bash
# Builds Flexara for 64-bit Windows on Debian 12 from Debian's own packages:
#
#   bash scripts/windows/build.sh [--sources DIR]
#
# 1. installs what is missing (MinGW-w64, NSIS, Wine, the host's Qt 6 tools);
# 2. fetches qt6-base, libjpeg-turbo and googletest with apt-get source through
#    a source list of its own (the system's apt configuration stays as it is);
#    Qt SVG and Qt Charts 6.4.2 come from DIR (default ../shared/windows-sources
#    beside the repository; elsewhere Qt's "everywhere-src" 6.4.2 archives);
# 3. cross-builds them once into FLEXARA_WINDOWS_CACHE (~/.cache/flexara-windows);
# 4. builds flexara.exe, flexara-cli.exe and the tests (same CMake targets);
# 5. packs build/windows/flexara-<version>-win64.zip and -setup.exe (NSIS).
# scripts/windows/test.sh tests them under Wine.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
sources=$root/../shared/windows-sources
while [ $# -gt 0 ]; do
  case $1 in
    --sources) sources=$2; shift 2 ;;
    --sources=*) sources=${1#--sources=}; shift ;;
    -h | --help) sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "build.sh: unknown argument $1 (try --help)" >&2; exit 2 ;;
  esac
done

cache=${FLEXARA_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/flexara-windows}
prefix=$cache/prefix
export FLEXARA_WINDOWS_PREFIX=$prefix
toolchain=$root/scripts/windows/mingw-w64-x86_64.cmake
jobs=${FLEXARA_JOBS:-$(nproc)}
out=$root/build/windows
mkdir -p "$cache/src" "$cache/build" "$cache/stamps" "$prefix" "$out"

started=$(date +%s)
step() { printf '\n== %s (%ss)\n' "$*" "$(($(date +%s) - started))"; }

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# --- 1. Debian packages --------------------------------------------------------
install_packages() {
  step "Debian packages"
  # The host's Qt 6.4.2 (moc, rcc, uic and its CMake files) serves the
  # cross-build as its host tools; the Linux build's own list brings it.
  bash "$root/scripts/install-deps.sh"
  local packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
    cmake ninja-build dpkg-dev xz-utils zip
    nsis
    # The test script: Wine's 64-bit loader under Xvfb, a screenshot and the
    # programs' font.
    wine wine64 xvfb xauth x11-apps imagemagick xdotool fonts-liberation2
  )
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -q
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

# --- 2. Sources ----------------------------------------------------------------
# apt-get with a source list, package lists and caches of its own under the
# cache folder: nothing of the system's apt configuration changes.
private_apt() {
  local dir=$cache/apt
  apt-get \
    -o Dir::Etc::sourcelist="$dir/sources.list" \
    -o Dir::Etc::sourceparts="$dir/sources.list.d" \
    -o Dir::State::Lists="$dir/lists" \
    -o Dir::Cache="$dir/cache" \
    -o Dir::Cache::pkgcache="" -o Dir::Cache::srcpkgcache="" \
    -o APT::Sandbox::User=root \
    "$@"
}

fetch_debian_sources() {
  local dir=$cache/apt
  mkdir -p "$dir/sources.list.d" "$dir/lists/partial" "$dir/cache/archives/partial"
  cat >"$dir/sources.list" <<'LIST'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-updates main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security bookworm-security main
LIST
  local need=() pkg
  for pkg in qt6-base libjpeg-turbo googletest; do
    [ -e "$cache/src/$pkg.dir" ] || need+=("$pkg")
  done
  [ "${#need[@]}" -gt 0 ] || return 0
  step "apt-get source ${need[*]}"
  private_apt update -q
  for pkg in "${need[@]}"; do
    local work=$cache/src/$pkg.fetch
    rm -rf "$work" && mkdir -p "$work"
    (cd "$work" && private_apt source -q "$pkg")
    local tree
    tree=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n1)
    [ -n "$tree" ] || { echo "build.sh: apt-get source $pkg left no folder" >&2; exit 1; }
    echo "$tree" >"$cache/src/$pkg.dir"
  done
}

# Qt SVG and Qt Charts: tarballs checked against their SHA256SUMS.
unpack_qt_module() {
  local name=$1 tarball=$sources/$1-everywhere-src-6.4.2.tar.xz
  local tree=$cache/src/$name-6.4.2
  [ -d "$tree" ] && return 0
  [ -f "$tarball" ] || {
    echo "build.sh: $tarball is missing; give the folder of the 6.4.2 sources of qtsvg and qtcharts" \
      "with --sources DIR (Qt's \"everywhere-src\" 6.4.2 archives)" >&2
    exit 1
  }
  if [ -f "$sources/SHA256SUMS" ]; then
    (cd "$sources" && grep " $(basename "$tarball")\$" SHA256SUMS | sha256sum -c --quiet -)
  fi
  rm -rf "$tree.part" && mkdir -p "$tree.part"
  tar -xf "$tarball" -C "$tree.part" --strip-components=1
  mv "$tree.part" "$tree"
}

# --- 3. The libraries, into the cache ------------------------------------------
# Each is configured, built and installed into $prefix once; its stamp names
# the source folder and a digest of the recipe (the function and the
# toolchain file), so that a changed recipe builds it again.
cmake_library() {
  local name=$1 src=$2 configure=$3
  shift 3
  local key
  key=$( { echo "$src"; declare -f "$configure"; printf '%s\n' "$@"; cat "$toolchain"; } | sha256sum | cut -c1-16)
  local stamp=$cache/stamps/$name-$key
  [ -e "$stamp" ] && { echo "$name: built before ($stamp)"; return 0; }
  step "$name: configure, build and install into $prefix"
  local t0 bdir=$cache/build/$name
  t0=$(date +%s)
  # Goes on after an interruption; another recipe starts anew.
  [ "$(cat "$bdir/.recipe" 2>/dev/null)" = "$key" ] || rm -rf "$bdir"
  mkdir -p "$bdir" && echo "$key" >"$bdir/.recipe"
  "$configure" "$src" "$bdir" "$@"
  cmake --build "$bdir" -j "$jobs"
  cmake --install "$bdir" --strip
  rm -f "$cache/stamps/$name-"*
  echo "$(($(date +%s) - t0)) s" >"$stamp"
}

configure_plain() {
  local src=$1 bdir=$2
  shift 2
  cmake -G Ninja -S "$src" -B "$bdir" -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
}

configure_qtbase() {
  local src=$1 bdir=$2
  shift 2
  # Debian's qtbase has no wintab.h, so no tablet events; without OpenGL the
  # window code must not reach for the dynamic OpenGL loader either.
  sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(opengl) \&\& QT_CONFIG(dynamicgl)/' \
    "$src/src/plugins/platforms/windows/qwindowswindow.cpp"
  cmake -G Ninja -S "$src" -B "$bdir" -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_concurrent=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_system_jpeg=ON \
    "$@"
}

configure_qt_module() {
  local src=$1 bdir=$2
  shift 2
  "$prefix/bin/qt-cmake" -G Ninja -S "$src" -B "$bdir" -Wno-dev \
    -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF "$@"
}

install_packages
fetch_debian_sources
unpack_qt_module qtsvg
unpack_qt_module qtcharts

cmake_library libjpeg-turbo "$(cat "$cache/src/libjpeg-turbo.dir")" configure_plain \
  -DENABLE_SHARED=ON -DENABLE_STATIC=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
cmake_library googletest "$(cat "$cache/src/googletest.dir")" configure_plain \
  -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -DBUILD_SHARED_LIBS=OFF
cmake_library qtbase "$(cat "$cache/src/qt6-base.dir")" configure_qtbase
cmake_library qtsvg "$cache/src/qtsvg-6.4.2" configure_qt_module
cmake_library qtcharts "$cache/src/qtcharts-6.4.2" configure_qt_module
# The batch tool's header-only libraries (nlohmann-json, CLI11) come from
# Debian's packages, copied with their CMake files into the prefix: the
# cross-build finds them there and never sees the host's /usr/include.
header_only() {
  local headers=$1 config=$2
  rm -rf "$prefix/include/$headers" "$prefix/share/cmake/$config"
  mkdir -p "$prefix/include" "$prefix/share/cmake"
  cp -r "/usr/include/$headers" "$prefix/include/"
  cp -r "/usr/share/cmake/$config" "$prefix/share/cmake/"
}
header_only nlohmann nlohmann_json
header_only CLI CLI11
step "libraries ready: $(du -sh "$cache" | cut -f1) in $cache"

# --- 4. Flexara ------------------------------------------------------------------
version=$(sed -n 's/^project(Flexara VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
step "Flexara $version: configure and build in $out/cmake"
cmake -G Ninja -S "$root" -B "$out/cmake" -Wno-dev \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DFLEXARA_BUILD_TESTS=ON -DFLEXARA_BUILD_BENCH=OFF
cmake --build "$out/cmake" -j "$jobs"

# --- 5. The zip and the installer ----------------------------------------------
# Where the DLLs come from: the libraries built above and the compiler's
# runtime (libstdc++, libgcc, winpthreads).
dll_dirs=("$prefix/bin" "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
  /usr/x86_64-w64-mingw32/lib)
find_dll() {
  local d
  for d in "${dll_dirs[@]}"; do
    [ -f "$d/$1" ] && { echo "$d/$1"; return 0; }
  done
  return 1 # one of Windows' own
}
# Copies the DLLs a program or plugin imports into the folder, and theirs.
copy_imports() {
  local binary=$1 folder=$2 name path
  for name in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
    [ -e "$folder/$name" ] && continue
    path=$(find_dll "$name") || continue
    cp "$path" "$folder/$name"
    copy_imports "$path" "$folder"
  done
}

step "zip and installer"
name=flexara-$version
stage=$out/stage/$name
rm -rf "$out/stage" && mkdir -p "$stage/platforms" "$stage/imageformats" "$stage/translations"
cp "$out/cmake/app/flexara.exe" "$out/cmake/cli/flexara-cli.exe" "$stage/"
# The window's platform, and the offscreen one on which flexara-cli draws its
# charts and reports; the image formats of the libraries built here.
cp "$prefix/plugins/platforms/qwindows.dll" "$prefix/plugins/platforms/qoffscreen.dll" "$stage/platforms/"
cp "$prefix/plugins/imageformats/qjpeg.dll" "$prefix/plugins/imageformats/qsvg.dll" "$stage/imageformats/"
for binary in "$stage"/*.exe "$stage"/platforms/*.dll "$stage"/imageformats/*.dll; do
  copy_imports "$binary" "$stage"
done
x86_64-w64-mingw32-strip "$stage"/*.exe
# Qt's own dialogs in Brazilian Portuguese; qt.conf tells Qt its plugins and
# translations are beside the programs.
cp /usr/share/qt6/translations/qtbase_pt_BR.qm "$stage/translations/"
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$stage/qt.conf"

zip=$out/$name-win64.zip
rm -f "$zip"
(cd "$out/stage" && zip -qrX "$zip" "$name")

# The uninstaller removes exactly the files of the stage, folders last.
files=$out/stage/files.nsh
{
  (cd "$stage" && find . -type f | sort) | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
} >"$files"
setup=$out/$name-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DFILES="$files" -DLICENSE="$root/LICENSE" \
  -DICON="$root/packaging/windows/flexara.ico" -DOUTFILE="$setup" "$root/packaging/windows/flexara.nsi"

step "done"
echo "$zip ($(du -h "$zip" | cut -f1))"
echo "$setup ($(du -h "$setup" | cut -f1))"
echo "cache $cache: $(du -sh "$cache" | cut -f1); build/windows: $(du -sh "$out" | cut -f1)"
