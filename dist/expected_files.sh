# The files an install holds, relative to its prefix, one a line, sorted:
#   expected_files SHIPPED_PACKS_DIR DICTIONARIES...
# where DICTIONARIES are the engine's names of the spell-check dictionaries
# the build made (none when it could not). Sourced by the install checks.
expected_files() {
    shipped=$1
    shift
    {
        echo bin/prismel
        echo bin/vorlen
        echo share/applications/prismel.desktop
        echo share/applications/vorlen.desktop
        echo share/doc/vorlen/changelog.gz
        echo share/doc/vorlen/copyright
        for size in 16 22 24 32 48 64 128 256; do
            echo "share/icons/hicolor/${size}x${size}/apps/prismel.png"
            echo "share/icons/hicolor/${size}x${size}/apps/vorlen.png"
        done
        echo share/man/man1/prismel.1.gz
        echo share/man/man1/vorlen.1.gz
        echo share/vorlen/ReadMe.htm
        echo share/vorlen/fontconfig/vorlen-fonts.conf
        echo share/vorlen/fontconfig/vorlen-korean.conf
        for language in "$@"; do
            echo "share/vorlen/qtwebengine_dictionaries/$language.bdic"
        done
        if [ -n "$shipped" ] && [ -d "$shipped" ]; then
            (cd "$shipped" && find . -mindepth 2 \( -type f -o -type l \) | sed 's|^\./|share/vorlen/Ambrel/|')
        fi
    } | LC_ALL=C sort
}

# The dictionaries the build made in BUILD_DIR, by their engine names.
built_dictionaries() {
    for bdic in "$1"/bin/qtwebengine_dictionaries/*.bdic; do
        [ -f "$bdic" ] && basename "$bdic" .bdic
    done
}
