#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get, checks that both
# programs run, removes it again and checks that nothing of it is left.
# Needs root (it installs into the system).
set -euo pipefail
cd "$(dirname "$0")/.."
make package
deb=$(ls build-package/markwell_*.deb | head -n 1)
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "./$deb"
files=$(dpkg -L markwell)

markwell-cli --version
markwell --help > /dev/null
printf 'begin end' | markwell-cli -m pascal -t json | grep -q '"bold": true'
printf 'int main(void) { return 0; } /* c */' > /tmp/markwell-package-check.c
markwell-cli -m auto -c -t json -o /tmp/markwell-package-check/ /tmp/markwell-package-check.c
grep -q '"italic": true, "underline": false, "strike": false, "color": "#808080"' \
  /tmp/markwell-package-check/markwell-package-check.json
rm -rf /tmp/markwell-package-check.c /tmp/markwell-package-check
test -f /usr/share/doc/markwell/copyright
man -w markwell-cli > /dev/null

apt-get remove -y -q markwell
left=""
for f in $files; do
  if [ -f "$f" ] || [ -L "$f" ]; then left="$left $f"; fi
done
if [ -n "$left" ]; then
  echo "left behind after removal:$left"
  exit 1
fi
echo "package installs, runs and uninstalls cleanly: 1 passed, 0 failed"
