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
. "$(dirname "$0")/run_vorlen.sh"

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
