#!/bin/bash
# vorlen's start-up against the bare engine: runs vorlen and bare_engine (one
# QWebEngineView on a persistent profile, bench/bare_engine.cpp) in turns, each
# showing the same local page, and compares the time from process start until
# the window title tells that the page is shown.
#
#   usage: bench/startup_ratio.sh [--loaded] [PAIRS] [VORLEN_BINARY] [BARE_BINARY]
#     --loaded       every run has one core kept busy by a `yes > /dev/null` of
#                    ordinary priority in a session of its own, started by this
#                    script before the program and ended with it (and bounded by
#                    `timeout` in any case): other work on the machine
#     PAIRS          number of timed pairs (default 7); one untimed pair comes first
#     VORLEN_BINARY  default: build/bin/vorlen of this tree
#     BARE_BINARY    default: bare_engine beside VORLEN_BINARY
#
# Prints for every pair the time to the title (ms), the CPU time that the
# program and all its helper processes used until then (ms), and their PSS
# (MiB) at that moment, then the median of the pairwise ratios vorlen / bare,
# also of the CPU time of the main thread alone (the thread that runs the
# window and the engine's browser side).
# The order inside a pair alternates, so a drifting machine load favours neither.
#
# Like bench/startup_time.sh: a private X display (Xvfb) with openbox, every run
# with a fresh temporary HOME, XDG folders, TEMP, engine profile and a copy of
# vorlen (whose profile lives beside its executable), the start page registered
# in the registry stand-in. bare_engine's window is frameless like vorlen's, so
# both are mapped by the window manager alike. vorlen is done when its window is titled
# "시작 문서 - Vorlen™"; bare_engine when its title becomes "<page title> - bare
# engine". Both titles are written by the program at the first title change of
# the page while it shows the start page. Nothing polls: the window manager's
# list of windows and then the window's title are followed as they change
# (xprop -spy), so the timing costs the programs no CPU. Needs Xvfb, openbox and
# xprop; installs nothing. Only the processes this script started are ended.
#
# Other work on the machine (parallel builds) moves the figures far more than
# the difference being measured, so the script takes the largest CPU share it
# may: nice -20 for itself and what it starts, and for the autogroup of its
# session where the kernel shares the CPU between sessions (the autogroup's
# setting is put back at the end). STARTUP_PRIORITY=0 leaves priorities alone.
# The load of --loaded is not raised: it stays at nice 0 in a session of its own.
#
# Each program gets STARTUP_T0_US, its launch time in microseconds since the
# epoch, so that timing marks it prints can count from the launch; with
# STARTUP_LOGS=FOLDER set, every run's output is kept there as KIND-N.log.
set -u

loaded=''
if [[ ${1:-} == --loaded ]]; then
    loaded=1
    shift
fi

readonly VORLEN_TITLE='시작 문서 - Vorlen™'
readonly FIREWALL_TITLE='Windows 방화벽 설정'
readonly BARE_SUFFIX=' - bare engine'
readonly TIMEOUT_MS=30000

pairs=${1:-7}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
vorlen=${2:-$here/../build/bin/vorlen}
bare=${3:-$(dirname "$vorlen")/bare_engine}

if ! [[ $pairs =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [--loaded] [PAIRS] [VORLEN_BINARY] [BARE_BINARY]   (PAIRS: a positive number, got '$pairs')" >&2
    exit 2
fi
for b in "$vorlen" "$bare"; do
    if [[ ! -x $b || -d $b ]]; then
        echo "startup_ratio: no executable at $b (build the vorlen and bare_engine targets, or pass the paths)" >&2
        exit 2
    fi
done
vorlen=$(cd "$(dirname "$vorlen")" && pwd)/$(basename "$vorlen")
bare=$(cd "$(dirname "$bare")" && pwd)/$(basename "$bare")

missing=()
for tool in Xvfb openbox xprop; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if ((${#missing[@]})); then
    echo "startup_ratio: missing ${missing[*]}; this script installs nothing." >&2
    echo "  On Debian: apt-get install --no-install-recommends xvfb xauth openbox x11-utils" >&2
    exit 2
fi

# Microseconds since the epoch, without starting a process.
now_us() { local t=${EPOCHREALTIME/./}; echo "${t#0}"; }

source "$here/x_session.sh"

# CPU time (ms, user + system, including ended children that were waited for)
# and PSS (KiB) of a process and everything below it, and the CPU time (ms) of
# the process's main thread. Sets u_cpu, u_pss and u_main.
tree_usage() {
    local top=$1 stat line pid rest
    local -A parent=() ticks=()
    local -a f
    for stat in /proc/[0-9]*/stat; do
        { read -r line <"$stat"; } 2>/dev/null || continue
        pid=${line%% *}
        rest=${line##*) }
        read -r -a f <<<"$rest"
        parent[$pid]=${f[1]}
        ticks[$pid]=$((f[11] + f[12] + f[13] + f[14]))
    done
    local -a members=("$top")
    local i=0 p
    while ((i < ${#members[@]})); do
        for p in "${!parent[@]}"; do
            [[ ${parent[$p]} == "${members[i]}" ]] && members+=("$p")
        done
        ((i++))
    done
    local hz total=0 pss=0 key value _
    hz=$(getconf CLK_TCK)
    for p in "${members[@]}"; do
        total=$((total + ${ticks[$p]:-0}))
        while read -r key value _; do
            [[ $key == Pss: ]] && { pss=$((pss + value)); break; }
        done 2>/dev/null <"/proc/$p/smaps_rollup"
    done
    u_cpu=$((total * 1000 / hz))
    u_pss=$pss
    # The main thread alone, from the scheduler's nanoseconds on the CPU.
    local run_ns=0
    { read -r run_ns _ <"/proc/$top/task/$top/schedstat"; } 2>/dev/null
    u_main=$((run_ns / 1000000))
}

make_work_folder ratio

# --- priority -----------------------------------------------------------------
raise_priority "${STARTUP_PRIORITY:-1}"

xpid='' wmpid='' app='' spy='' load=''
cleanup() {
    [[ -n $spy ]] && kill "$spy" 2>/dev/null
    end_tree "$load"
    end_tree "$app"
    end_tree "$wmpid"
    end_tree "$xpid"
    rm -rf "$work"
    restore_priority
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# --- the X display and the programs' surroundings --------------------------
start_x_session startup_ratio

# Is this window name the finished one of the given program?
is_done_title() {
    if [[ $1 == vorlen ]]; then
        [[ $2 == "$VORLEN_TITLE" ]]
    else
        [[ $2 == *"$BARE_SUFFIX" ]]
    fi
}

# The load of --loaded: one busy process at nice 0 in a session of its own, so
# that neither this script's priority nor its autogroup carries over to it. It
# ends by itself after the longest a run may take.
start_load() {
    [[ -n $loaded ]] || return 0
    setsid timeout $((TIMEOUT_MS / 1000 + 10)) sh -c 'exec yes >/dev/null' &
    load=$!
    renice -n 0 -p "$load" >/dev/null 2>&1
    local pid
    for pid in $(descendants "$load"); do renice -n 0 -p "$pid" >/dev/null 2>&1; done
}
stop_load() {
    end_tree "$load"
    load=''
}

# One cold run of vorlen or bare. Sets r_shown (ms until its window was listed),
# r_ms (until the finished title), r_cpu (ms) and r_pss (KiB), or prints a
# reason on stderr and fails.
run_once() {
    local kind=$1 n=$2
    local root=$work/$kind$n
    mkdir -p "$root/home" "$root/config/vorlen" "$root/data" "$root/cache" "$root/temp" "$root/app" "$root/site"

    local page=$root/site/start.html
    printf '%s\n' '<!DOCTYPE html>' '<html><head><meta charset="utf-8"><title>Startup Bench Page</title></head>' \
        '<body><h1>Startup Bench Page</h1><p>A local start page for the start-up timing.</p></body></html>' \
        >"$page"
    local -a command
    local pattern
    if [[ $kind == vorlen ]]; then
        printf '[%s]\r\n%s=%s\r\n' 'HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\Main' \
            'Start Page' "file://$page" >"$root/config/vorlen/registry.ini"
        # A returning user: without a settings file the first start greets a new one.
        mkdir -p "$root/app/UserData/$(id -un)"
        printf '[Vorlen Setting]\r\nLastWindowMode=0\r\nLastWindowWidth=16500\r\nLastWindowHeight=11400\r\n' \
            >"$root/app/UserData/$(id -un)/Setting.ini"
        cp "$vorlen" "$root/app/vorlen" || return 1
        command=("$root/app/vorlen")
        pattern="Vorlen™|$FIREWALL_TITLE"
    else
        command=("$bare" --frameless --profile "$root/app/profile" "$page")
        pattern='bare engine'
    fi

    # The window manager lists every window it manages on the root window; the
    # list is followed as it changes, so nothing polls while the program starts.
    coproc SPY { exec xprop -root -spy _NET_CLIENT_LIST 2>/dev/null; }
    spy=$SPY_PID
    local -A seen=()
    local t0 t wid='' name='' done='' line id
    start_load
    t0=$(now_us)
    (cd "$root" && HOME=$root/home XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data \
        XDG_CACHE_HOME=$root/cache TEMP=$root/temp STARTUP_T0_US=$t0 exec "${command[@]}" >"$root/out.log" 2>&1) &
    app=$!

    while [[ -z $wid ]]; do
        if read -r -t 0.2 line <&"${SPY[0]}"; then
            t=$(now_us)
            line=${line#*# }
            for id in ${line//,/ }; do
                [[ $id == 0x* && -z ${seen[$id]:-} ]] || continue
                seen[$id]=1
                name=$(LC_ALL=C.UTF-8 xprop -id "$id" _NET_WM_NAME 2>/dev/null)
                name=${name#*= \"}
                name=${name%\"}
                if [[ $name =~ $pattern ]]; then
                    wid=$id
                    r_shown=$(((t - t0) / 1000))
                    break
                fi
            done
        else
            t=$(now_us)
            if ! kill -0 "$app" 2>/dev/null; then
                echo "$kind run $n: ended after $(((t - t0) / 1000)) ms without a window; its output:" >&2
                tail -n 20 "$root/out.log" >&2
                break
            fi
            if ! kill -0 "$spy" 2>/dev/null || (((t - t0) / 1000 > TIMEOUT_MS)); then
                echo "$kind run $n: no window within $(((t - t0) / 1000)) ms" >&2
                break
            fi
        fi
    done
    kill "$spy" 2>/dev/null
    wait "$spy" 2>/dev/null
    spy=''
    if [[ -z $wid ]]; then
        end_tree "$app"; app=''
        stop_load
        return 1
    fi

    # Its title: every change as it comes. xprop prints the current value first,
    # so a title set before the spy started is not missed.
    coproc SPY { LC_ALL=C.UTF-8 exec xprop -spy -id "$wid" _NET_WM_NAME 2>/dev/null; }
    spy=$SPY_PID
    while :; do
        if read -r -t 0.2 line <&"${SPY[0]}"; then
            t=$(now_us)
            name=${line#*= \"}
            name=${name%\"}
            if is_done_title "$kind" "$name"; then
                done=1
                break
            fi
            if [[ $name == "$FIREWALL_TITLE" ]]; then
                echo "$kind run $n: the firewall offer (ufw/firewalld reports the firewall off) holds up the start; not timed" >&2
                break
            fi
        else
            t=$(now_us)
            # A read that timed out leaves the spy running; anything else ended it.
            if ! kill -0 "$spy" 2>/dev/null || ! kill -0 "$app" 2>/dev/null; then
                echo "$kind run $n: the program or its window went away (last title: '${name}'); its output:" >&2
                tail -n 20 "$root/out.log" >&2
                break
            fi
            if (((t - t0) / 1000 > TIMEOUT_MS)); then
                echo "$kind run $n: no finished title within $((TIMEOUT_MS / 1000)) s (last: '${name}')" >&2
                break
            fi
        fi
    done
    if [[ -n $done ]]; then
        r_ms=$(((t - t0) / 1000))
        tree_usage "$app"
        r_cpu=$u_cpu
        r_pss=$u_pss
        r_main=$u_main
    fi
    kill "$spy" 2>/dev/null
    wait "$spy" 2>/dev/null
    spy=''
    end_tree "$app"; app=''
    stop_load
    if [[ -n ${STARTUP_LOGS:-} ]]; then
        mkdir -p "$STARTUP_LOGS" && cp "$root/out.log" "$STARTUP_LOGS/$kind-$n.log"
    fi
    rm -rf "$root"
    [[ -n $done ]]
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b > 0 ? a / b : 0) }'; }
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# The median of the values (one a line) and a 90% interval for it, from 1000
# resamplings of the values: how far the median could move on a rerun.
median_interval() {
    awk '
        function isort(a, n,    i, j, v) {
            for (i = 2; i <= n; i++) {
                v = a[i]
                for (j = i - 1; j >= 1 && a[j] > v; j--) a[j + 1] = a[j]
                a[j + 1] = v
            }
        }
        function med(a, n) { return (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
        { x[++n] = $1 }
        END {
            srand(1)
            for (b = 1; b <= 1000; b++) {
                for (i = 1; i <= n; i++) s[i] = x[int(rand() * n) + 1]
                isort(s, n)
                m[b] = med(s, n)
            }
            isort(m, 1000)
            isort(x, n)
            printf "%.3f (90%% interval %.3f-%.3f)", med(x, n), m[50], m[951]
        }'
}

echo "start-up, vorlen against the bare engine: $pairs pair(s) after one untimed pair, display $DISPLAY, priority: $priority"
[[ -n $loaded ]] && echo "  loaded: one core kept busy by yes > /dev/null (nice 0, own session) during every run"
echo "  vorlen: $vorlen"
echo "  bare:   $bare"
printf '%-5s %21s %21s %21s %7s\n' pair 'title ms (v / b)' 'cpu ms (v / b)' 'PSS MiB (v / b)' ratio
t_ratios=() c_ratios=() m_ratios=() v_main=() b_main=() v_ms=() b_ms=() v_cpu=() b_cpu=() v_pss=() b_pss=() v_shown=() b_shown=()
for n in $(seq 0 "$pairs"); do
    if ((n % 2)); then order=(vorlen bare); else order=(bare vorlen); fi
    for kind in "${order[@]}"; do
        # Not in a subshell: the trap must see the program's id to end it.
        run_once "$kind" "$n" || exit 1
        printf -v "${kind}_ms" '%s' "$r_ms"
        printf -v "${kind}_cpu" '%s' "$r_cpu"
        printf -v "${kind}_pss" '%s' "$r_pss"
        printf -v "${kind}_shown" '%s' "$r_shown"
        printf -v "${kind}_main" '%s' "$r_main"
    done
    if ((n == 0)); then
        printf '%-5s %9d / %-9d %9d / %-9d %9d / %-9d %7s\n' warm "$vorlen_ms" "$bare_ms" "$vorlen_cpu" "$bare_cpu" \
            $((vorlen_pss / 1024)) $((bare_pss / 1024)) '-'
        continue
    fi
    r=$(ratio "$vorlen_ms" "$bare_ms")
    t_ratios+=("$r")
    c_ratios+=("$(ratio "$vorlen_cpu" "$bare_cpu")")
    m_ratios+=("$(ratio "$vorlen_main" "$bare_main")")
    v_main+=("$vorlen_main") b_main+=("$bare_main")
    v_ms+=("$vorlen_ms") b_ms+=("$bare_ms") v_cpu+=("$vorlen_cpu") b_cpu+=("$bare_cpu")
    v_pss+=("$vorlen_pss") b_pss+=("$bare_pss") v_shown+=("$vorlen_shown") b_shown+=("$bare_shown")
    printf '%-5d %9d / %-9d %9d / %-9d %9d / %-9d %7s\n' "$n" "$vorlen_ms" "$bare_ms" "$vorlen_cpu" "$bare_cpu" \
        $((vorlen_pss / 1024)) $((bare_pss / 1024)) "$r"
done

m() { printf '%s\n' "$@" | median; }
printf 'median (vorlen / bare): window %s / %s ms, title %s / %s ms, cpu %s / %s ms, PSS %s / %s MiB\n' \
    "$(m "${v_shown[@]}")" "$(m "${b_shown[@]}")" "$(m "${v_ms[@]}")" "$(m "${b_ms[@]}")" "$(m "${v_cpu[@]}")" "$(m "${b_cpu[@]}")" \
    "$(($(m "${v_pss[@]}" | cut -d. -f1) / 1024))" "$(($(m "${b_pss[@]}" | cut -d. -f1) / 1024))"
echo "pairwise median ratio vorlen / bare: title $(printf '%s\n' "${t_ratios[@]}" | median_interval)"
echo "                                     cpu   $(printf '%s\n' "${c_ratios[@]}" | median_interval)"
echo "                         main thread cpu   $(printf '%s\n' "${m_ratios[@]}" | median_interval)  (median $(m "${v_main[@]}") / $(m "${b_main[@]}") ms)"
