#!/bin/bash
# Runs the Hangul input tests (browser_ime_tests) with a real input method:
# a private X display (Xvfb) with openbox, a private D-Bus session, and fcitx5
# with its Hangul engine active in every input context. Everything runs with a
# throw-away HOME and XDG folders; only the processes started here are ended.
#
#   usage: tests/ime/run_hangul_tests.sh BROWSER_IME_TESTS [GTEST ARGUMENTS...]
#
# Exits 77 (reported by CTest as skipped) with the reason when something the
# tests need is missing or fcitx5 cannot start; never passes without running.
# Debian packages: xvfb xauth openbox dbus-x11 xdotool fcitx5 fcitx5-hangul
# fcitx5-frontend-qt6.
set -u

binary=${1:?usage: $0 BROWSER_IME_TESTS [GTEST ARGUMENTS...]}
shift

skip() {
    echo "SKIPPED: $*"
    exit 77
}

for tool in Xvfb openbox dbus-launch fcitx5 fcitx5-remote xdotool; do
    command -v "$tool" >/dev/null 2>&1 ||
        skip "$tool is not installed (Debian: xvfb openbox dbus-x11 xdotool fcitx5 fcitx5-hangul fcitx5-frontend-qt6)"
done
plugin=$(ls /usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so 2>/dev/null | head -n1)
[[ -n $plugin ]] || skip "fcitx5's Qt 6 module is not installed (Debian: fcitx5-frontend-qt6)"
[[ -e /usr/share/fcitx5/addon/hangul.conf ]] || skip "fcitx5's Hangul engine is not installed (Debian: fcitx5-hangul)"

work=$(mktemp -d "${TMPDIR:-/tmp}/vorlen-ime-XXXXXX")
pids=()
cleanup() {
    local pid
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

export HOME=$work/home
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset XMODIFIERS GTK_IM_MODULE QT_IM_MODULE SESSION_MANAGER

# A free display number: no socket and no lock file.
display=
for n in $(seq 91 160); do
    if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
        display=$n
        break
    fi
done
[[ -n $display ]] || skip "no free X display number"
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [[ -e /tmp/.X11-unix/X$display ]] && break
    sleep 0.05
done
[[ -e /tmp/.X11-unix/X$display ]] || skip "Xvfb did not start: $(tail -n3 "$work/xvfb.log")"
export DISPLAY=:$display

eval "$(dbus-launch --sh-syntax)" || skip "no private D-Bus session (dbus-launch failed)"
pids+=("$DBUS_SESSION_BUS_PID")

# The window manager starts without XMODIFIERS: with it set, openbox waits on
# the input method through XIM and hangs when fcitx5 stops.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)

# fcitx5: keyboard-us first (the inactive state), Hangul as the active input
# method, and every new input context starts active.
mkdir -p "$XDG_CONFIG_HOME/fcitx5/conf"
cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'EOF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=hangul

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=hangul
Layout=

[GroupOrder]
0=Default
EOF
cat >"$XDG_CONFIG_HOME/fcitx5/config" <<'EOF'
[Behavior]
ActiveByDefault=True
ShareInputState=No
ShowInputMethodInformation=False
EOF
fcitx5 --disable=wayland,waylandim,kimpanel,notificationitem,notifications,fcitx4frontend,ibusfrontend \
    >"$work/fcitx5.log" 2>&1 &
pids+=($!)
ready=
for _ in $(seq 100); do
    if fcitx5-remote >/dev/null 2>&1; then
        ready=1
        break
    fi
    sleep 0.1
done
[[ -n $ready ]] || skip "fcitx5 did not start: $(tail -n5 "$work/fcitx5.log")"

export QT_QPA_PLATFORM=xcb QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx
"$binary" "$@"
rc=$?
if ((rc != 0)); then
    echo "--- fcitx5 log ---"
    tail -n 20 "$work/fcitx5.log"
fi
exit $rc
