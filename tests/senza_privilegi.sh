#!/usr/bin/env bash
# Runs every unit test once more as a user without privileges, and fails if any
# of them is skipped there. Run as root (as CI is), the tests of unreadable files
# and read-only folders skip themselves, since permission bits stop nobody with
# root's rights; here they run for real. As root the tests run as uid and gid
# 65534 (nobody and nogroup on Debian), from a copy of the binary in a scratch
# folder, so the checkout may sit anywhere, /root included.
# Usage: senza_privilegi.sh <velarix_tests binary>.
set -u
binario=${1:?path of the velarix_tests binary}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
cp "$binario" "$tmp/velarix_tests"
chmod 755 "$tmp/velarix_tests"
# The user's own home, temporary and runtime folder: none of root's.
mkdir -m 700 "$tmp/casa"

comando=("$tmp/velarix_tests")
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$tmp/casa"
  comando=(setpriv --reuid=65534 --regid=65534 --clear-groups "${comando[@]}")
fi

cd "$tmp/casa"
HOME="$tmp/casa" TMPDIR="$tmp/casa" XDG_RUNTIME_DIR="$tmp/casa" \
  XDG_CONFIG_HOME="$tmp/casa/.config" XDG_CACHE_HOME="$tmp/casa/.cache" \
  XDG_DATA_HOME="$tmp/casa/.local/share" QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} \
  "${comando[@]}" >"$tmp/esito.txt" 2>&1
codice=$?
cat "$tmp/esito.txt"

[ "$codice" -eq 0 ] || {
  echo "FAIL: the tests run without privileges ended with code $codice"
  exit 1
}
if grep -q '^\[  SKIPPED \]' "$tmp/esito.txt"; then
  echo "FAIL: tests skipped when run without privileges:"
  sed -n 's/^\[  SKIPPED \] \([A-Za-z_].*[^)]\)$/  \1/p' "$tmp/esito.txt" | sort -u
  exit 1
fi
echo "PASS"
