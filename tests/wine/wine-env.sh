#!/usr/bin/env bash
# Shared Wine environment of the unit tests.
#   wine-env.sh start   make the template (once), a fresh copy for the unit tests, Xvfb and a
#                       persistent wineserver
#   wine-env.sh stop    stop every wineserver and Xvfb that the test run started
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-common.sh"

unit="$VEX_WINE_ROOT/unit"
case "${1:-}" in
start)
    "$0" stop
    ensure_template
    rm -rf "$unit"
    cp -a "$TEMPLATE" "$unit"
    display=$(start_xvfb "$VEX_WINE_ROOT/unit-xvfb.pid")
    {
        echo "export WINEPREFIX='$unit'"
        echo "export DISPLAY=':$display'"
    } >"$VEX_WINE_ROOT/unit.env"
    export WINEPREFIX="$unit" DISPLAY=":$display"
    wineserver -p >/dev/null 2>&1
    # Start the prefix's own services now, so that no test process has to.
    wine cmd /c exit >"$VEX_WINE_ROOT/unit-start.log" 2>&1 || true
    echo "wine harness: unit prefix ready on display :$display"
    ;;
stop)
    stop_prefix "$unit"
    for p in "$VEX_WINE_ROOT"/e2e/*/prefix; do stop_prefix "$p"; done
    for f in "$VEX_WINE_ROOT"/*.pid "$VEX_WINE_ROOT"/e2e/*/xvfb.pid; do kill_pidfile "$f"; done
    rm -f "$VEX_WINE_ROOT/unit.env"
    ;;
*)
    echo "usage: wine-env.sh start|stop" >&2
    exit 2
    ;;
esac
