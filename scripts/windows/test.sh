#!/usr/bin/env bash
# Tests the Windows build of scripts/windows/build.sh under Wine (64-bit) and
# Xvfb, in a Wine prefix of its own (build/windows/wine, made afresh):
#
#   bash scripts/windows/test.sh
#
# 1. the cross-built test program (engine, project files, batch tool) passes;
# 2. flexara-cli.exe curve, check and rewrite give, on every example, the bytes
#    and the exit status of the Linux build's flexara-cli;
# 3. a case under C:\Usuários\José\Projetos\pilar 1.fxr opens and saves through
#    the batch tool and, opened through the .fxr association, in the window;
# 4. the installer installs silently (/S): files, Start-menu entry, .fxr
#    association; flexara.exe examples\pilar-20x40.fxr shows the window
#    "Flexara 1.0" with the case, "Gerar gráfico" draws the curve, and a
#    screenshot goes to docs/screenshot-windows.png;
# 5. the uninstaller leaves nothing of it behind.
#
# Not part of .ci/run: the first build of Qt takes some 40 minutes.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
out=$root/build/windows
version=$(sed -n 's/^project(Flexara VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage=$out/stage/flexara-$version
setup=$out/flexara-$version-setup.exe
for f in "$stage/flexara-cli.exe" "$out/cmake/tests/flexara_core_tests.exe" "$setup"; do
  [ -e "$f" ] || { echo "test.sh: $f is missing; run bash scripts/windows/build.sh first" >&2; exit 1; }
done

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "ok: $*"; }
fail() { failed=$((failed + 1)); echo "FAILED: $*"; }

# The Linux batch tool the Windows one is compared with.
bash scripts/install-deps.sh
# Wine's own fonts (MS Sans Serif, Tahoma, Marlett for the title bars'
# buttons: without them a fresh prefix has only what fontconfig lends it) and
# xwininfo, which tells where a window is; xclip, to paste a name with accents.
missing=()
for p in fonts-wine x11-utils xclip; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
cmake --preset release >/dev/null
cmake --build --preset release --target flexara-cli
linux_cli=$root/build/release/cli/flexara-cli

# --- Wine and a virtual display --------------------------------------------------
export WINEPREFIX=$out/wine
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko: the programs need neither, and the prefix is made offline.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine reads file names and arguments from Linux as UTF-8.
export LC_ALL=C.UTF-8
rm -rf "$WINEPREFIX"

display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=:$display
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.2; done

wineboot --init >/dev/null 2>&1
wineserver -w
drive_c=$WINEPREFIX/drive_c

# The fonts a Windows installation has in C:\Windows\Fonts: Wine's own (MS Sans
# Serif, Tahoma, Marlett for the title bars' buttons), which this Wine does not
# find in its data folder by itself, and the window's Microsoft Sans Serif and
# the charts' Arial as Liberation Sans, their twin in metrics (Wine has
# neither). Without them every family falls back to one font and the fields
# are drawn without their text.
cp /usr/share/wine/fonts/* "$drive_c/windows/Fonts/"
for family in Arial 'Microsoft Sans Serif'; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$family" /d 'Liberation Sans' /f >/dev/null
done

# --- 1. The test program ----------------------------------------------------------
# Its DLLs, and the offscreen platform the reports are drawn on, from the stage.
# Wine keeps the QT_ variables of Linux from Windows programs: the plugin
# folder goes into the prefix's environment instead, until the installed
# program runs with its own.
export WINEPATH="$stage"
wine reg add 'HKCU\Environment' /v QT_PLUGIN_PATH /d "$(winepath -w "$stage")" /f >/dev/null
wineserver -w
# A test that hangs under Wine fails the step after 20 minutes instead of
# holding the script.
if timeout 1200 wine "$out/cmake/tests/flexara_core_tests.exe" --gtest_brief=1 >"$out/core-tests.log" 2>&1; then
  pass "flexara_core_tests.exe: $(grep -o '[0-9]* tests\? from [0-9]* test suites\? ran' "$out/core-tests.log" | head -n1)"
else
  fail "flexara_core_tests.exe (see $out/core-tests.log)"
  tail -n 40 "$out/core-tests.log"
fi

# --- 2. The batch tool, byte for byte ---------------------------------------------
compare_outputs() {
  local what=$1
  shift
  local linux_out linux_status=0 windows_out windows_status=0
  linux_out=$(mktemp) windows_out=$(mktemp)
  "$linux_cli" "$@" >"$linux_out" 2>/dev/null || linux_status=$?
  wine "$stage/flexara-cli.exe" "$@" >"$windows_out" 2>/dev/null || windows_status=$?
  if [ "$linux_status" = "$windows_status" ] && cmp -s "$linux_out" "$windows_out" && [ -s "$linux_out" ]; then
    pass "$what: $(wc -c <"$linux_out") bytes, status $linux_status"
  else
    fail "$what: status $linux_status on Linux, $windows_status on Windows"
    diff <(head -c 2000 "$linux_out") <(head -c 2000 "$windows_out") | head -n 10 || true
  fi
  rm -f "$linux_out" "$windows_out"
}
# Loads for the examples that have none of their own (tension, compression,
# one beyond the curve), by a path both programs read from the same folder.
loads=build/windows/loads.csv
printf 'nome;nd;mxd;myd\nELU 1;-500;60;20\nELU 2;-1200;80;10\nELU 3;150;5;2\nELU 4;-300;400;300\n' >"$loads"
for example in examples/*.fxr; do
  compare_outputs "curve $example" curve "$example"
  compare_outputs "curve $example (CSV)" curve "$example" --format csv
  compare_outputs "check $example" check "$example" --loads "$loads"
  compare_outputs "rewrite $example" rewrite "$example" -o -
done
compare_outputs "check examples/pilar-20x40-combinacoes.fxr (its own rows)" check examples/pilar-20x40-combinacoes.fxr

# --- 3. A name with accents, through the batch tool -----------------------------
projects=$drive_c/Usuários/José/Projetos
mkdir -p "$projects"
cp examples/pilar-20x40.fxr "$projects/pilar 1.fxr"
case_path='C:\Usuários\José\Projetos\pilar 1.fxr'
expected=$(mktemp)
"$linux_cli" rewrite examples/pilar-20x40.fxr -o "$expected"
if wine "$stage/flexara-cli.exe" rewrite "$case_path" -o 'C:\Usuários\José\Projetos\pilar 2.fxr' &&
  cmp -s "$expected" "$projects/pilar 2.fxr"; then
  pass "flexara-cli.exe rewrite $case_path"
else
  fail "flexara-cli.exe rewrite $case_path"
fi

# --- 4. The installer and the window ---------------------------------------------
wine "$setup" /S
wineserver -w
installed="$drive_c/Program Files/Flexara"
start_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Flexara.lnk"
association=$(wine reg query 'HKLM\Software\Classes\.fxr' /ve 2>/dev/null | tr -d '\r' || true)
command=$(wine reg query 'HKLM\Software\Classes\Flexara.Projeto\shell\open\command' /ve 2>/dev/null | tr -d '\r' || true)
if [ -x "$installed/flexara.exe" ] && [ -f "$installed/platforms/qwindows.dll" ] && [ -f "$start_menu" ] &&
  [[ $association == *Flexara.Projeto* ]] && [[ $command == *flexara.exe* ]]; then
  pass "silent install: $(find "$installed" -type f | wc -l) files, Start-menu entry, .fxr opens with Flexara"
else
  fail "silent install (files, $start_menu, .fxr: $association)"
fi

# The programs run on a Wine desktop, which draws their title bars as Windows
# does (no window manager runs on the virtual display).
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null

# The X window of a program's window once it shows the title.
wait_for_window() {
  local id=""
  for _ in $(seq 120); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && break
    sleep 0.5
  done
  echo "$id"
}
# Where the main window is on the screen, with its frame (wx wy ww wh), and
# where its client area starts (client_x client_y): the client area is the
# menu bar, 802 x 514 of fields and chart, and the status bar.
locate_main_window() {
  read -r wx wy ww wh < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
    /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}')
  local border=$(((ww - 802) / 2))
  client_x=$((wx + border))
  client_y=$((wy + wh - border - 552))
}
menu_bar=19

unset WINEPATH
wine reg delete 'HKCU\Environment' /v QT_PLUGIN_PATH /f >/dev/null
wineserver -k || true
wine "$installed/flexara.exe" 'examples\pilar-20x40.fxr' >/dev/null 2>&1 &
window=$(wait_for_window "Flexara $version")
if [ -n "$window" ]; then
  pass "flexara.exe examples\\pilar-20x40.fxr: window \"Flexara $version\""
  sleep 3
  locate_main_window "$window"
  import -window root "$out/before.png"
  xdotool mousemove "$((client_x + 429))" "$((client_y + menu_bar + 496))" click 1 # Gerar gráfico
  sleep 3
  import -window root "$out/after.png"
  convert "$out/after.png" -crop "${ww}x${wh}+${wx}+${wy}" +repage docs/screenshot-windows.png
  # The curve is drawn: the window changes where the chart is.
  changed=$(compare -metric AE -crop "${ww}x${wh}+${wx}+${wy}" "$out/before.png" "$out/after.png" null: 2>&1 || true)
  if [ "${changed%% *}" -gt 500 ] 2>/dev/null; then
    pass "Gerar gráfico draws the curve ($changed pixels changed); docs/screenshot-windows.png"
  else
    fail "Gerar gráfico: the window did not change ($changed)"
  fi
else
  fail "flexara.exe examples\\pilar-20x40.fxr: no window \"Flexara $version\""
fi
wineserver -k || true

# The case with accents, opened as Explorer opens it (through the .fxr
# association). An opened case has no name to save under yet: Ctrl+S asks for
# one in "Salvar como", given there with accents (pasted: xdotool types only
# the first accented letter right under Wine), then Ctrl+S again writes over
# that file. What is saved is the case, byte for byte as the batch tool
# rewrites it.
saved="$projects/pilar 3.fxr"
rm -f "$saved"
wine cmd /c start "" "$case_path" >/dev/null 2>&1 &
window=$(wait_for_window "Flexara $version")
if [ -n "$window" ]; then
  sleep 3
  locate_main_window "$window"
  xdotool mousemove "$((client_x + 400))" "$((client_y - 10))" click 1 # the title bar
  sleep 1
  xdotool key ctrl+s
  if [ -n "$(wait_for_window 'Salvar como')" ]; then
    sleep 1
    printf '%s' 'C:\Usuários\José\Projetos\pilar 3.fxr' | xclip -selection clipboard
    xdotool key ctrl+a ctrl+v
    sleep 1
    xdotool key Return
    for _ in $(seq 20); do [ -e "$saved" ] && break; sleep 0.5; done
  fi
fi
if cmp -s "$expected" "$saved"; then
  echo "" >>"$saved" # the second save must rewrite it
  xdotool key ctrl+s
  for _ in $(seq 20); do cmp -s "$expected" "$saved" && break; sleep 0.5; done
fi
if cmp -s "$expected" "$saved"; then
  pass "the .fxr association opens $case_path in flexara.exe; saved as pilar 3.fxr, then over it with Ctrl+S"
else
  fail "the .fxr association opens $case_path in flexara.exe; saved as pilar 3.fxr, then over it with Ctrl+S"
fi
wineserver -k || true

# --- 5. The uninstaller -------------------------------------------------------------
wine "$installed/desinstalar.exe" /S
wineserver -w
# Wine's reg prints "Unable to find the specified registry key" on standard
# output for a key that is gone: its exit status says it.
leftover=()
wine reg query 'HKLM\Software\Classes\Flexara.Projeto' >/dev/null 2>&1 && leftover+=(Flexara.Projeto)
wine reg query 'HKLM\Software\Classes\.fxr' >/dev/null 2>&1 && leftover+=(.fxr)
if [ ! -e "$installed" ] && [ ! -e "$start_menu" ] && [ "${#leftover[@]}" -eq 0 ]; then
  pass "uninstall: no folder, no Start-menu entry, no .fxr keys"
else
  fail "uninstall left something: $(ls "$installed" 2>/dev/null | head -n 5) ${leftover[*]}"
fi
rm -f "$expected"

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
