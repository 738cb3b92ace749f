#!/usr/bin/env bash
# Installs the build into a scratch root with DESTDIR and runs the installed
# markwell-cli with the installed keyword files; validates the desktop entry
# and the AppStream metainfo.
set -u
build="$1"
source_dir="$2"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

DESTDIR="$root" cmake --install "$build" --prefix /usr > /dev/null || fail "install"
cli="$root/usr/bin/markwell-cli"
[ -L "$cli" ] || fail "bin/markwell-cli is a link"
[ -f "$root/usr/lib/markwell/DelphiKey.txt" ] || fail "keyword files beside the programs"
[ -f "$root/usr/share/man/man1/markwell-cli.1" ] || fail "manual page"
[ -f "$root/usr/share/icons/hicolor/48x48/apps/markwell.png" ] || fail "PNG icon"
[ -f "$root/usr/share/bash-completion/completions/markwell-cli" ] || fail "bash completion"

out=$(printf 'begin end' | "$cli" -m pascal -t json 2>&1)
case "$out" in
  *'"bold": true'*) ;;
  *) fail "installed CLI marks keywords with the installed keyword files: $out" ;;
esac
case "$out" in *warning*) fail "installed CLI found its keyword files: $out" ;; esac

if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$root/usr/share/applications/org.markwell.Markwell.desktop" | grep -v hint: \
    && fail "desktop entry"
fi
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.markwell.Markwell.metainfo.xml" \
    > /dev/null || fail "metainfo"
fi
[ "$failures" -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
[ "$failures" -eq 0 ]
