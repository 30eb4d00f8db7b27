#!/bin/bash
# Whole-process start-up time of vorlen: from the moment the process is started
# until its window title shows the start page ("시작 문서 - Vorlen™").
#
#   usage: bench/startup_time.sh [RUNS] [VORLEN_BINARY] [restore]
#     RUNS           number of runs (default 5)
#     VORLEN_BINARY  the program (default: build/bin/vorlen of this tree)
#     restore        the restore mode: every run is three starts in turn, one
#                    without a session, one continuing a session of one tab and
#                    one continuing a session of 30 tabs (SessionRestoreValue=2,
#                    the selected first tab showing the start page, the other
#                    tabs waiting to be selected); prints the medians and the
#                    ratios of the 30-tab start to the two one-tab starts.
#
# Runs in a private X display (Xvfb) with a window manager (openbox); needs
# Xvfb, openbox and xdotool and installs nothing. Every run starts cold: a fresh
# temporary folder holds HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, TEMP and a copy
# of the program (the program keeps its profile beside the executable when that
# folder is writable, so running build/bin/vorlen in place would reuse and
# change the profile in build/bin/UserData). The start page is a local file
# registered in the registry stand-in. Only the processes this script started
# (Xvfb, openbox, vorlen and the helpers vorlen started) are ended.
set -u

readonly TITLE='시작 문서 - Vorlen™'
readonly FIREWALL_TITLE='Windows 방화벽 설정'
readonly POLL=0.02          # seconds between two looks at the window title
readonly TIMEOUT_MS=30000

runs=${1:-5}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bin=${2:-$here/../build/bin/vorlen}
mode=${3:-}
if [[ -n $mode && $mode != restore ]]; then
    echo "usage: $0 [RUNS] [VORLEN_BINARY] [restore]   (unknown mode '$mode')" >&2
    exit 2
fi

if ! [[ $runs =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [RUNS] [VORLEN_BINARY]   (RUNS: a positive number, got '$runs')" >&2
    exit 2
fi
if [[ ! -x $bin || -d $bin ]]; then
    echo "startup_time: no vorlen executable at $bin (build the vorlen target first, or pass its path)" >&2
    exit 2
fi
bin=$(cd "$(dirname "$bin")" && pwd)/$(basename "$bin")

missing=()
for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if ((${#missing[@]})); then
    echo "startup_time: missing ${missing[*]}; this script installs nothing." >&2
    echo "  On Debian: apt-get install --no-install-recommends xvfb xauth openbox xdotool" >&2
    exit 2
fi

# Milliseconds since the epoch.
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

source "$here/x_session.sh"

make_work_folder startup

xpid='' wmpid='' app=''
cleanup() {
    end_tree "$app"
    end_tree "$wmpid"
    end_tree "$xpid"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# --- the X display and the programs' surroundings --------------------------
start_x_session startup_time

# A session file of TABS tabs (see browser/sessions/SessionFile.cpp): the first
# one the start page, selected; the others web addresses that are never loaded.
write_session() {
    local file=$1 tabs=$2 start=$3
    python3 - "$file" "$tabs" "$start" <<'PY'
import hashlib, struct, sys
path, count, start = sys.argv[1], int(sys.argv[2]), sys.argv[3]
def qs(text):
    data = text.encode("utf-16-be")
    return struct.pack(">I", len(data)) + data
payload = struct.pack(">?iI", False, 0, count)
for i in range(count):
    url = start if i == 0 else f"http://127.0.0.1:9/restored/{i}?q=waiting"
    title = "Startup Bench Page" if i == 0 else f"복원된 탭 {i}"
    payload += qs(url) + qs(title) + struct.pack(">I", 0)
payload += struct.pack(">I", 0)
with open(path, "wb") as f:
    f.write(struct.pack(">IiI", 0x564C5353, 1, len(payload)) + hashlib.sha1(payload).digest() + payload)
PY
}

# One cold run. Sets r_shown and r_total (ms) or prints a reason on stderr.
# RESTORED, when set, is the number of tabs of the session the run continues.
run_once() {
    local n=$1 restored=${RESTORED:-0}
    local root=$work/run$n
    mkdir -p "$root/home" "$root/config/vorlen" "$root/data" "$root/cache" "$root/temp" "$root/app" "$root/site"
    cp "$bin" "$root/app/vorlen" || return 1

    local page=$root/site/start.html
    printf '%s\n' '<!DOCTYPE html>' '<html><head><meta charset="utf-8"><title>Startup Bench Page</title></head>' \
        '<body><h1>Startup Bench Page</h1><p>A local start page for the start-up timing.</p></body></html>' \
        >"$page"
    printf '[%s]\r\n%s=%s\r\n' 'HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\Main' \
        'Start Page' "file://$page" >"$root/config/vorlen/registry.ini"
    # A returning user: without a settings file the first start greets a new one.
    mkdir -p "$root/app/UserData/$(id -un)"
    printf '[Vorlen Setting]\r\nLastWindowMode=0\r\nLastWindowWidth=16500\r\nLastWindowHeight=11400\r\n' \
        >"$root/app/UserData/$(id -un)/Setting.ini"
    if ((restored > 0)); then
        printf 'SessionRestoreValue=2\r\n' >>"$root/app/UserData/$(id -un)/Setting.ini"
        write_session "$root/app/UserData/$(id -un)/session.vss" "$restored" "file://$page" || return 1
    fi

    local t0 t shown='' names
    t0=$(now_ms)
    (cd "$root" && HOME=$root/home XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data \
        XDG_CACHE_HOME=$root/cache TEMP=$root/temp exec "$root/app/vorlen" >"$root/vorlen.log" 2>&1) &
    app=$!

    while :; do
        t=$(now_ms)
        if ! kill -0 "$app" 2>/dev/null; then
            echo "run $n: vorlen ended after $((t - t0)) ms before showing the start page; its output:" >&2
            tail -n 20 "$root/vorlen.log" >&2
            end_tree "$app"; app=''
            return 1
        fi
        names=$(xdotool search --onlyvisible --name "Vorlen™|$FIREWALL_TITLE" getwindowname %@ 2>/dev/null)
        if [[ -n $names ]]; then
            [[ -n $shown ]] || shown=$((t - t0))
            if grep -qxF "$TITLE" <<<"$names"; then
                break
            fi
            if grep -qF "$FIREWALL_TITLE" <<<"$names"; then
                echo "run $n: the firewall offer (ufw/firewalld reports the firewall off) holds up the start; not timed" >&2
                end_tree "$app"; app=''
                return 1
            fi
        fi
        if ((t - t0 > TIMEOUT_MS)); then
            echo "run $n: no window titled '$TITLE' within $((TIMEOUT_MS / 1000)) s; windows seen: ${names:-none}" >&2
            tail -n 20 "$root/vorlen.log" >&2
            end_tree "$app"; app=''
            return 1
        fi
        sleep "$POLL"
    done
    r_shown=$shown
    r_total=$((t - t0))
    end_tree "$app"; app=''
    rm -rf "$root"
}

median_of() {
    local sorted=($(printf '%s\n' "$@" | sort -n)) count=$#
    if ((count % 2)); then echo "${sorted[count / 2]}"; else echo $(((sorted[count / 2 - 1] + sorted[count / 2]) / 2)); fi
}

if [[ $mode == restore ]]; then
    echo "vorlen start-up, restore mode: $bin, $runs run(s) of three starts, display $DISPLAY"
    plain=() one=() thirty=()
    for n in $(seq "$runs"); do
        # The order turns each run, so a drifting load favours none of the three.
        kinds=(0 1 30)
        ((n % 3 == 1)) && kinds=(1 30 0)
        ((n % 3 == 2)) && kinds=(30 0 1)
        for kind in "${kinds[@]}"; do
            RESTORED=$kind run_once "$n-$kind" || exit 1
            case $kind in
            0) plain+=("$r_total") ;;
            1) one+=("$r_total") ;;
            30) thirty+=("$r_total") ;;
            esac
        done
        printf 'run %d: no session %5d ms, one tab restored %5d ms, 30 tabs restored %5d ms\n' "$n" \
            "${plain[-1]}" "${one[-1]}" "${thirty[-1]}"
    done
    m0=$(median_of "${plain[@]}") m1=$(median_of "${one[@]}") m30=$(median_of "${thirty[@]}")
    echo "median until the start page title: no session $m0 ms, one tab restored $m1 ms, 30 tabs restored $m30 ms"
    awk -v a="$m30" -v b="$m1" -v c="$m0" 'BEGIN { printf "ratio 30 tabs / one restored tab: %.3f, 30 tabs / no session: %.3f\n", a / b, a / c }'
    exit 0
fi

echo "vorlen start-up: $bin, $runs run(s), display $DISPLAY"
results=()
for n in $(seq "$runs"); do
    # Not in a subshell: the trap must see the program's id to end it.
    run_once "$n" || exit 1
    printf 'run %d: window shown %5d ms, start page title %5d ms\n' "$n" "$r_shown" "$r_total"
    results+=("$r_total")
done

sorted=($(printf '%s\n' "${results[@]}" | sort -n))
count=${#sorted[@]}
if ((count % 2)); then
    median=${sorted[count / 2]}
else
    median=$(( (sorted[count / 2 - 1] + sorted[count / 2]) / 2 ))
fi
echo "median: $median ms until the start page title (min ${sorted[0]}, max ${sorted[count - 1]})"
