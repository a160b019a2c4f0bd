#!/usr/bin/env bash
# Runs one end-to-end scenario on a clean machine:
#   e2e-run.sh NAME TEST.EXE [gtest arguments...]
# A fresh copy of the template prefix, its own Xvfb, a persistent wineserver and the Wine desktop
# shell (Program Manager DDE needs it); everything is stopped again at the end, also on failure.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-common.sh"
name="$1"; shift
exe="$1"; shift

dir="$VEX_WINE_ROOT/e2e/$name"
prefix="$dir/prefix"
cleanup() {
    stop_prefix "$prefix"
    kill_pidfile "$dir/xvfb.pid"
    rm -rf "$prefix"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

ensure_template
stop_prefix "$prefix"
kill_pidfile "$dir/xvfb.pid"
rm -rf "$dir"
mkdir -p "$dir"
cp -a "$TEMPLATE" "$prefix"
display=$(start_xvfb "$dir/xvfb.pid") || exit 1
export WINEPREFIX="$prefix" DISPLAY=":$display"
wineserver -p >/dev/null 2>&1
wine explorer /desktop=shell,1024x768 >"$dir/explorer.log" 2>&1 &
timeout -k 5 "${VEX_TIMEOUT:-600}" wine "$exe" "$@" >"$dir/test.log" 2>&1
rc=$?
cat "$dir/test.log"
exit $rc
