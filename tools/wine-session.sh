# Sourced by the test and start scripts: a private Wine prefix inside the build
# tree (made once), an Xvfb display when asked for, and one persistent
# wineserver for the whole run. Everything started here stops on exit.
#   usage: . tools/wine-session.sh BUILD_DIR [xvfb|display]

kovana_build=$1
kovana_display_mode=${2:-xvfb}

export WINEPREFIX="$kovana_build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

kovana_xvfb_pid=
kovana_session_end() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$kovana_xvfb_pid" ]; then
        kill "$kovana_xvfb_pid" >/dev/null 2>&1 || true
        wait "$kovana_xvfb_pid" 2>/dev/null || true
    fi
}
trap kovana_session_end EXIT

if [ "$kovana_display_mode" = xvfb ] || [ -z "${DISPLAY:-}" ]; then
    n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    kovana_xvfb_pid=$!
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=":$n"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix in $WINEPREFIX (first run only)"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
fi
# Debian's Wine does not find its own fonts, and every dialog would fall back
# to a wider face; give the prefix its copies so that dialogs keep their metrics.
if [ -d /usr/share/wine/fonts ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
# Wine's own background processes (services, the desktop) start with the first
# program of a session and live as long as the wineserver. Start them here,
# detached from any pipe, or a test runner would wait for them to close its output.
# On Xvfb there is no window manager, and Wine waits two seconds for one each
# time a visible window goes away; a virtual desktop needs none.
if [ -n "$kovana_xvfb_pid" ]; then
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null || true
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1 </dev/null || true
else
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 </dev/null || true
fi
