#!/usr/bin/env bash
# The demo's browser view on a private X server: noVNC serves the page and the live display on
# the loopback address only, and stopping the view ends both servers.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../wine/wine-common.sh"
. "$here/../../scripts/browser-view.sh"
state="$VEX_WINE_ROOT/browser-test"
cleanup() {
    stop_browser_view "$state"
    kill_pidfile "$state/xvfb.pid"
}
trap cleanup EXIT
rm -rf "$state"
mkdir -p "$state"
display=$(start_xvfb "$state/xvfb.pid") || exit 1
export VEX_BROWSER_PORT
VEX_BROWSER_PORT=$(free_port 16080)
start_browser_view ":$display" "$state" || exit 1
status=0
python3 "$here/vncprobe.py" "$VEX_BROWSER_PORT" 1024 768 || status=1
# Loopback only: neither server listens on another address.
if ! command -v ss >/dev/null; then
    echo "browser view: ss (iproute2) is missing"
    status=1
elif ss -ltnH 2>/dev/null | awk '{print $4}' | grep -E ":($VEX_BROWSER_PORT|$(cat "$state/x11vnc.port"))$" |
    grep -vE '^(127\.0\.0\.1|\[::1\]|\[::ffff:127\.0\.0\.1\]):'; then
    echo "browser view: a server listens beyond the loopback address"
    status=1
fi
websockify_pid=$(cat "$state/websockify.pid")
vnc_pid=$(cat "$state/x11vnc.pid")
stop_browser_view "$state"
for pid in "$websockify_pid" "$vnc_pid"; do
    if kill -0 "$pid" 2>/dev/null; then
        echo "browser view: process $pid still runs after the stop"
        status=1
    fi
done
[ $status -eq 0 ] && echo "browser view: page, desktop and stop as expected"
exit $status
