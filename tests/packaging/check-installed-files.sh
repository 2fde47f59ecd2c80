#!/usr/bin/env bash
# The installed program as a desktop reads it: the build is staged with
# "cmake --install" into a temporary prefix, and what a distribution checks is
# checked there: the desktop entry, the AppStream metainfo and the MIME type by
# their validators, the icon at every size, the manual pages, the Debian
# copyright and changelog, and the installed programs answering on their own.
#   check-installed-files.sh BUILD_DIR SOURCE_DIR VERSION
set -uo pipefail
build=$1 source=$2 version=$3

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
prefix=$stage/usr
share=$prefix/share
app=org.flexara.Flexara
checks=0 failures=0

pass() { checks=$((checks + 1)); echo "ok: $*"; }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); echo "FAILED: $*"; }
check() { # check DESCRIPTION COMMAND...: passes when the command succeeds
  local what=$1; shift
  local output
  if output=$("$@" 2>&1); then pass "$what"; else fail "$what"; printf '%s\n' "$output" | sed 's/^/    /'; fi
}
# The value of KEY in the [Desktop Entry] group.
desktop_key() { sed -n "/^\[Desktop Entry\]/,/^\[/{s/^$1=//p}" "$share/applications/$app.desktop"; }
# WIDTHxHEIGHT from the IHDR chunk of a PNG file, or nothing for another file.
png_size() {
  [ "$(od -An -tx1 -N8 "$1" | tr -d ' \n')" = 89504e470d0a1a0a ] || return 0
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }'
}

if ! cmake --install "$build" --prefix "$prefix" >"$stage/install.log" 2>&1; then
  cat "$stage/install.log"
  echo "FAILED: cmake --install $build"
  exit 1
fi
pass "cmake --install into a staging prefix"

# ---- The files in their places ----
for program in flexara flexara-cli; do
  check "bin/$program is an executable" test -f "$prefix/bin/$program" -a -x "$prefix/bin/$program"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x${size}/apps/$app.png
  actual=$( [ -f "$icon" ] && png_size "$icon")
  check "the ${size} px icon is a ${size}x${size} PNG" test "$actual" = "${size}x${size}"
done
check "the scalable icon is well-formed SVG" xmllint --noout "$share/icons/hicolor/scalable/apps/$app.svg"
for page in flexara flexara-cli; do
  man_page=$share/man/man1/$page.1.gz
  check "man page $page(1) is gzip-compressed" gzip -t "$man_page"
  check "man page $page(1) names version $version" sh -c "zcat '$man_page' | grep -q '^\.TH .*\"Flexara $version\"'"
  # man(1) reports what groff objects to; nothing is the answer wanted.
  check "man page $page(1) formats without a warning" sh -c \
    "out=\$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z '$man_page' 2>&1 >/dev/null); [ -z \"\$out\" ] || { echo \"\$out\"; false; }"
done
doc=$share/doc/flexara
check "the copyright file is machine-readable (DEP-5) under GPL-3+" sh -c \
  "head -1 '$doc/copyright' | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' && grep -qx 'License: GPL-3+' '$doc/copyright'"
check "the changelog's last entry is version $version" sh -c "zcat '$doc/changelog.gz' | head -1 | grep -q '^flexara ($version) '"

# ---- The desktop entry ----
desktop=$share/applications/$app.desktop
check "desktop-file-validate $app.desktop" desktop-file-validate "$desktop"
check "the entry starts flexara with the file given" test "$(desktop_key Exec)" = "flexara %f"
check "the entry's program is installed" test -x "$prefix/bin/$(desktop_key Exec | cut -d' ' -f1)"
check "the entry's icon is installed under its name" test -f "$share/icons/hicolor/48x48/apps/$(desktop_key Icon).png"
check "the entry opens application/x-flexara" test "$(desktop_key MimeType)" = "application/x-flexara;"
check "the entry is in Education, Science and Engineering" test "$(desktop_key Categories)" = "Education;Science;Engineering;"
for key in Name GenericName Comment; do
  check "the entry has $key in English and Portuguese" sh -c \
    "grep -q '^$key=.' '$desktop' && grep -q '^$key\[pt_BR\]=.' '$desktop'"
done

# ---- The AppStream metainfo ----
metainfo=$share/metainfo/$app.metainfo.xml
check "appstreamcli validate --no-net --strict $app.metainfo.xml" appstreamcli validate --no-net --strict --pedantic "$metainfo"
xpath() { xmllint --xpath "string($1)" "$metainfo"; }
check "the metainfo launches the installed desktop entry" test -f "$share/applications/$(xpath '/component/launchable[@type="desktop-id"]')"
check "the metainfo's licence is GPL-3.0-or-later" test "$(xpath /component/project_license)" = "GPL-3.0-or-later"
check "the metainfo's newest release is $version" test "$(xpath '/component/releases/release[1]/@version')" = "$version"
check "the metainfo's screenshots are images of docs/" sh -c \
  "for name in \$(xmllint --xpath '//screenshot/image/text()' '$metainfo' | sed 's|.*/||'); do test -f '$source/docs/'\$name || exit 1; done"

# ---- The MIME type ----
mime=$share/mime/packages/$app.xml
check "xmllint: the MIME package is well-formed" xmllint --noout "$mime"
# update-mime-database reports a bad element but still exits 0: its output
# must be empty, and the database it builds must map *.fxr to our type.
database=$stage/mime-database
mkdir -p "$database/packages" && cp "$mime" "$database/packages/"
check "update-mime-database takes the MIME package without a complaint" sh -c \
  "out=\$(XDG_DATA_DIRS='$stage' update-mime-database '$database' 2>&1); [ -z \"\$out\" ] || { echo \"\$out\"; false; }"
check "*.fxr is application/x-flexara, a kind of text" sh -c \
  "grep -qx '50:application/x-flexara:\*.fxr' '$database/globs2' && grep -qx 'application/x-flexara text/plain' '$database/subclasses'"
check "the type is named Projeto do Flexara in Portuguese" \
  grep -q '<comment xml:lang="pt_BR">Projeto do Flexara</comment>' "$mime"
check "the type's icon is the program's" grep -qx "application/x-flexara:$app" "$database/icons"

# ---- The installed programs ----
# Help and version need no display: neither DISPLAY nor a Qt platform here.
check "flexara --version prints Flexara $version without a display" sh -c \
  "test \"\$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '$prefix/bin/flexara' --version)\" = 'Flexara $version'"
check "flexara --help prints the usage without a display" sh -c \
  "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '$prefix/bin/flexara' --help | head -1 | grep -q '^Uso: flexara'"
refused() { # refused ARGS...: status 2, the message on standard error only
  local out err status
  out=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/flexara" "$@" 2>"$stage/err")
  status=$?
  err=$(grep -v '^QStandardPaths:' "$stage/err")
  [ "$status" -eq 2 ] && [ -z "$out" ] && [[ $err == "flexara: "* ]] || { echo "status $status, out '$out', err '$err'"; false; }
}
check "flexara --cor is refused with status 2" refused --cor
check "flexara with two files is refused with status 2" refused a.fxr b.fxr
check "flexara-cli reads a project file" sh -c \
  "'$prefix/bin/flexara-cli' curve '$source/examples/pilar-20x40.fxr' --format csv | head -1 | grep -qx 'Mx;My'"

echo "installed files: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
