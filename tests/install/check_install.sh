#!/usr/bin/env bash
# Installs into a temporary DESTDIR and builds the Debian package, and checks what lands where.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
BUILD="$1"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
passed=0 failed=0
check() { # DESCRIPTION COMMAND...
    local what="$1"; shift
    if "$@" >/dev/null 2>&1; then passed=$((passed + 1)); else echo "FAIL: $what"; failed=$((failed + 1)); fi
}

DESTDIR="$WORK/root" cmake --install "$BUILD" --prefix /opt/morvane-test >/dev/null
P="$WORK/root/opt/morvane-test"
check "program and decompressor side by side" test -x "$P/lib/morvane/morvane" -a -x "$P/lib/morvane/bini"
check "bin/morvane is a relative link" test "$(readlink "$P/bin/morvane")" = ../lib/morvane/morvane
check "the link answers --version" test "$("$P/bin/morvane" --version)" = "Morvane 1.1.0"
for file in share/applications/morvane.desktop share/icons/hicolor/scalable/apps/morvane.svg \
            share/man/man1/morvane.1 share/man/man1/bini.1 \
            share/doc/morvane/README.md share/doc/morvane/copyright; do
    check "$file installed" test -s "$P/$file"
done
check "desktop entry is valid" desktop-file-validate "$P/share/applications/morvane.desktop"
check "man pages format" sh -c "man -l '$P/share/man/man1/morvane.1' | grep -q Ctrl+Tab"

cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/package" >/dev/null
deb="$(ls "$WORK"/package/morvane_*_*.deb)"
contents="$(dpkg-deb -c "$deb")"
for path in ./usr/lib/morvane/morvane ./usr/lib/morvane/bini ./usr/share/applications/morvane.desktop \
            ./usr/share/icons/hicolor/scalable/apps/morvane.svg ./usr/share/doc/morvane/copyright; do
    check "package holds $path" grep -qF " $path" <<<"$contents"
done
check "package links bin/morvane" grep -qF "./usr/bin/morvane -> ../lib/morvane/morvane" <<<"$contents"
depends="$(dpkg-deb -f "$deb" Depends)"
for package in fonts-liberation libqt6widgets6 libqscintilla2-qt6; do
    check "package depends on $package" grep -q "$package" <<<"$depends"
done
check "package section" test "$(dpkg-deb -f "$deb" Section)" = editors

echo "install: $passed passed, $failed failed"
test "$failed" -eq 0
