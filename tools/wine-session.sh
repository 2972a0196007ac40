# Shell functions (sourced) that start and stop what the Win32 tests, the demo
# and the screenshot need: a private Xvfb display and a Wine prefix with the
# Japanese code page. Each stops exactly what it started: Xvfb by its PID, the
# wineserver by `wineserver -k` on its own prefix.

PELL_XVFB_PID=""

# pell_start_xvfb: starts Xvfb on a free display and exports DISPLAY.
pell_start_xvfb() {
    local fd_file
    fd_file=$(mktemp)
    Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp 9>"$fd_file" >/dev/null 2>&1 &
    PELL_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
        [ -s "$fd_file" ] && break
        if ! kill -0 "$PELL_XVFB_PID" 2>/dev/null; then break; fi
        sleep 0.1
    done
    if [ ! -s "$fd_file" ]; then
        rm -f "$fd_file"
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$(head -n1 "$fd_file")"
    rm -f "$fd_file"
}

pell_stop_xvfb() {
    if [ -n "$PELL_XVFB_PID" ]; then
        kill "$PELL_XVFB_PID" 2>/dev/null || true
        wait "$PELL_XVFB_PID" 2>/dev/null || true
        PELL_XVFB_PID=""
    fi
}

# pell_wine_env PREFIX: the environment every Wine run of ours uses, the
# scripts' and ctest's (cmake/wine-run.in) alike: a 32-bit prefix, the
# Japanese locale (ANSI code page 932), no Mono or Gecko installer. Wine's
# debug channels stay quiet unless WINEDEBUG is set already.
pell_wine_env() {
    export WINEPREFIX="$1"
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win32
}

# pell_wine_prefix_init PREFIX: creates the prefix on first use and gives it
# (new or old) the settings below, then waits until its wineserver is idle.
pell_wine_prefix_init() {
    pell_wine_env "$1"
    mkdir -p "$1"
    if [ ! -f "$1/system.reg" ]; then
        wine wineboot -i >/dev/null 2>&1 || true
    fi
    pell_wine_prefix_unmanaged "$1"
    wineserver -w
}

# pell_wine_prefix_unmanaged PREFIX: no window manager runs on our displays,
# so the prefix's windows are left unmanaged. A managed window is hidden only
# after the window manager has confirmed its showing, which without one never
# comes: each hide waited Wine's full 2 s. Unmanaged, Wine shows, hides and
# frames its windows itself. Writes the value only when it is not there yet.
pell_wine_prefix_unmanaged() {
    if ! awk '/^\[/ { in_x11 = ($0 ~ /^\[Software\\\\Wine\\\\X11 Driver\]/) }
              in_x11 && /^"Managed"="N"/ { found = 1 }
              END { exit !found }' "$1/user.reg" 2>/dev/null; then
        WINEPREFIX="$1" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
            >/dev/null 2>&1 || true
    fi
}

PELL_SESSION_PID=""

# pell_wine_session_start PREFIX: holds one session of the prefix open until
# pell_wine_session_end: its wineserver, services and desktop process stay
# up, so the Wine programs run meanwhile neither start them anew (about 2 s
# each) nor leave them behind with the program's stderr open, which ctest
# waits on. The holder is a quiet cmd.exe reading commands from this shell;
# it has started when it answers an echo. One session at a time.
pell_wine_session_start() {
    pell_wine_session_end
    pell_wine_env "$1"
    coproc PELL_SESSION_HOLDER { exec wine cmd.exe /q 2>/dev/null; }
    PELL_SESSION_PID=${PELL_SESSION_HOLDER_PID-}
    local out=${PELL_SESSION_HOLDER[0]-} line end=$((SECONDS + 60))
    pell_wine_session_send 'echo pell-session-ready'
    while [ -n "$out" ] && [ $SECONDS -lt $end ] &&
        IFS= read -r -t 60 line 2>/dev/null <&"$out"; do
        [ "${line%$'\r'}" = pell-session-ready ] && return 0
    done
    echo "the Wine session of $1 did not start" >&2
    pell_wine_session_end
    return 1
}

# pell_wine_session_send COMMAND: a command line for the holder, if it still
# runs (bash drops the coprocess's pipes when it ends). The external printf
# writes it: a holder ending meanwhile would end that process with SIGPIPE,
# not this shell (and a subshell does not see the coprocess's pipes).
pell_wine_session_send() {
    local in=${PELL_SESSION_HOLDER[1]-}
    [ -n "$in" ] || return 0
    env printf '%s\r\n' "$1" 2>/dev/null 1>&"$in" || true
}

# pell_wine_session_end: ends the holder started above and waits for it (10 s
# at most, then its PID is killed). The prefix's wineserver then ends by
# itself, as pell_wine_prefix_stop expects.
pell_wine_session_end() {
    [ -n "$PELL_SESSION_PID" ] || return 0
    pell_wine_session_send exit
    local _
    for _ in $(seq 1 100); do
        kill -0 "$PELL_SESSION_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill "$PELL_SESSION_PID" 2>/dev/null || true
    wait "$PELL_SESSION_PID" 2>/dev/null || true
    PELL_SESSION_PID=""
}

# pell_wine_prefix_stop PREFIX: stops that prefix's wineserver only. It is
# first given a moment to end by itself once its programs have ended, which is
# when it saves the registry; a killed server may lose the last changes.
pell_wine_prefix_stop() {
    WINEPREFIX="$1" timeout 20 wineserver -w 2>/dev/null || true
    WINEPREFIX="$1" wineserver -k 2>/dev/null || true
}

# pell_ensure_ja_locale: the Japanese locale Wine needs for code page 932.
pell_ensure_ja_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        if [ "$(id -u)" = 0 ]; then
            sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
            grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
            locale-gen >/dev/null
        else
            echo "the ja_JP.UTF-8 locale is missing (run tools/setup.sh as root)" >&2
            return 1
        fi
    fi
}
