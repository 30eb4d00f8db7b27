# Shared by the install checks (sourced; they define fail()): a listing of a
# folder tree that tells whether anything in it changed, and one headless run
# of vorlen that lasts until its profile holds the engine's storage.

snapshot() {
    (cd "$1" && find . -exec ls -ld --time-style=+%s {} + | LC_ALL=C sort)
}

# Starts the vorlen at $1 in a session of its own (so that ending it ends the
# engine's helper processes too) with the home folder $2, as the user $3 by
# the command $4 (empty: the current user), until the profile folder $5 holds
# the engine's storage; then ends it.
run_vorlen() {
    exe=$1; home=$2; user=$3; runner=$4; profile=$5
    setsid $runner env -i HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
        XDG_RUNTIME_DIR= TEMP="$home/tmp" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen \
        QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu QTWEBENGINE_DISABLE_SANDBOX=1 \
        "$exe" > "$home.log" 2>&1 &
    pid=$!
    tries=0
    while [ $tries -lt 600 ] && ! [ -d "$profile/Engine" ]; do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
        tries=$((tries + 1))
    done
    running=no
    kill -0 "$pid" 2>/dev/null && running=yes
    kill -TERM "-$pid" 2>/dev/null
    sleep 0.5
    kill -KILL "-$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    [ "$running" = yes ] || { cat "$home.log"; fail "$exe did not keep running as $user"; }
    [ -d "$profile/Engine" ] || fail "no profile folder at $profile for $user"
}
