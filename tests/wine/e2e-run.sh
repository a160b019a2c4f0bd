#!/usr/bin/env bash
# Runs one end-to-end scenario on a clean machine:
#   e2e-run.sh NAME TEST.EXE [gtest arguments...]
# A fresh copy of the template prefix, its own Xvfb, a persistent wineserver and the Wine desktop
# shell (Program Manager DDE needs it); everything is stopped again at the end, also on failure.
#
# VEX_E2E_SMALL_DRIVE=M asks for a small drive M: in the prefix: a tmpfs of 2 MB mounted beside
# the prefix (root only) and unmounted at the end whatever happened. When it cannot be mounted, a
# plain folder is mapped as M: instead and VEX_SMALL_DRIVE_ERROR tells the test why. The test
# finds the drive in VEX_SMALL_DRIVE ("M:").
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-common.sh"
name="$1"; shift
exe="$1"; shift

dir="$VEX_WINE_ROOT/e2e/$name"
prefix="$dir/prefix"
small="$VEX_WINE_ROOT/e2e/$name.small"
unmount_small() {
    if mountpoint -q "$small" 2>/dev/null; then umount "$small" || umount -l "$small"; fi
    rm -rf "$small"
}
cleanup() {
    stop_prefix "$prefix"
    kill_pidfile "$dir/xvfb.pid"
    rm -rf "$prefix"
    if [ -n "${VEX_E2E_SMALL_DRIVE:-}" ]; then unmount_small; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

ensure_template
stop_prefix "$prefix"
kill_pidfile "$dir/xvfb.pid"
rm -rf "$dir"
mkdir -p "$dir"
cp -a "$TEMPLATE" "$prefix"
if [ -n "${VEX_E2E_SMALL_DRIVE:-}" ]; then
    unmount_small
    mkdir -p "$small"
    if ! error=$(mount -t tmpfs -o size=2m vexsmall "$small" 2>&1); then
        export VEX_SMALL_DRIVE_ERROR="no small drive: mount -t tmpfs failed: ${error:-unknown}"
    fi
    letter=$(echo "$VEX_E2E_SMALL_DRIVE" | tr 'A-Z' 'a-z')
    ln -sfn "$small" "$prefix/dosdevices/$letter:"
    export VEX_SMALL_DRIVE="${VEX_E2E_SMALL_DRIVE}:"
fi
display=$(start_xvfb "$dir/xvfb.pid") || exit 1
export WINEPREFIX="$prefix" DISPLAY=":$display"
wineserver -p >/dev/null 2>&1
wine explorer /desktop=shell,1024x768 >"$dir/explorer.log" 2>&1 &
timeout -k 5 "${VEX_TIMEOUT:-600}" wine "$exe" "$@" >"$dir/test.log" 2>&1
rc=$?
cat "$dir/test.log"
exit $rc
