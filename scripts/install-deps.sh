#!/usr/bin/env bash
# Installs, from Debian's packages, everything Flexara needs to build, test and run.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libqt6svg6
  libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # The batch tool's JSON and command line.
  nlohmann-json3-dev libcli11-dev
  fonts-liberation2 fonts-dejavu-core
  # The report prints names in any script (CJK included) with the Noto fonts.
  fonts-noto-core fonts-noto-cjk
  # Qt's own dialogs and buttons in Brazilian Portuguese (qtbase_pt_BR.qm).
  qt6-translations-l10n
  # The report's SVG chart, and the text and pages of its PDF in the tests.
  qt6-svg-dev poppler-utils
  xvfb xauth
  # What a screen reader reads, checked on the accessibility bus.
  dbus at-spi2-core python3-pyatspi
  # The checks of the installed files (desktop entry, metainfo, MIME type, man
  # pages), the package's shared-library dependencies and the icon's PNGs.
  desktop-file-utils appstream libxml2-utils shared-mime-info man-db dpkg-dev librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
