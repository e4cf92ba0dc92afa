#!/usr/bin/env bash
# Installs a build under /usr into a throwaway DESTDIR, as a package build does, and checks it.
#   check_install.sh tree BUILD_DIR [PNG_SIZE...]  the exact file list, the menu entry's command,
#                                                  the icon sizes, the manual page's options
#   check_install.sh validate BUILD_DIR            desktop-file-validate and appstreamcli;
#                                                  exit 77 (skipped) where they are not installed
set -euo pipefail
mode=$1
build=$2
shift 2
id=io.github.lumavo.Calculator

dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" "${CMAKE:-cmake}" --install "$build" --prefix /usr >/dev/null
usr="$dest/usr"
desktop="$usr/share/applications/$id.desktop"
metainfo="$usr/share/metainfo/$id.metainfo.xml"

fail() {
    echo "FAIL: $*"
    status=1
}

check_tree() {
    local expected=(bin/lumavo bin/lumavo-cli "share/applications/$id.desktop"
        "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/scalable/apps/$id.svg"
        share/man/man1/lumavo-cli.1.gz share/lumavo/rates.csv)
    for size in "$@"; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
    done
    # Exactly these files: nothing missing, and no test program or library slipping in.
    local diff_out
    if ! diff_out="$(diff <(printf '%s\n' "${expected[@]}" | sort) \
        <(cd "$usr" && find . -type f | sed 's|^\./||' | sort))"; then
        fail "installed files differ from the expected list (< missing, > unexpected):"
        echo "$diff_out"
    fi
    for program in lumavo lumavo-cli; do
        [ -x "$usr/bin/$program" ] || fail "/usr/bin/$program is not executable"
    done
    # The menu entry must start an installed program and name the installed icon.
    local command icon
    command="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
    [ -x "$usr/bin/$command" ] || fail "Exec=$command is not an installed program"
    icon="$(sed -n 's/^Icon=//p' "$desktop")"
    [ "$icon" = "$id" ] || fail "Icon=$icon, expected $id"
    for size in "$@"; do
        local png="$usr/share/icons/hicolor/${size}x${size}/apps/$id.png" width
        [ -f "$png" ] || continue # already reported as missing
        width="$(od -An -tu1 -j16 -N4 "$png" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')"
        [ "$width" = "$size" ] || fail "$size px icon is $width px wide"
    done
    # The manual page keeps up with the options --help lists.
    local page option
    page="$(gzip -dc "$usr/share/man/man1/lumavo-cli.1.gz" | sed 's/\\-/-/g')"
    for option in $("$usr/bin/lumavo-cli" --help | grep -o -- '--[a-z]*' | sort -u); do
        grep -q -- "$option" <<<"$page" || fail "the manual page does not mention $option"
    done
    echo "$(cd "$usr" && find . -type f | wc -l) files installed"
}

check_metadata() {
    local tool
    for tool in desktop-file-validate appstreamcli; do
        if ! command -v "$tool" >/dev/null; then
            echo "skipped: $tool is not installed (scripts/setup.sh installs desktop-file-utils and appstream)"
            exit 77
        fi
    done
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
}

status=0
case "$mode" in
tree) check_tree "$@" ;;
validate) check_metadata ;;
*)
    echo "usage: $0 tree|validate BUILD_DIR [PNG_SIZE...]"
    exit 2
    ;;
esac
exit "$status"
