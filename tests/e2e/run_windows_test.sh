#!/usr/bin/env bash
# Runs a Windows test program that needs a display under Wine with an own Xvfb and prefix.
# Usage: run_windows_test.sh PROGRAM WORK_DIR [ARGUMENTS...]
set -u
program=$1 work=$2
shift 2
mkdir -p "$work"
work="$(cd "$work" && pwd)"
WORK="$work" source "$(dirname "$0")/wine_display.sh"
timeout 300 "$wine_bin" "$program" "$@"
