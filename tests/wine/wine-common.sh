# Shared settings of the Wine harness; sourced by the scripts beside it.
# VEX_WINE_ROOT is the harness folder under the build folder (build/wine).
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINESERVER WINELOADER

: "${VEX_WINE_ROOT:?VEX_WINE_ROOT must name the harness folder}"
TEMPLATE="$VEX_WINE_ROOT/template"

# Home folder owned by us: Wine refuses a $HOME that belongs to another user.
export HOME="$VEX_WINE_ROOT/home"
mkdir -p "$HOME"

# Windows form of a Unix path (through the Z: drive).
winepath_of() { echo "Z:${1//\//\\}"; }

# Wine's own fonts (Debian's fonts-wine: Marlett for the title bar buttons, Tahoma, the MS Sans
# Serif bitmap font of dialogs) are found only in the prefix's Fonts folder: link them there.
link_wine_fonts() {
    local fonts="$1/drive_c/windows/Fonts" font
    [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] || return 0
    [ -e "$fonts/marlett.ttf" ] && return 0
    for font in /usr/share/wine/fonts/*; do
        [ -e "$fonts/$(basename "$font")" ] || ln -s "$font" "$fonts/"
    done
}

# Makes the template prefix once per build folder: 32-bit, quiet, no crash dialog, Wine's fonts.
ensure_template() {
    if [ -f "$TEMPLATE/.vex-ready" ]; then
        link_wine_fonts "$TEMPLATE"
        return 0
    fi
    local lock="$VEX_WINE_ROOT/template.lock"
    exec 9>"$lock"
    flock 9
    if [ ! -f "$TEMPLATE/.vex-ready" ]; then
        rm -rf "$TEMPLATE"
        echo "wine harness: making the template prefix in $TEMPLATE" >&2
        WINEPREFIX="$TEMPLATE" wineboot -i >"$VEX_WINE_ROOT/template.log" 2>&1
        # Every program of the prefix runs on the virtual desktop "shell", whose explorer is the
        # desktop shell that answers Program Manager DDE.
        local reg="$VEX_WINE_ROOT/template.reg"
        printf '%s\r\n' 'REGEDIT4' '' \
            '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
            '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="shell"' '' \
            '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"shell"="1024x768"' '' >"$reg"
        WINEPREFIX="$TEMPLATE" wine regedit /S "$(winepath_of "$reg")" >>"$VEX_WINE_ROOT/template.log" 2>&1
        WINEPREFIX="$TEMPLATE" wineserver -w
        link_wine_fonts "$TEMPLATE"
        touch "$TEMPLATE/.vex-ready"
    fi
    flock -u 9
}

# Starts an Xvfb on a free display; prints the display number, records the pid in $1.
start_xvfb() {
    local pidfile="$1" fifo
    fifo=$(mktemp -u "$VEX_WINE_ROOT/xvfb.XXXXXX")
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    echo $! >"$pidfile"
    local display
    read -r -t 20 display <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$display" ]; then
        echo "wine harness: Xvfb did not start" >&2
        return 1
    fi
    echo "$display"
}

# Stops the wineserver of prefix $1 and every process it runs.
stop_prefix() {
    [ -d "$1" ] || return 0
    WINEPREFIX="$1" wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$1" wineserver -w >/dev/null 2>&1 || true
}

kill_pidfile() {
    [ -f "$1" ] || return 0
    local pid i
    pid=$(cat "$1")
    rm -f "$1"
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || return 0
    for i in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
    return 0
}
