#!/bin/bash
# Runs the Wayland smoke test (browser_wayland_tests) under weston's headless
# back end: a private runtime folder and socket, a throw-away HOME and XDG
# folders; only the processes started here are ended.
#
#   usage: tests/wayland/run_weston_smoke.sh BROWSER_WAYLAND_TESTS [GTEST ARGUMENTS...]
#
# Exits 77 (reported by CTest as skipped) with the reason when weston or Qt's
# Wayland platform is missing or weston cannot start; never passes without
# running. Debian packages: weston qt6-wayland.
set -u

binary=${1:?usage: $0 BROWSER_WAYLAND_TESTS [GTEST ARGUMENTS...]}
shift

skip() {
    echo "SKIPPED: $*"
    exit 77
}

command -v weston >/dev/null 2>&1 || skip "weston is not installed (Debian: weston)"
plugin=$(ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so 2>/dev/null | head -n1)
[[ -n $plugin ]] || skip "Qt's Wayland platform is not installed (Debian: qt6-wayland)"

work=$(mktemp -d "${TMPDIR:-/tmp}/vorlen-wayland-XXXXXX")
weston_pid=
cleanup() {
    if [[ -n $weston_pid ]]; then
        kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

export HOME=$work/home
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY QT_IM_MODULE XMODIFIERS SESSION_MANAGER

socket=vorlen-wayland-0
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --width=1280 --height=1024 \
    >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [[ -S $XDG_RUNTIME_DIR/$socket ]] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.05
done
[[ -S $XDG_RUNTIME_DIR/$socket ]] || skip "weston did not start: $(tail -n3 "$work/weston.log" | tr '\n' ' ')"

# An absolute socket path: the test main gives the binary a runtime folder of its own.
export WAYLAND_DISPLAY=$XDG_RUNTIME_DIR/$socket QT_QPA_PLATFORM=wayland
"$binary" "$@"
rc=$?
if ((rc != 0)); then
    echo "--- weston log ---"
    tail -n 20 "$work/weston.log"
fi
exit $rc
