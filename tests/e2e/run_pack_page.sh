#!/usr/bin/env bash
# End-to-end pack runs of Tervalo.exe under Wine and Xvfb, made through the window as a person
# would: a presentation chosen in the real open dialog, the default output, a finished run checked
# with tervalo-pack inspect; a run paused, resumed and stopped; a run refused for a missing output.
# Usage: run_pack_page.sh TERVALO_EXE DRIVER_EXE PACK_TOOL_EXE WORK_DIR
# Leaves screenshots in WORK_DIR: pack_page.png, finished.png, paused.png, refused.png.
set -u
tervalo=$1 driver=$2 packtool=$3 work=$4
mkdir -p "$work"
work="$(cd "$work" && pwd)"

WORK="$work" source "$(dirname "$0")/wine_display.sh"

winpath() { "$wine_bin" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
tool() { timeout 120 "$wine_bin" "$work/tervalo-pack.exe" "$@"; }
drive() {
  local log="$work/driver-$1.log"
  timeout 200 "$wine_bin" "$work/driver.exe" "$@" 2>&1 | tr -d '\r' >"$log"
  local status=${PIPESTATUS[0]}
  cat "$log"
  [ $status -eq 0 ] || fail "driver $1 failed"
}
shot() { sleep 1; import -window root "$work/$1" || fail "no screenshot $1"; }
start_program() {
  (cd "$work/program" && exec timeout 600 "$wine_bin" Tervalo.exe) >>"$work/tervalo.log" 2>&1 &
  tervalo_pid=$!
}
stop_program() {
  drive close
  wait "$tervalo_pid"
  local status=$?
  [ $status -eq 0 ] || fail "Tervalo.exe ended with status $status"
}
temp_files() {
  find "$WINEPREFIX/drive_c/users" -maxdepth 6 -path '*Temp*' -type f \
    \( -name 'bf[0-9]*' -o -name 'qm[0-9]*' -o -name 'db[0-9]*' -o -name 'fgf[0-9]*' -o -name '*.tmp' \) 2>/dev/null | sort
}

# The program in its folder with an enciphered stub and .pptx module. Small Windows programs stand
# in for both, stripped so that their headers give their whole size and the output's parts can be
# measured.
rm -rf "$work/program" "$work/演示" "$work/演示.exe" "$work/big" "$work/big.exe" "$work"/*.png
mkdir -p "$work/program" "$work/演示" "$work/big"
cp "$tervalo" "$work/program/Tervalo.exe"
cp "$driver" "$work/driver.exe"
cp "$packtool" "$work/tervalo-pack.exe"
strip_tool=$(command -v x86_64-w64-mingw32-strip) || fail "x86_64-w64-mingw32-strip is needed"
"$strip_tool" -o "$work/stub.exe" "$driver" && "$strip_tool" -o "$work/module.exe" "$packtool" || fail "strip"
tool seal "$(winpath "$work/stub.exe")" "$(winpath "$work/program/qm.sj")" || fail "seal qm.sj"
tool seal "$(winpath "$work/module.exe")" "$(winpath "$work/program/bf10.sj")" || fail "seal bf10.sj"

# A presentation with a neighbour in a Chinese-named folder, and a large folder to catch mid-run.
head -c 300000 /dev/urandom >"$work/演示/第一课.pptx"
echo "speaker notes" >"$work/演示/notes.txt"
# The bar moves after each entry of a folder, so the large run's folder holds many files.
head -c 2000000 /dev/urandom >"$work/big/talk.pptx"
for i in $(seq -w 1 60); do head -c 3000000 /dev/urandom >"$work/big/part$i.bin"; done
before_temp=$(temp_files)

# 1. A whole run: the dialog, the default output, the Pack button, the finished page.
start_program
drive drag
drive slide
drive categories
drive choose-source "$(winpath "$work/演示/第一课.pptx")"
grep -q "output: .*演示.exe$" "$work/driver-choose-source.log" || fail "the default output is not the folder's name + .exe"
shot pack_page.png
drive pack-wait
shot finished.png
[ -f "$work/演示.exe" ] || fail "no output beside the presentation's folder"
tool inspect "$(winpath "$work/演示.exe")" 2>&1 | tr -d '\r' >"$work/inspect.txt"
[ "${PIPESTATUS[0]}" -eq 0 ] || { cat "$work/inspect.txt"; fail "inspect refused the output"; }
cat "$work/inspect.txt"
grep -q " 17 presentation: 第一课.pptx" "$work/inspect.txt" || fail "the settings do not name the presentation"
grep -q "  3 password: none" "$work/inspect.txt" || fail "a password was set"
grep -q " 19 use module: 1" "$work/inspect.txt" || fail "the module is not used"
grep -q "archive: .* 2 entries" "$work/inspect.txt" || fail "the archive does not hold the whole folder"
grep -q " 第一课.pptx$" "$work/inspect.txt" && grep -q " notes.txt$" "$work/inspect.txt" || fail "archive entries missing"
drive return

# 2. A run paused, resumed and stopped: no output and no temporary files are left.
drive choose-source "$(winpath "$work/big/talk.pptx")"
drive pack-pause
shot paused.png
# The paused run's files are where the check after the stop looks.
[ "$(temp_files)" != "$before_temp" ] || fail "no temporary files of the paused run found"
drive resume-stop
sleep 2
[ ! -e "$work/big.exe" ] || fail "a stopped run left an output"
[ "$(temp_files)" = "$before_temp" ] || { temp_files; fail "a stopped run left temporary files"; }
stop_program

# 3. A run refused for a missing output choice, in a freshly started program.
start_program
timeout 200 "$wine_bin" "$work/driver.exe" refuse-no-output >"$work/driver-refuse-no-output.log" 2>&1 &
refuse_pid=$!
for _ in $(seq 1 200); do grep -q "message box shown" "$work/driver-refuse-no-output.log" && break; sleep 0.1; done
shot refused.png
wait "$refuse_pid"
status=$?
cat "$work/driver-refuse-no-output.log"
[ $status -eq 0 ] || fail "driver refuse-no-output failed"
# The save dialog gives a name typed without extension ".exe".
drive choose-output "$(winpath "$work/big")\\mine"
stop_program
echo "e2e: pack runs checked; screenshots in $work"
