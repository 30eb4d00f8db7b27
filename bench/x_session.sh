# Shared by the start-up timing scripts (sourced, not run): ending the
# processes a script started, a work folder, and a private X display with
# openbox for the programs under test.

# The process and every process below it, deepest last.
descendants() {
    local pid
    for pid in $(ps -o pid= --ppid "$1" 2>/dev/null); do
        echo "$pid"
        descendants "$pid"
    done
}

# Ends one process started here (and what it started): TERM, then KILL after a
# second. Only the ids collected from its own process tree are signalled.
end_tree() {
    local top=$1 pid tries
    [[ -n $top ]] || return 0
    local tree=("$top" $(descendants "$top"))
    kill -TERM "${tree[@]}" 2>/dev/null
    for tries in $(seq 50); do
        local alive=0
        for pid in "${tree[@]}"; do kill -0 "$pid" 2>/dev/null && alive=1; done
        ((alive)) || break
        sleep 0.02
    done
    kill -KILL "${tree[@]}" 2>/dev/null
    wait "$top" 2>/dev/null
    return 0
}

# A fresh work folder named vorlen-TAG.XXXXXX; sets work. The start page
# address is compared as text with the address the page reports, so the folder
# is kept free of characters that a URL would encode.
make_work_folder() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/vorlen-$1.XXXXXX") || exit 2
    if ! [[ $work =~ ^[A-Za-z0-9/._-]+$ ]]; then
        rmdir "$work"
        work=$(mktemp -d "/tmp/vorlen-$1.XXXXXX") || exit 2
    fi
}

# Starts Xvfb (which picks a free display number itself and writes it to the
# given descriptor) and openbox on it; sets xpid, wmpid and DISPLAY, and the
# engine's surroundings for the programs started afterwards. NAME prefixes the
# error message when the display does not start.
start_x_session() {
    local name=$1
    Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp 9>"$work/display" >"$work/xvfb.log" 2>&1 &
    xpid=$!
    for _ in $(seq 250); do
        [[ -s $work/display ]] && break
        kill -0 "$xpid" 2>/dev/null || break
        sleep 0.02
    done
    if [[ ! -s $work/display ]]; then
        echo "$name: Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    export DISPLAY=:$(head -n1 "$work/display" | tr -d '[:space:]')

    openbox >"$work/openbox.log" 2>&1 &
    wmpid=$!
    for _ in $(seq 250); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.02
    done

    export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
    if [[ $(id -u) == 0 ]]; then
        # Chromium's sandbox does not start as root.
        export QTWEBENGINE_DISABLE_SANDBOX=1
    fi
    unset QT_QPA_PLATFORM
}

# Raises this script's priority (nice -20, and its autogroup where the kernel
# has one) unless $1 is 0; sets priority (what was done, for the report) and
# old_autogroup (for restore_priority).
raise_priority() {
    old_autogroup='' priority='unchanged'
    [[ ${1:-1} != 0 ]] || return 0
    renice -n -20 -p $$ >/dev/null 2>&1 && priority="nice $(ps -o ni= -p $$ | tr -d ' ')"
    if [[ -w /proc/$$/autogroup ]]; then
        old_autogroup=$(sed -n 's/.* nice \(-\?[0-9]\+\).*/\1/p' "/proc/$$/autogroup")
        if [[ -n $old_autogroup ]] && echo -20 2>/dev/null >"/proc/$$/autogroup"; then
            priority+=", autogroup nice -20"
        else
            old_autogroup=''
        fi
    fi
}

# Gives the autogroup back the nice value it had.
restore_priority() {
    [[ -n $old_autogroup ]] && echo "$old_autogroup" 2>/dev/null >"/proc/$$/autogroup"
}
