#!/bin/bash
# Memory of many tabs: the PSS of vorlen's whole process tree (vorlen and its
# QtWebEngineProcess helpers, summed from /proc/<pid>/smaps_rollup) with 1, 30
# and 100 tabs of a mid-size local page, once all have loaded and again after
# the background tabs were frozen and discarded; and, beside it, the bare
# engine program (bench/bare_engine.cpp) holding the same 30 pages, opened one
# after the other and each shown once, as vorlen's new tabs are (a view that
# was shown keeps about 9 MiB of drawing memory in the program's own process,
# so hidden views that never showed would not be the same work).
#
#   usage: bench/memory_tabs.sh [COUNTS] [VORLEN_BINARY] [BARE_BINARY]
#     COUNTS         tab counts, comma-separated (default 1,30,100)
#     VORLEN_BINARY  default: build/bin/vorlen of this tree
#     BARE_BINARY    default: bare_engine beside VORLEN_BINARY
#
# The page (about 200 KB: markup, six pictures, a script that builds part of
# the page and keeps a clock going) is served by python3's http.server on a
# port of the loopback; the start page is its address. Each count runs a fresh
# vorlen in a private X display (Xvfb + openbox) with its own HOME, XDG
# folders, TEMP and copy of the program, as bench/startup_ratio.sh does. The
# tabs are opened with Ctrl+T (a new tab of the current tab's address), sent
# with xdotool to vorlen's window.
#
# During the loading the settings file holds TabFreezeSecondsValue=0 and
# TabDiscardSecondsValue=0 (never). "before" is measured once the pages have
# settled; then the script writes 6 and 12 seconds (0.1 and 0.2 minutes), which
# vorlen reads at its next look over the tabs (within a minute), and "after" is
# measured once all but the current and the last selected tab are discarded.
#
# With more than one tab, the switch to a discarded tab is timed as well: each
# load of the page paints it in the next of twelve colours (a counter in the
# site's local storage), so a small XTest program (built here with cc) sends
# Alt+Right and waits for the middle of the page to turn into another of those
# colours. For comparison the switch back (Alt+Left, to a tab still loaded) is
# timed the same way. Each figure is the median of SWITCHES (default 8) tries.
#
# Needs Xvfb, openbox, xprop, xdotool, python3, cc with the X11 and XTest
# headers (libx11-dev, libxtst-dev); installs nothing. Only the processes this
# script started are ended.
set -u

counts=${1:-1,30,100}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
vorlen=${2:-$here/../build/bin/vorlen}
bare=${3:-$(dirname "$vorlen")/bare_engine}
switches=${SWITCHES:-8}
readonly FREEZE_S=6 DISCARD_S=12 BARE_TABS=30

if ! [[ $counts =~ ^[1-9][0-9]*(,[1-9][0-9]*)*$ ]]; then
    echo "usage: $0 [COUNTS] [VORLEN_BINARY] [BARE_BINARY]   (COUNTS like 1,30,100, got '$counts')" >&2
    exit 2
fi
for b in "$vorlen" "$bare"; do
    if [[ ! -x $b || -d $b ]]; then
        echo "memory_tabs: no executable at $b (build the vorlen and bare_engine targets, or pass the paths)" >&2
        exit 2
    fi
done
vorlen=$(cd "$(dirname "$vorlen")" && pwd)/$(basename "$vorlen")
bare=$(cd "$(dirname "$bare")" && pwd)/$(basename "$bare")

missing=()
for tool in Xvfb openbox xprop xdotool python3 cc; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if ((${#missing[@]})); then
    echo "memory_tabs: missing ${missing[*]}; this script installs nothing." >&2
    echo "  On Debian: apt-get install --no-install-recommends xvfb xauth openbox x11-utils xdotool gcc libx11-dev libxtst-dev" >&2
    exit 2
fi

source "$here/x_session.sh"
make_work_folder memory

xpid='' wmpid='' app='' server=''
cleanup() {
    end_tree "$app"
    end_tree "$server"
    end_tree "$wmpid"
    end_tree "$xpid"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# PSS (KiB) of a process and everything below it.
tree_pss() {
    local total=0 pid key value _
    for pid in "$1" $(descendants "$1"); do
        while read -r key value _; do
            [[ $key == Pss: ]] && { total=$((total + value)); break; }
        done 2>/dev/null <"/proc/$pid/smaps_rollup"
    done
    echo "$total"
}
# PSS (KiB) of the process alone.
own_pss() {
    local key value _
    while read -r key value _; do
        [[ $key == Pss: ]] && { echo "$value"; return; }
    done 2>/dev/null <"/proc/$1/smaps_rollup"
    echo 0
}
mib() { awk -v k="$1" 'BEGIN { printf "%.0f", k / 1024 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# --- the page and its server ------------------------------------------------
site=$work/site
mkdir -p "$site"
python3 - "$site" <<'EOF' || exit 1
import os, random, struct, sys, zlib
site = sys.argv[1]
rng = random.Random(23)
def png(path, w, h):
    # Noise does not compress: each picture is about w * h * 3 bytes.
    rows = b''.join(b'\0' + bytes(rng.getrandbits(8) for _ in range(w * 3)) for _ in range(h))
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(rows, 1)) + chunk(b'IEND', b''))
for i in range(6):
    png(os.path.join(site, 'picture%d.png' % i), 96, 88)
words = 'tab memory engine page frame script picture window process lifecycle'.split()
text = '\n'.join('<p>%s</p>' % ' '.join(rng.choice(words) for _ in range(60)) for _ in range(45))
data = ',\n'.join('{"id": %d, "name": "%s", "value": %f}' % (i, rng.choice(words), rng.random()) for i in range(600))
with open(os.path.join(site, 'page.js'), 'w') as f:
    f.write('var rows = [\n%s\n];\n' % data)
    f.write('''
var palette = ['#1f4e79', '#7a2e8a', '#2e7d32', '#b23c17', '#00695c', '#8d6e00',
               '#37474f', '#ad1457', '#283593', '#4e342e', '#558b2f', '#00838f'];
var n = Number(localStorage.getItem('loads') || 0) + 1;
localStorage.setItem('loads', String(n));
document.getElementById('band').style.background = palette[n % palette.length];
var list = document.getElementById('list');
rows.forEach(function (r) {
  var li = document.createElement('li');
  li.textContent = r.id + ' ' + r.name + ' ' + r.value.toFixed(4);
  list.appendChild(li);
});
setInterval(function () { document.getElementById('clock').textContent = new Date().toISOString(); }, 1000);
''')
pictures = ''.join('<img src="picture%d.png" width="96" height="88">' % i for i in range(6))
with open(os.path.join(site, 'page.html'), 'w') as f:
    f.write('''<!DOCTYPE html><html><head><meta charset="utf-8"><title>Memory Bench Page</title>
<style>#band { position: fixed; left: 0; right: 0; top: 25%%; height: 50%%; }</style></head>
<body><div id="band"></div><h1>Memory Bench Page</h1><p id="clock"></p>%s%s<ul id="list"></ul>
<script src="page.js"></script></body></html>''' % (pictures, text))
EOF
page_kib=$(du -k -c "$site"/* | tail -n1 | cut -f1)

python3 -u -m http.server --bind 127.0.0.1 --directory "$site" 0 >"$work/server.log" 2>&1 &
server=$!
port=''
for _ in $(seq 250); do
    port=$(sed -n 's/.* port \([0-9]\+\).*/\1/p' "$work/server.log" | head -n1)
    [[ -n $port ]] && break
    sleep 0.02
done
if [[ -z $port ]]; then
    echo "memory_tabs: the page server did not start:" >&2
    cat "$work/server.log" >&2
    exit 1
fi
url="http://127.0.0.1:$port/page.html"

# --- the switch timer -----------------------------------------------------------
cat >"$work/switchpixel.c" <<'EOF'
/* switchpixel X Y KEYSPEC TIMEOUT_MS COLOUR...: sends the key through XTest
 * and prints the milliseconds until the pixel at X,Y of the root window turns
 * into one of the colours (0xRRGGBB) other than the one it had, or "timeout". */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <time.h>
static double now_ms(void) { struct timespec t; clock_gettime(CLOCK_MONOTONIC, &t); return t.tv_sec * 1e3 + t.tv_nsec / 1e6; }
static unsigned long pixel(Display *d, Window r, int x, int y) {
    XImage *im = XGetImage(d, r, x, y, 1, 1, AllPlanes, ZPixmap);
    unsigned long p = im ? XGetPixel(im, 0, 0) & 0xffffff : 0;
    if (im) XDestroyImage(im);
    return p;
}
int main(int argc, char **argv) {
    if (argc < 6) { fprintf(stderr, "usage: switchpixel X Y KEYSPEC TIMEOUT_MS COLOUR...\n"); return 2; }
    int x = atoi(argv[1]), y = atoi(argv[2]);
    double timeout = atof(argv[4]);
    Display *d = XOpenDisplay(NULL);
    if (!d) { fprintf(stderr, "no display\n"); return 2; }
    Window r = DefaultRootWindow(d);
    KeyCode codes[8]; int n = 0;
    char spec[256]; strncpy(spec, argv[3], sizeof spec - 1); spec[sizeof spec - 1] = 0;
    for (char *tok = strtok(spec, "+"); tok && n < 8; tok = strtok(NULL, "+")) {
        KeySym ks = !strcasecmp(tok, "ctrl") ? XK_Control_L : !strcasecmp(tok, "alt") ? XK_Alt_L
                  : !strcasecmp(tok, "shift") ? XK_Shift_L : XStringToKeysym(tok);
        if (ks == NoSymbol) { fprintf(stderr, "unknown key %s\n", tok); return 2; }
        codes[n++] = XKeysymToKeycode(d, ks);
    }
    unsigned long before = pixel(d, r, x, y);
    double t0 = now_ms();
    for (int i = 0; i < n; i++) XTestFakeKeyEvent(d, codes[i], True, 0);
    for (int i = n - 1; i >= 0; i--) XTestFakeKeyEvent(d, codes[i], False, 0);
    XFlush(d);
    for (;;) {
        unsigned long p = pixel(d, r, x, y);
        double t = now_ms() - t0;
        if (p != before)
            for (int i = 5; i < argc; i++)
                if (strtoul(argv[i], NULL, 16) == p) { printf("%.1f\n", t); XCloseDisplay(d); return 0; }
        if (t > timeout) { printf("timeout\n"); break; }
    }
    XCloseDisplay(d);
    return 0;
}
EOF
if ! cc -O2 -o "$work/switchpixel" "$work/switchpixel.c" -lX11 -lXtst 2>"$work/cc.log"; then
    echo "memory_tabs: cannot build the switch timer (libx11-dev and libxtst-dev installed?):" >&2
    cat "$work/cc.log" >&2
    exit 2
fi
readonly PALETTE=(1f4e79 7a2e8a 2e7d32 b23c17 00695c 8d6e00 37474f ad1457 283593 4e342e 558b2f 00838f)

start_x_session memory_tabs

# --- one run of vorlen --------------------------------------------------------
# Waits until a window whose name matches the pattern is mapped; prints its id.
wait_window() {
    local pattern=$1 tries id
    for tries in $(seq 600); do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1)
        [[ -n $id ]] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}

# Sets one key of [Vorlen Setting] in the settings file (kept CR LF).
set_key() {
    local file=$1 key=$2 value=$3
    if grep -q "^$key=" "$file"; then
        sed -i "s/^$key=.*/$key=$value\r/" "$file"
    else
        sed -i "s/^\[Vorlen Setting\]\r\?$/&\n$key=$value\r/" "$file"
    fi
}

# Tries the switch from the current tab to the next one (discarded) and back.
# Prints "D ms" and "A ms" lines.
time_switches() {
    local wid=$1 X=0 Y=0 WIDTH=0 HEIGHT=0 WINDOW SCREEN px py i
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    # The middle of the window lies in the page's coloured band.
    px=$((X + WIDTH / 2)) py=$((Y + HEIGHT / 2))
    for i in $(seq "$switches"); do
        echo "D $("$work/switchpixel" "$px" "$py" alt+Right 5000 "${PALETTE[@]}")"
        sleep 1
        echo "A $("$work/switchpixel" "$px" "$py" alt+Left 5000 "${PALETTE[@]}")"
        sleep 0.3
        xdotool key alt+Right
        sleep 1
    done
}

run_vorlen() {
    local n=$1
    local root=$work/vorlen$n user
    user=$(id -un)
    mkdir -p "$root/home" "$root/config/vorlen" "$root/data" "$root/cache" "$root/temp" "$root/app/UserData/$user"
    printf '[%s]\r\n%s=%s\r\n' 'HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\Main' \
        'Start Page' "$url" >"$root/config/vorlen/registry.ini"
    local ini=$root/app/UserData/$user/Setting.ini
    printf '[Vorlen Setting]\r\nLastWindowMode=0\r\nLastWindowWidth=16500\r\nLastWindowHeight=11400\r\nKeyflintValue=1\r\nTabFreezeSecondsValue=0\r\nTabDiscardSecondsValue=0\r\n' >"$ini"
    cp "$vorlen" "$root/app/vorlen" || return 1
    (cd "$root" && HOME=$root/home XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data \
        XDG_CACHE_HOME=$root/cache TEMP=$root/temp exec "$root/app/vorlen" >"$root/out.log" 2>&1) &
    app=$!
    local wid
    if ! wid=$(wait_window 'Vorlen™'); then
        echo "memory_tabs: vorlen showed no window" >&2
        end_tree "$app"; app=''
        return 1
    fi
    sleep 3
    xdotool windowactivate --sync "$wid" 2>/dev/null
    local i
    for ((i = 1; i < n; i++)); do
        xdotool key ctrl+t
        sleep 0.25
    done
    # The pages load, and their first work settles.
    sleep $((8 + n / 5))
    local before after before_own after_own
    before=$(tree_pss "$app") before_own=$(own_pss "$app")
    set_key "$ini" TabFreezeSecondsValue "$FREEZE_S"
    set_key "$ini" TabDiscardSecondsValue "$DISCARD_S"
    # The next look (within a minute) reads the periods; from then on the tabs
    # are looked over every 1.2 s and freeze after 6 s, discard after 12 s.
    sleep $((60 + DISCARD_S + 8))
    after=$(tree_pss "$app") after_own=$(own_pss "$app")
    local processes
    processes=$(($(descendants "$app" | wc -l) + 1))
    ((n == BARE_TABS)) && echo "$before" >"$work/vorlen.pss"
    printf '%5d tabs  vorlen   before %6s MiB   after %6s MiB   (vorlen itself %s and %s MiB; processes at the end: %d)\n' \
        "$n" "$(mib "$before")" "$(mib "$after")" "$(mib "$before_own")" "$(mib "$after_own")" "$processes"
    if ((n > 2)); then
        xdotool windowactivate --sync "$wid" 2>/dev/null
        time_switches "$wid" >"$root/switches.txt"
        local d a lost
        d=$(awk '$1 == "D" && $2 != "timeout" { print $2 }' "$root/switches.txt" | median)
        a=$(awk '$1 == "A" && $2 != "timeout" { print $2 }' "$root/switches.txt" | median)
        lost=$(grep -c timeout "$root/switches.txt")
        printf '%5d tabs  switch to a discarded tab: median %s ms; back to a loaded one: median %s ms (%d of %d tries timed out)\n' \
            "$n" "$d" "$a" "$lost" $((2 * switches))
    fi
    end_tree "$app"
    app=''
}

run_bare() {
    local n=$1
    local root=$work/bare$n
    mkdir -p "$root/home" "$root/data" "$root/cache" "$root/config"
    (cd "$root" && HOME=$root/home XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data XDG_CACHE_HOME=$root/cache \
        exec "$bare" --frameless --tabs "$n" --profile "$root/profile" "$url" >"$root/out.log" 2>&1) &
    app=$!
    if ! wait_window 'bare engine' >/dev/null; then
        echo "memory_tabs: bare_engine showed no window" >&2
        end_tree "$app"; app=''
        return 1
    fi
    sleep $((8 + n / 5 + 3))
    local pss
    pss=$(tree_pss "$app")
    printf '%5d tabs  bare     loaded %6s MiB   (bare_engine itself %s MiB; processes: %d)\n' "$n" "$(mib "$pss")" \
        "$(mib "$(own_pss "$app")")" $(($(descendants "$app" | wc -l) + 1))
    end_tree "$app"
    app=''
    echo "$pss" >"$work/bare.pss"
}

echo "memory_tabs: page $page_kib KiB from $url; freeze after ${FREEZE_S} s, discard after ${DISCARD_S} s"
run_bare "$BARE_TABS"
for n in ${counts//,/ }; do
    run_vorlen "$n"
done
if [[ -s $work/vorlen.pss && -s $work/bare.pss ]]; then
    awk -v v="$(cat "$work/vorlen.pss")" -v b="$(cat "$work/bare.pss")" -v n="$BARE_TABS" \
        'BEGIN { printf "%5d tabs  vorlen before the discard / bare: %.3f\n", n, v / b }'
fi
