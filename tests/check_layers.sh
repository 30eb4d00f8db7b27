#!/bin/sh
# Fails when an include runs against the layers of the source tree:
#   platform <- themepack <- browser / themebuilder, with the web engine only in
#   the platform's web part, and the browser's side parts (panels, input, tools,
#   themes) reaching the main window through its seams, never its header.
# Usage: check_layers.sh SOURCE_DIR
set -u
cd "${1:-.}" || exit 2
status=0

# Prints matching include lines of the given files; sets status when any.
forbid() {
    what=$1; pattern=$2; shift 2
    hits=$(grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($pattern)" "$@" 2>/dev/null)
    if [ -n "$hits" ]; then
        printf '%s\n%s\n\n' "$what" "$hits"
        status=1
    fi
}

files() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null; }

forbid "platform and themepack must not use the programs:" 'browser/|themebuilder/' \
    $(files platform themepack)

web='platform/linux/(QtWeb|LinuxWebPlatform)'
core_platform=$(files platform | grep -vE "^($web)|^platform/tests/engine/")
forbid "only the platform's web part may use the web engine:" 'QtWebEngine|QWebEngine|platform/linux/QtWeb|platform/linux/LinuxWebPlatform' \
    $core_platform $(files themepack themebuilder)

forbid "side parts reach the main window through signals and commands:" '[^">]*frmMain\.h' \
    $(files browser/panels browser/input browser/tools browser/themes)

forbid "start-up, frame and themes lie below the window:" 'browser/window/' \
    $(files browser/startup browser/frame browser/themes browser/panels browser/input browser/tools)

exit $status
