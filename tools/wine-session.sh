# Sourced by the scripts that run Wine programs: a private Wine prefix (made
# once), a display, and one persistent wineserver for the whole run. Whatever
# the session starts is stopped by its one exit trap; a script adds its own
# clean-up steps with kovana_on_exit, and sessions beside this one (for
# programs run side by side) with kovana_add_session.
#   usage: . tools/wine-session.sh PREFIX desktop|display
#     desktop: a fresh Xvfb display, and a virtual desktop in the prefix (tests, pictures)
#     display: the user's display ($DISPLAY), or a fresh Xvfb when there is none
# The test prefix and the prefix the program runs in are kept apart: the
# virtual desktop that the tests need must never show around the program.

kovana_prefix=$1
kovana_mode=${2:-desktop}

export WINEPREFIX="$kovana_prefix"
# Wine's messages stay off; KOVANA_WINEDEBUG=fixme-all shows its errors.
export WINEDEBUG=${KOVANA_WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

kovana_exit_steps=()
kovana_xvfb_pids=()
kovana_prefixes=("$WINEPREFIX")
kovana_on_exit() { kovana_exit_steps+=("$1"); }
kovana_session_end() {
    local step prefix pid
    for step in "${kovana_exit_steps[@]}"; do eval "$step" || true; done
    for prefix in "${kovana_prefixes[@]}"; do WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; done
    # Until the server has gone, a session that starts next would take it for
    # its own and lose it a moment later, desktop and all.
    for prefix in "${kovana_prefixes[@]}"; do WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true; done
    for pid in "${kovana_xvfb_pids[@]}"; do
        kill "$pid" >/dev/null 2>&1 || true
        wait "$pid" 2>/dev/null || true
    done
}
trap kovana_session_end EXIT

# Wine places the data that Windows shares with every process at a fixed
# address, 0x7ffe0000. Debian's Wine has no preloader to reserve that address
# before Linux lays out the process, and the heap of its loader (which sits at
# 0x7d000000) begins at a random place above it and can take that address: now
# and then a Wine process then ends at once, saying only (with Wine's errors
# shown) "failed to map the shared user data". Without address randomization
# every start has the same layout, with the heap right after the loader. Each
# Wine process inherits the setting from the command that kovana_run starts.
kovana_layout=()
if setarch "$(uname -m)" -R true >/dev/null 2>&1; then
    kovana_layout=(setarch "$(uname -m)" -R)
fi
kovana_run() { "${kovana_layout[@]}" "$@"; }

# Starts a command detached from this shell's pipes: Wine's own background
# processes inherit the output of the program that starts them, and a test
# runner reading that output would wait for them to end.
kovana_detached() { setsid "${kovana_layout[@]}" "$@" </dev/null >/dev/null 2>&1 & }

# Starts an Xvfb display of its own and sets kovana_display to its name.
kovana_new_display() {
    # Two sessions started at the same moment may pick the same free number;
    # the Xvfb that loses ends at once, and its session tries the next number
    # rather than taking the other session's display for its own.
    local n=90 pid=
    for _ in $(seq 20); do
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        # The socket may be the other session's: ours must still run.
        sleep 0.1
        if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            kovana_xvfb_pids+=("$pid")
            kovana_display=":$n"
            return 0
        fi
        wait "$pid" 2>/dev/null || true
        n=$((n + 1))
    done
    echo "wine-session.sh: no virtual display would start (Xvfb)" >&2
    exit 1
}

# kovana_own_display is set when the session runs on an Xvfb display of its
# own, which has no window manager.
kovana_own_display=
if [ "$kovana_mode" = desktop ] || [ -z "${DISPLAY:-}" ]; then
    kovana_new_display
    export DISPLAY=$kovana_display
    kovana_own_display=yes
elif [[ $DISPLAY =~ ^:([0-9]+)(\.[0-9]+)?$ ]] && [ ! -e "/tmp/.X11-unix/X${BASH_REMATCH[1]}" ]; then
    # Wine would only say that it cannot create a window.
    echo "wine-session.sh: the display $DISPLAY does not answer (no /tmp/.X11-unix/X${BASH_REMATCH[1]});" \
         "unset DISPLAY to run on a virtual display" >&2
    exit 1
fi

# Debian's Wine does not find its own fonts, and every dialog would fall back
# to a wider face; give the prefix its copies so that dialogs keep their metrics.
mkdir -p "$WINEPREFIX"
if [ -d /usr/share/wine/fonts ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

# The prefix is ready once every setting below is in: a set-up that was cut
# short is done again. It runs under a server of its own, which writes the
# registry when it is ended, and whose programs (wineboot starts some) go
# with it.
if [ ! -f "$WINEPREFIX/kovana-prefix-ready" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX (first run only)"
    wineserver -p </dev/null >/dev/null 2>&1 || true
    kovana_run wineboot -i >/dev/null 2>&1 </dev/null || true
    settings="$WINEPREFIX/kovana-settings.reg"
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        # A program that crashes must end, not wait for someone to close
        # Wine's crash dialog.
        printf '%s\r\n' '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' ''
        if [ "$kovana_mode" = desktop ]; then
            # Xvfb has no window manager, and Wine waits two seconds for one
            # each time a visible window goes away; a virtual desktop needs none.
            printf '%s\r\n' '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
                '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1280x1024"' ''
        fi
    } >"$settings"
    kovana_run wine reg import "Z:${settings//\//\\}" >/dev/null 2>&1 </dev/null || true
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    if ! grep -q ShowCrashDialog "$WINEPREFIX/user.reg" 2>/dev/null; then
        echo "wine-session.sh: could not prepare the Wine prefix $WINEPREFIX" >&2
        exit 1
    fi
    touch "$WINEPREFIX/kovana-prefix-ready"
fi

# One wineserver for the whole run: each program then starts in a tenth of a
# second instead of two. It puts itself in the background once it listens.
wineserver -p </dev/null >/dev/null 2>&1 || true  # one may run already for this prefix

# A session beside this one, for programs run side by side: a copy of this
# session's prefix in PREFIX, with a display and a server of its own, all
# ended with this session. Sets kovana_display to its display.
#   usage: kovana_add_session PREFIX
kovana_add_session() {
    local prefix=$1
    if [ ! -f "$prefix/kovana-prefix-ready" ]; then
        rm -rf "$prefix"
        # Hard links: the prefix is mostly Wine's DLLs, which no program
        # writes, and the server writes its registry files anew each time.
        cp -al "$WINEPREFIX" "$prefix"
        # Debian's Wine names the folder of the prefix's server here.
        rm -f "$prefix/wineserver"
    fi
    kovana_prefixes+=("$prefix")
    kovana_new_display
    WINEPREFIX=$prefix wineserver -p </dev/null >/dev/null 2>&1 || true
}
