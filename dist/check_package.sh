#!/bin/sh
# Builds the Debian package from the build (cpack, without building again) and
# checks it: lintian reports no errors; unpacked into a scratch root (dpkg -x)
# it holds exactly the installed files under /usr and its menu entries pass
# desktop-file-validate; it declares the libraries and the fonts it needs;
# installed into a scratch root of its own (dpkg --root) it starts, writes
# only to the XDG folders, and is removed without leaving a file behind.
# Ends only the processes it started.
# Usage: check_package.sh BUILD_DIR SOURCE_DIR DESKTOP_FILE_VALIDATE SHIPPED_PACKS_DIR
set -u
build=$1; source=$2; validate=$3; packs=$4
work=$build/package-check
failed=0

fail() { echo "FAIL: $*"; failed=1; }

rm -rf "$work" && mkdir -p "$work" || exit 2
. "$source/dist/expected_files.sh"
. "$source/dist/run_vorlen.sh"

# 1. The package.
if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
deb=$(ls "$work"/out/vorlen_*.deb 2>/dev/null | head -n1)
[ -f "$deb" ] || { cat "$work/cpack.log"; echo "FAIL: cpack made no vorlen_*.deb"; exit 1; }
echo "package: $deb ($(wc -c < "$deb") bytes)"

# 2. lintian: no errors. Its warnings are shown.
if ! command -v lintian > /dev/null 2>&1; then
    fail "lintian is missing: run scripts/install-deps"
else
    lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges' > "$work/lintian.txt"
    lintian --fail-on error "$deb" > /dev/null 2>&1 || { cat "$work/lintian.txt"; fail "lintian reports errors"; }
    [ -s "$work/lintian.txt" ] && { echo "lintian says:"; cat "$work/lintian.txt"; }
fi

# 3. Its fields: the libraries from dpkg-shlibdeps, the fonts listed.
dpkg-deb -f "$deb" Depends > "$work/depends.txt"
for needed in libqt6webenginecore6 libqt6widgets6 libc6 fonts-noto-cjk fonts-nanum libqt6sql6-sqlite; do
    grep -q "$needed" "$work/depends.txt" || fail "Depends lacks $needed: $(cat "$work/depends.txt")"
done

# 4. Its files, unpacked.
root=$work/unpacked
dpkg -x "$deb" "$root" || fail "dpkg -x failed"
# shellcheck disable=SC2046
expected_files "$packs" $(built_dictionaries "$build") | sed 's|^|usr/|' > "$work/expected.txt"
(cd "$root" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort) > "$work/unpacked.txt"
diff -u "$work/expected.txt" "$work/unpacked.txt" || fail "the package's files differ from the expected list (- expected, + in the package)"
if ! command -v "$validate" > /dev/null 2>&1; then
    fail "desktop-file-validate is missing: run scripts/install-deps"
else
    for entry in vorlen prismel; do
        "$validate" "$root/usr/share/applications/$entry.desktop" || fail "$entry.desktop does not validate"
    done
fi
for program in vorlen prismel; do
    [ -x "$root/usr/bin/$program" ] || fail "usr/bin/$program is not executable"
done

# 5. Installed, started and removed in a scratch root of its own. The
#    dependencies are those of this machine, so dpkg is told not to look.
target=$work/root
mkdir -p "$target/var/lib/dpkg/info" "$target/var/lib/dpkg/updates" "$target/var/lib/dpkg/triggers"
: > "$target/var/lib/dpkg/status"
# As anyone but root, dpkg runs under fakeroot, which lets it give the files
# root as their owner.
dpkg_root() {
    if [ "$(id -u)" -eq 0 ]; then
        dpkg --root="$target" --log="$work/dpkg.log" --force-depends --force-script-chrootless "$@"
    else
        fakeroot dpkg --root="$target" --log="$work/dpkg.log" --force-not-root --force-depends \
            --force-script-chrootless "$@"
    fi
}
if [ "$(id -u)" -ne 0 ] && ! command -v fakeroot > /dev/null 2>&1; then
    fail "fakeroot is missing: run scripts/install-deps"
fi
if ! dpkg_root -i "$deb" > "$work/dpkg-install.log" 2>&1; then
    cat "$work/dpkg-install.log"
    fail "dpkg could not install the package into $target"
fi
dpkg_root -s vorlen 2>/dev/null | grep -q '^Status: install ok installed' || fail "dpkg does not list vorlen as installed"
snapshot "$target/usr" > "$work/usr-before.txt"
home=$work/home
mkdir -p "$home/data" "$home/config" "$home/tmp"
user=$(id -un)
run_vorlen "$target/usr/bin/vorlen" "$home" "$user" "" "$home/data/vorlen/UserData/$user"
snapshot "$target/usr" > "$work/usr-after.txt"
diff -u "$work/usr-before.txt" "$work/usr-after.txt" || fail "the installed vorlen wrote into /usr"
if ! dpkg_root -r vorlen > "$work/dpkg-remove.log" 2>&1; then
    cat "$work/dpkg-remove.log"
    fail "dpkg could not remove the package"
fi
left=$(cd "$target" && find usr \( -type f -o -type l \) 2>/dev/null)
[ -z "$left" ] || fail "files left after removal: $left"

[ "$failed" -eq 0 ] && echo "package: builds, passes lintian, holds the expected files, installs, starts and removes cleanly"
exit "$failed"
