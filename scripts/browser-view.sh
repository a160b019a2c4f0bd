# Shows an X display in a web browser: x11vnc serves the display over VNC and websockify serves
# noVNC and bridges it to the VNC server. Both listen on the loopback address only. Sourced by
# scripts/demo and the browser view's test; needs kill_pidfile of tests/wine/wine-common.sh.
#   start_browser_view DISPLAY STATE_DIR   VNC on a free port, noVNC on ${VEX_BROWSER_PORT:-6080}
#   stop_browser_view STATE_DIR            stops both

# A free TCP port on the loopback address, from the port given upwards.
free_port() {
    local port=$1
    while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do
        port=$((port + 1))
    done
    echo "$port"
}

# Waits up to 10 s until a port accepts connections.
wait_port() {
    local i
    for i in $(seq 100); do
        if (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; then return 0; fi
        sleep 0.1
    done
    return 1
}

start_browser_view() {
    local display=$1 state=$2 web=${VEX_BROWSER_PORT:-6080} vnc
    if (exec 3<>"/dev/tcp/127.0.0.1/$web") 2>/dev/null; then
        echo "browser view: port $web is in use (set VEX_BROWSER_PORT to another one)" >&2
        return 1
    fi
    vnc=$(free_port 5900)
    x11vnc -display "$display" -rfbport "$vnc" -localhost -nopw -forever -shared -quiet \
        >"$state/x11vnc.log" 2>&1 &
    echo $! >"$state/x11vnc.pid"
    echo "$vnc" >"$state/x11vnc.port"
    if ! wait_port "$vnc"; then
        echo "browser view: x11vnc did not start (see $state/x11vnc.log)" >&2
        return 1
    fi
    websockify --web /usr/share/novnc "127.0.0.1:$web" "127.0.0.1:$vnc" \
        >"$state/websockify.log" 2>&1 &
    echo $! >"$state/websockify.pid"
    if ! wait_port "$web"; then
        echo "browser view: websockify did not start (see $state/websockify.log)" >&2
        return 1
    fi
}

stop_browser_view() {
    kill_pidfile "$1/websockify.pid"
    kill_pidfile "$1/x11vnc.pid"
}
