#!/bin/sh
# Starts an installed vorlen as a user who cannot write the install (run as
# root, the check becomes the unprivileged user "nobody"; as anyone else, the
# install is made read-only) and checks that it keeps everything it writes in
# the user's XDG folders, copies the shipped theme packs into the user's theme
# folder, and leaves the install as it was. Ends only the processes it started.
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

home=$work/home
mkdir -p "$home/data" "$home/config" "$home/tmp"
(cd "$prefix" && find . -exec ls -ld --time-style=+%s {} + | LC_ALL=C sort) > "$work/before.txt"

if [ "$(id -u)" -eq 0 ]; then
    chown -R "$plain_uid:$plain_gid" "$home"
    user=nobody
    as_user="setpriv --reuid=$plain_uid --regid=$plain_gid --clear-groups"
else
    chmod -R a-w "$prefix"
    user=$(id -un)
    as_user=
fi

# Its own session, so that ending it ends the engine's helper processes too.
setsid $as_user env -i HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
    XDG_RUNTIME_DIR= TEMP="$home/tmp" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen \
    QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu QTWEBENGINE_DISABLE_SANDBOX=1 \
    "$prefix/bin/vorlen" > "$work/vorlen.log" 2>&1 &
pid=$!

# It has started when its profile holds the engine's storage.
data=$home/data/vorlen
tries=0
while [ $tries -lt 600 ] && ! [ -d "$data/UserData/$user/Engine" ]; do
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

[ "$running" = yes ] || { cat "$work/vorlen.log"; fail "vorlen did not keep running"; }
[ -d "$data/UserData/$user/Engine" ] || fail "no profile folder in \$XDG_DATA_HOME/vorlen/UserData/$user"
cmp -s "$shipped/Small/Small.iti" "$data/Ambrel/Small/Small.iti" || fail "the shipped pack was not copied"
cmp -s "$shipped/Small/TopLine.gif" "$data/Ambrel/Small/TopLine.gif" || fail "the shipped pack was copied in part"

[ "$(id -u)" -eq 0 ] || chmod -R u+w "$prefix"
(cd "$prefix" && find . -exec ls -ld --time-style=+%s {} + | LC_ALL=C sort) > "$work/after.txt"
diff -u "$work/before.txt" "$work/after.txt" || fail "the install changed while vorlen ran"

[ "$failed" -eq 0 ] && echo "installed copy: writes only to the XDG folders"
exit "$failed"
