#!/bin/sh
# Installs the build into a folder of its own and checks the installed tree file
# by file: the two programs, their menu entries (checked by desktop-file-validate),
# the icons at every size, the help page, the shipped theme packs, the font
# aliases, the spell-check dictionaries and the manual pages. A second
# install ships a small pack made here, to check that packs are installed whole.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR DESKTOP_FILE_VALIDATE [SHIPPED_PACKS_DIR]
set -u
build=$1; source=$2; validate=$3; packs=${4:-}
work=$build/install-check
sizes="16 22 24 32 48 64 128 256"
failed=0

fail() { echo "FAIL: $*"; failed=1; }

rm -rf "$work" && mkdir -p "$work" || exit 2

. "$source/dist/expected_files.sh"
dictionaries=$(built_dictionaries "$build")

expected() {
    # shellcheck disable=SC2086
    expected_files "$2" $dictionaries
}

installed() {
    (cd "$1" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort)
}

# A PNG's width and height from its header.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}

check_tree() {
    prefix=$1; shipped=$2
    expected "$prefix" "$shipped" > "$work/expected.txt"
    installed "$prefix" > "$work/installed.txt"
    if ! diff -u "$work/expected.txt" "$work/installed.txt"; then
        fail "the installed files in $prefix differ from the expected list (- expected, + installed)"
    fi
    for program in vorlen prismel; do
        [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
        cmp -s "$source/dist/$program.desktop" "$prefix/share/applications/$program.desktop" \
            || fail "$program.desktop differs from the source"
        for size in $sizes; do
            icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$program.png"
            [ -f "$icon" ] || continue
            [ "$(od -An -c -j1 -N3 "$icon" | tr -d ' ')" = PNG ] || fail "$icon is not a PNG picture"
            [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon"), not ${size}x${size}"
        done
    done
    cmp -s "$source/browser/help/ReadMe.htm" "$prefix/share/vorlen/ReadMe.htm" || fail "ReadMe.htm differs from the source"
}

# 1. The install as a user runs it.
prefix=$work/prefix
if ! cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1; then
    cat "$work/install.log"
    fail "cmake --install failed"
fi
check_tree "$prefix" "$packs"

# 2. Both menu entries pass the validator.
if ! command -v "$validate" > /dev/null 2>&1; then
    fail "desktop-file-validate is missing: run scripts/install-deps"
else
    for entry in vorlen prismel; do
        "$validate" "$prefix/share/applications/$entry.desktop" || fail "$entry.desktop does not validate"
    done
fi

# 3. Shipped packs are installed whole, whatever folders the pack folder holds.
shipped=$work/shipped
mkdir -p "$shipped/Small/sub" "$shipped/Plain"
printf '[Info]\r\nName=Small\r\n' > "$shipped/Small/Small.iti"
printf 'GIF89a' > "$shipped/Small/TopLine.gif"
printf 'GIF89a' > "$shipped/Small/sub/Extra.gif"
printf '[Info]\r\n' > "$shipped/Plain/Plain.iti"
printf 'not a pack' > "$shipped/stray.txt"
prefix2=$work/prefix-packs
if ! cmake -DCMAKE_INSTALL_PREFIX="$prefix2" -DVORLEN_SHIPPED_PACKS_DIR="$shipped" \
        -P "$build/cmake_install.cmake" > "$work/install-packs.log" 2>&1; then
    cat "$work/install-packs.log"
    fail "the install with shipped packs failed"
fi
check_tree "$prefix2" "$shipped"
cmp -s "$shipped/Small/Small.iti" "$prefix2/share/vorlen/Ambrel/Small/Small.iti" || fail "Small.iti changed on install"

[ "$failed" -eq 0 ] && echo "install tree: all files as expected"
exit "$failed"
