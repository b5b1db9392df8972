# Shared set-up of the end-to-end runs, sourced with WORK set: an own Wine prefix in $WORK with
# Chinese fonts, an own Xvfb on a free display (stopped on exit), no prompts, no network.
# Defines fail, wine_bin and wineserver_bin.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$WORK"
# An own prefix, no debug noise, no Mono or Gecko prompts, nothing from the network.
export WINEPREFIX="$work/wineprefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export http_proxy=http://127.0.0.1:9 https_proxy=http://127.0.0.1:9 no_proxy=
wine_bin=$(command -v wine64 || command -v wine)
wineserver_bin=$(command -v wineserver || echo /usr/lib/wine/wineserver)

fail() { echo "e2e: $*" >&2; exit 1; }

# A free display of our own.
display=""
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || fail "no free X display"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
cleanup() {
  "$wineserver_bin" -k >/dev/null 2>&1
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
export DISPLAY="$display"
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
[ -e "/tmp/.X11-unix/X${display#:}" ] || fail "Xvfb did not start on $display"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  timeout 300 "$wine_bin" wineboot -i >"$work/wineboot.log" 2>&1 || fail "wineboot failed"
  "$wineserver_bin" -w
fi
# Chinese fonts: the program's faces and the system's dialog font draw from the installed CJK font.
"$here/../../tools/wine-fonts" || fail "the prefix's fonts could not be set up"

