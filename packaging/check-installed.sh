#!/usr/bin/env bash
# Installs the package built by `make package`, starts the installed program from its menu
# entry as a new user of the computer would (a home folder with a blank and non-ASCII
# letters in its name), checks the kennel it made, and removes the package again, which
# must leave the kennel alone.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=$([ "$(id -u)" = 0 ] || echo sudo)
deb=$(ls houndry_*.deb)
home=$(mktemp -d "/tmp/houndry home Zoë.XXXXXX")
trap 'rm -rf "$home"' EXIT

$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
entry=/usr/share/applications/org.pawmark.houndry.desktop
command=$(sed -n 's/^Exec=//p' "$entry")

# The main window's caption shows once the kennel is open and the main menu is up.
HOME="$home" xvfb-run -a sh -c '
    '"$command"' & pid=$!
    for i in $(seq 100); do
        xdotool search --name "^Pawmark Houndry$" >/dev/null 2>&1 && break
        sleep 0.2
    done
    xdotool search --name "^Pawmark Houndry$" >/dev/null 2>&1 || { kill $pid; exit 1; }
    kill $pid; wait $pid || true' || { echo "the installed program did not reach its main menu"; exit 1; }

kennel="$home/Houndry"
[ "$(stat -c %a "$kennel")" = 700 ] || { echo "$kennel is not the user's alone"; exit 1; }
for file in kennelbase.ddx report.ddx; do
    [ "$(stat -c %a "$kennel/$file")" = 600 ] || { echo "$kennel/$file is missing or not the user's alone"; exit 1; }
done
sqlite3 "$kennel/kennelbase.ddx" "PRAGMA integrity_check" | grep -qx ok
# The guide that F1 opens, with its pictures.
for file in index.md genetics.md images/main-menu.png; do
    [ -f "/usr/share/houndry/guide/$file" ] || { echo "the guide's $file is not installed"; exit 1; }
done

$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "./$deb" >/dev/null
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq houndry >/dev/null
[ ! -e /usr/bin/houndry ] || { echo "the program is still installed"; exit 1; }
[ -f "$kennel/kennelbase.ddx" ] && [ -f "$kennel/report.ddx" ] || { echo "removing the package took the kennel"; exit 1; }
echo "package: installed, started in $kennel, removed; the kennel stays"
