#!/usr/bin/env bash
# End-to-end run of Tervalo.exe under Wine and Xvfb: the driver finds the main window, checks it,
# minimises, restores and closes it. Usage: run_main_window.sh TERVALO_EXE DRIVER_EXE WORK_DIR
# Leaves WORK_DIR/screen.png (the whole screen) and WORK_DIR/main_window.png (the window alone).
set -u
tervalo=$1 driver=$2 work=$3
mkdir -p "$work"
work="$(cd "$work" && pwd)"

WORK="$work" source "$(dirname "$0")/wine_display.sh"

# The program alone in its folder, as it is shipped.
mkdir -p "$work/program"
cp "$tervalo" "$work/program/Tervalo.exe"
cp "$driver" "$work/driver.exe"
rm -f "$work/main_window.png" "$work/screen.png"

(cd "$work/program" && exec timeout 120 "$wine_bin" Tervalo.exe) >"$work/tervalo.log" 2>&1 &
tervalo_pid=$!

timeout 90 "$wine_bin" "$work/driver.exe" check >"$work/driver-check.log" 2>&1
check=$?
cat "$work/driver-check.log"
[ $check -eq 0 ] || fail "the main window is not as it should be"
sleep 1  # let the window finish painting before the picture is taken
import -window root "$work/screen.png" || fail "no screenshot"
# The main window alone, where the driver found it.
at=$(sed -n 's/.*window at \([0-9]*\),\([0-9]*\).*/+\1+\2/p' "$work/driver-check.log")
convert "$work/screen.png" -crop "800x600$at" +repage "$work/main_window.png" || fail "no picture of the main window"

timeout 90 "$wine_bin" "$work/driver.exe" minimise-close >"$work/driver-close.log" 2>&1
close=$?
cat "$work/driver-close.log"
[ $close -eq 0 ] || fail "minimise, restore or close did not work"
for _ in $(seq 1 100); do kill -0 "$tervalo_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$tervalo_pid" 2>/dev/null && fail "Tervalo.exe is still running after the close link"
wait "$tervalo_pid"
status=$?
[ $status -eq 0 ] || fail "Tervalo.exe ended with status $status"
echo "e2e: main window checked, minimised, restored and closed; screenshot $work/main_window.png"
