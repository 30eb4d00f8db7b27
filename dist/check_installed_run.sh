#!/bin/sh
# Starts an installed vorlen as a user who cannot write the install (run as
# root, the check becomes the unprivileged user "nobody"; as anyone else, the
# install is made read-only) and checks that it keeps everything it writes in
# the user's XDG folders, copies the shipped theme packs into the user's theme
# folder, and leaves the install as it was. Then the same as the user who may
# write the install (root, when run as root), and a portable copy, which keeps
# its profile beside itself. Ends only the processes it started.
# Usage: check_installed_run.sh BUILD_DIR
set -u
build=$1
work=$build/installed-run
plain_uid=65534
plain_gid=65534

fail() { echo "FAIL: $*"; failed=1; }
failed=0

chmod -R u+w "$work" 2>/dev/null
rm -rf "$work" && mkdir -p "$work" || exit 2
chmod 755 "$work"

prefix=$work/prefix
shipped=$work/shipped
mkdir -p "$shipped/Small"
printf '[Info]\r\nName=Small\r\n' > "$shipped/Small/Small.iti"
printf 'GIF89a' > "$shipped/Small/TopLine.gif"
if ! cmake -DCMAKE_INSTALL_PREFIX="$prefix" -DVORLEN_SHIPPED_PACKS_DIR="$shipped" \
        -P "$build/cmake_install.cmake" > "$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: the install failed"
    exit 1
fi

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

new_home() {
    mkdir -p "$1/data" "$1/config" "$1/tmp"
}

# 1. A user who cannot write the install (as root: the plain user "nobody";
#    as anyone else: the install made read-only).
home=$work/home
new_home "$home"
snapshot "$prefix" > "$work/before.txt"
if [ "$(id -u)" -eq 0 ]; then
    chown -R "$plain_uid:$plain_gid" "$home"
    user=nobody
    as_user="setpriv --reuid=$plain_uid --regid=$plain_gid --clear-groups"
else
    chmod -R a-w "$prefix"
    user=$(id -un)
    as_user=
fi
data=$home/data/vorlen
run_vorlen "$prefix/bin/vorlen" "$home" "$user" "$as_user" "$data/UserData/$user"
cmp -s "$shipped/Small/Small.iti" "$data/Ambrel/Small/Small.iti" || fail "the shipped pack was not copied"
cmp -s "$shipped/Small/TopLine.gif" "$data/Ambrel/Small/TopLine.gif" || fail "the shipped pack was copied in part"
[ "$(id -u)" -eq 0 ] || chmod -R u+w "$prefix"
snapshot "$prefix" > "$work/after.txt"
diff -u "$work/before.txt" "$work/after.txt" || fail "the install changed while $user ran vorlen"

# 2. The current user with the install writable: as root, the root run of a
#    system prefix. An installed copy still writes only to the XDG folders.
me=$(id -un)
home=$work/home-owner
new_home "$home"
chmod -R u+w "$prefix"
snapshot "$prefix" > "$work/before-owner.txt"
run_vorlen "$prefix/bin/vorlen" "$home" "$me" "" "$home/data/vorlen/UserData/$me"
snapshot "$prefix" > "$work/after-owner.txt"
diff -u "$work/before-owner.txt" "$work/after-owner.txt" || fail "the install changed while $me, who may write it, ran vorlen"

# 3. A portable copy (the executable alone in a folder of its own) keeps its
#    profile beside the executable.
portable=$work/portable
mkdir -p "$portable" && cp "$prefix/bin/vorlen" "$portable/vorlen"
home=$work/home-portable
new_home "$home"
run_vorlen "$portable/vorlen" "$home" "$me" "" "$portable/UserData/$me"
[ -e "$home/data/vorlen/UserData" ] && fail "the portable copy wrote a profile into \$XDG_DATA_HOME"

[ "$failed" -eq 0 ] && echo "installed copy: writes only to the XDG folders"
exit "$failed"
