#!/bin/bash
# Key press to the first changed pixel of the page, for the tab hotkeys:
#   next tab  Alt+Right         the next tab's page painted
#   new tab   Ctrl+T            the new tab's first frame
#   close     Ctrl+W            the neighbour's page painted
# at 1, 30 and 100 tabs (TABSWITCH_TABS="1 30 100"), each tab a page of one
# solid colour from a local HTTP server, neighbours always of different colours.
#
#   usage: bench/tabswitch.sh [SAMPLES] [VORLEN_BINARY]
#     SAMPLES        timed key presses per action and tab count (default 40)
#     VORLEN_BINARY  default: build/bin/vorlen of this tree
#   environment:
#     KEYPIXEL_SRC   the key-to-pixel tool's source (default: ../shared/tools/keypixel.c
#                    beside this tree); built here with gcc -lX11 -lXtst (libxtst-dev).
#                    Without it the bench prints SKIPPED and ends successfully.
#     TABSWITCH_TABS the tab counts, ascending (default "1 30 100")
#     TABSWITCH_PRIORITY=0 leaves priorities alone (as bench/startup_ratio.sh)
#     TABSWITCH_RAW=FILE   every timed press as "TABS ACTION OUTPUT" lines
#     TABSWITCH_LOG=FILE   vorlen's output, kept
#     TABSWITCH_BARE=1     times bare_tabs (bench/bare_tabs.cpp, beside VORLEN_BINARY)
#                          instead: the same hotkeys on bare engine views, the floor
#                          of what the engine needs
#
# The tool sends the key through XTest and reads one pixel of the screen in a
# loop until it changes, so the figure is what a user sees: the key filter, the
# command, the window's work and the engine's next frame, on a private X display
# (Xvfb with openbox). One vorlen runs through all tab counts: the tabs are
# opened with Ctrl+T from the rightmost tab, and new/close pairs start at the
# rightmost tab, so Ctrl+W selects the tab that Ctrl+T was pressed on. A pause
# after every press lets the page settle, so that no press waits on the last one.
#
# The page picks its colour from a counter kept in the site's local storage
# (the first page black, later ones from a palette) and writes it into its
# address (?c=N) without loading again; Ctrl+T opens the selected tab's address,
# and a page that finds its opener's colour there takes the next one.
# Prints median and p90 (ms) per action and tab count, and the presses that saw
# no change within 2 s. Only the processes this script started are ended.
set -u

samples=${1:-40}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
vorlen=${2:-$here/../build/bin/vorlen}
keypixel_src=${KEYPIXEL_SRC:-$here/../../shared/tools/keypixel.c}
read -r -a tab_counts <<<"${TABSWITCH_TABS:-1 30 100}"
readonly SETTLE_SWITCH=0.25 SETTLE_NEW=0.7 SETTLE_CLOSE=0.3 KEY_TIMEOUT_MS=2000

if ! [[ $samples =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [SAMPLES] [VORLEN_BINARY]   (SAMPLES: a positive number, got '$samples')" >&2
    exit 2
fi
previous=0
for n in "${tab_counts[@]}"; do
    if ! [[ $n =~ ^[1-9][0-9]*$ ]] || ((n <= previous)); then
        echo "tabswitch: TABSWITCH_TABS must be positive numbers in ascending order, got '${TABSWITCH_TABS:-}'" >&2
        exit 2
    fi
    previous=$n
done
if [[ ! -f $keypixel_src ]]; then
    echo "tabswitch: SKIPPED: no key-to-pixel tool at $keypixel_src (set KEYPIXEL_SRC)"
    exit 0
fi
if [[ ! -x $vorlen || -d $vorlen ]]; then
    echo "tabswitch: no executable at $vorlen (build the vorlen target, or pass the path)" >&2
    exit 2
fi
vorlen=$(cd "$(dirname "$vorlen")" && pwd)/$(basename "$vorlen")
bare=''
if [[ -n ${TABSWITCH_BARE:-} && ${TABSWITCH_BARE:-} != 0 ]]; then
    bare=$(dirname "$vorlen")/bare_tabs
    if [[ ! -x $bare ]]; then
        echo "tabswitch: no bare_tabs beside $vorlen (build the bare_tabs target)" >&2
        exit 2
    fi
fi
missing=()
for tool in Xvfb openbox xprop xwininfo gcc python3; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if ((${#missing[@]})); then
    echo "tabswitch: missing ${missing[*]}; this script installs nothing." >&2
    echo "  On Debian: apt-get install --no-install-recommends xvfb xauth openbox x11-utils gcc libxtst-dev python3" >&2
    exit 2
fi

source "$here/x_session.sh"
make_work_folder tabswitch

# --- priority ------------------------------------------------------------------
raise_priority "${TABSWITCH_PRIORITY:-1}"

xpid='' wmpid='' app='' server=''
cleanup() {
    end_tree "$app"
    [[ -n ${TABSWITCH_LOG:-} && -f $work/run/out.log ]] && cp "$work/run/out.log" "$TABSWITCH_LOG"
    end_tree "$server"
    end_tree "$wmpid"
    end_tree "$xpid"
    rm -rf "$work"
    restore_priority
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

keypixel=$work/keypixel
if ! gcc -O2 -o "$keypixel" "$keypixel_src" -lX11 -lXtst 2>"$work/gcc.log"; then
    echo "tabswitch: the key-to-pixel tool does not build (needs libx11-dev and libxtst-dev):" >&2
    cat "$work/gcc.log" >&2
    exit 2
fi

# --- the site ---------------------------------------------------------------
mkdir -p "$work/site"
cat >"$work/site/tab.html" <<'EOF'
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Tab</title>
<style>html, body { margin: 0; height: 100%; }</style></head>
<body><script>
var palette = ['#000000', '#c0392b', '#27ae60', '#2980b9', '#f1c40f', '#8e44ad', '#16a085', '#d35400'];
var avoid = new URLSearchParams(location.search).get('c');
var n = Number(localStorage.getItem('n') || 0);
var c = 0;
if (n > 0) {
    c = 1 + (n - 1) % (palette.length - 1);
    if (String(c) === avoid) { n++; c = 1 + (n - 1) % (palette.length - 1); }
}
localStorage.setItem('n', String(n + 1));
document.body.style.background = palette[c];
document.title = 'Tab ' + c;
history.replaceState(null, '', '?c=' + c);
</script></body></html>
EOF
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
(cd "$work/site" && exec python3 -m http.server --bind 127.0.0.1 "$port" >"$work/server.log" 2>&1) &
server=$!
for _ in $(seq 250); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    sleep 0.02
done

# --- vorlen -----------------------------------------------------------------
start_x_session tabswitch
root=$work/run
mkdir -p "$root/home" "$root/config/vorlen" "$root/data" "$root/cache" "$root/temp" "$root/app/UserData/$(id -un)"
printf '[%s]\r\n%s=%s\r\n' 'HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\Main' \
    'Start Page' "http://127.0.0.1:$port/tab.html" >"$root/config/vorlen/registry.ini"
# A returning user with the hotkeys on and the settings a system check leaves.
{ printf '[Vorlen Setting]\r\n'; printf '%s\r\n' 'LastWindowMode=0' 'LastWindowWidth=16500' 'LastWindowHeight=11400' \
    'LastWindowTop=600' 'LastWindowLeft=900' 'KeyflintValue=1' 'PurgelValue=1' 'SystemCheckValue=1' \
    'GestraValue=1' 'RestoriaValue=1' 'AskUseBooleanValue=1'; } >"$root/app/UserData/$(id -un)/Setting.ini"
if [[ -n $bare ]]; then
    command=("$bare" --profile "$root/app/profile" "http://127.0.0.1:$port/tab.html")
    title_pattern='*Tab 0 - bare tabs'
else
    cp "$vorlen" "$root/app/vorlen" || exit 1
    command=("$root/app/vorlen")
    title_pattern='*Tab 0*Vorlen*'
fi
(cd "$root" && HOME=$root/home XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data \
    XDG_CACHE_HOME=$root/cache TEMP=$root/temp exec "${command[@]}" >"$root/out.log" 2>&1) &
app=$!

wid=''
for _ in $(seq 300); do
    for id in $(xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -o '0x[0-9a-f]*'); do
        name=$(LC_ALL=C.UTF-8 xprop -id "$id" _NET_WM_NAME 2>/dev/null)
        [[ $name == $title_pattern* ]] && wid=$id
    done
    [[ -n $wid ]] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
if [[ -z $wid ]]; then
    echo "tabswitch: ${command[0]} showed no window with the first tab's page; its output:" >&2
    tail -n 20 "$root/out.log" >&2
    exit 1
fi
sleep 1
geometry=$(xwininfo -id "$wid")
wx=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$geometry")
wy=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$geometry")
ww=$(sed -n 's/.*Width: *//p' <<<"$geometry")
wh=$(sed -n 's/.*Height: *//p' <<<"$geometry")
px=$((wx + ww / 2)) py=$((wy + wh / 2))

# One press; prints the milliseconds or "timeout".
press() { "$keypixel" "$px" "$py" "$1" "$KEY_TIMEOUT_MS"; }

p_stats() {
    sort -g | awk 'NF { v[++n] = $1 } END {
        if (!n) { printf "%8s %8s", "-", "-"; exit }
        m = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        i = int(0.9 * n + 0.999); if (i < 1) i = 1
        printf "%8.1f %8.1f", m, v[i] }'
}

# Times one kind of press; the results go to the named array, timeouts counted.
declare -A lost=()
measure() {
    local key=$1 settle=$2 out=$3 label=$4 r
    r=$(press "$key")
    [[ -n ${TABSWITCH_RAW:-} ]] && echo "$label $r" >>"$TABSWITCH_RAW"
    if [[ $r == timeout || -z $r ]]; then
        lost[$label]=$((${lost[$label]:-0} + 1))
    else
        eval "$out+=(\"${r%% *}\")"
    fi
    sleep "$settle"
}

echo "tab hotkeys, key press to the first changed pixel: $samples press(es) per action, display $DISPLAY, priority: $priority"
echo "  program: ${bare:-$vorlen}, pixel ($px, $py) of a ${ww}x${wh} window, load average $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-6s %-10s %8s %8s %8s %s\n' tabs action median p90 samples ''
tabs=1
for n in "${tab_counts[@]}"; do
    # More tabs, each opened from the rightmost one; not timed.
    while ((tabs < n)); do
        press ctrl+t >/dev/null
        sleep 0.3
        tabs=$((tabs + 1))
    done
    sleep 1
    switch=() new=() close=()
    if ((n > 1)); then
        for _ in $(seq "$samples"); do measure alt+Right "$SETTLE_SWITCH" switch "$n next"; done
        # Back to the rightmost tab.
        for _ in $(seq $(((n - samples % n) % n))); do press alt+Right >/dev/null; sleep 0.1; done
        sleep 0.5
    fi
    for _ in $(seq "$samples"); do
        measure ctrl+t "$SETTLE_NEW" new "$n new"
        measure ctrl+w "$SETTLE_CLOSE" close "$n close"
    done
    for action in next new close; do
        case $action in
        next) ((n > 1)) || continue; values=("${switch[@]}") ;;
        new) values=("${new[@]}") ;;
        close) values=("${close[@]}") ;;
        esac
        note=''
        [[ -n ${lost["$n $action"]:-} ]] && note="(${lost["$n $action"]} without a change)"
        printf '%-6s %-10s %s %8d %s\n' "$n" "$action" "$(printf '%s\n' "${values[@]}" | p_stats)" "${#values[@]}" "$note"
    done
    kill -0 "$app" 2>/dev/null || { echo "tabswitch: vorlen ended; its output:" >&2; tail -n 20 "$root/out.log" >&2; exit 1; }
done
