#!/usr/bin/env bash
# Installs a built tree under a temporary DESTDIR and checks that every piece lands in its
# place under the configured prefix: programs, manual pages (describing every command mdctl and
# slvtool list), desktop entries (which must validate), the label file's MIME type, icons,
# Traymote's autostart entry, vtovikmd's user unit, bash completion, the disc images and the
# documentation.
# CTest runs it (test "installed_tree") with the icon sizes the hicolor theme must hold:
#   scripts/check-install.sh BUILD_DIR [ICON_SIZES...]
set -uo pipefail
build=$(cd "$1" && pwd)
icon_sizes=("${@:2}")
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
prefix=$(cache CMAKE_INSTALL_PREFIX)
if ! DESTDIR="$dest" cmake --install "$build" >"$dest.log" 2>&1; then
    cat "$dest.log"
    rm -f "$dest.log"
    echo "FAIL: cmake --install"
    exit 1
fi
rm -f "$dest.log"
root="$dest$prefix"
# GNUInstallDirs puts the configuration of a /usr install in /etc, else under the prefix.
etc="$root/etc"
[ "$prefix" = /usr ] && etc="$dest/etc"

expected=(share/tovik/discs/english-album.json share/tovik/discs/japanese-album.json
          share/tovik/discs/blank-74.json share/tovik/discs/prerecorded.json
          share/mime/packages/sleevon.xml lib/systemd/user/vtovikmd.service
          share/bash-completion/completions/mdctl share/bash-completion/completions/slvtool
          share/doc/tovik-suite/copyright share/doc/tovik-suite/changelog.gz)
for program in rotela sleevon traymote mdctl slvtool vtovikmd vtovikmd-ctl; do
    expected+=("bin/$program" "share/man/man1/$program.1.gz")
done
for program in rotela sleevon traymote; do
    expected+=("share/applications/$program.desktop")
done
for size in "${icon_sizes[@]}"; do
    for program in rotela sleevon traymote; do
        expected+=("share/icons/hicolor/${size}x$size/apps/$program.png")
    done
    expected+=("share/icons/hicolor/${size}x$size/mimetypes/application-x-sleevon-label.png")
done
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || fail "not installed: $prefix/$file"
done
for program in rotela sleevon traymote mdctl slvtool vtovikmd vtovikmd-ctl; do
    [ -x "$root/bin/$program" ] || fail "$program is not executable"
    zcat "$root/share/man/man1/$program.1.gz" 2>/dev/null | grep -q "^\.TH \"$program\" \"1\"" ||
        fail "$program.1.gz is not a manual page"
done
# Every command a tool lists is described in its manual page.
for tool in mdctl slvtool; do
    for command in $("$root/bin/$tool" --help | sed -n "s/^\(usage:\)\? *$tool \([a-z][a-z-]*\).*/\2/p"); do
        zcat "$root/share/man/man1/$tool.1.gz" | grep -qF "\\fB$command\\fR" ||
            fail "$tool($command) is not in the manual page docs/man/$tool.1.scd"
    done
done
autostart="$etc/xdg/autostart/traymote.desktop"
[ -f "$autostart" ] || fail "no autostart entry for Traymote in ${autostart#"$dest"}"

if command -v desktop-file-validate >/dev/null; then
    for entry in "$root"/share/applications/*.desktop "$autostart"; do
        [ -f "$entry" ] || continue
        out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate ${entry#"$dest"}: $out"
        [ -z "$out" ] || fail "desktop-file-validate ${entry#"$dest"}: $out"
    done
else
    fail "desktop-file-validate is missing (scripts/install-deps.sh installs desktop-file-utils)"
fi
grep -qx 'MimeType=application/x-sleevon-label;' "$root/share/applications/sleevon.desktop" ||
    fail "sleevon.desktop does not open label files"
if command -v update-mime-database >/dev/null; then
    update-mime-database "$root/share/mime" >/dev/null 2>&1 || fail "update-mime-database refused sleevon.xml"
    grep -q '^50:application/x-sleevon-label:\*\.slv$' "$root/share/mime/globs2" 2>/dev/null ||
        fail "*.slv is not application/x-sleevon-label"
fi

unit="$root/lib/systemd/user/vtovikmd.service"
exec_start=$(sed -n 's/^ExecStart=//p' "$unit")
read -r daemon _ disc <<<"$exec_start"
[ "$daemon" = "$prefix/bin/vtovikmd" ] || fail "the user unit starts '$daemon'"
[ -f "$dest$disc" ] || fail "the user unit's disc $disc is not installed"
grep -qx 'WantedBy=default.target' "$unit" || fail "the user unit does not start at login"
bash -n "$root/share/bash-completion/completions/mdctl" || fail "the completion script does not parse"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "the installed tree under $prefix holds ${#expected[@]} expected files, and the desktop entries validate"
