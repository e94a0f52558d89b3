#!/usr/bin/env bash
# Installs the Debian package on this machine, starts the installed program in
# Xvfb until its window is up, closes it and removes the package again.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(ls "$out"/fieldcalc_*.deb)
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"
trap '"${sudo[@]}" apt-get remove -y -qq fieldcalc >/dev/null; rm -rf "$out"' EXIT
[ -x /usr/bin/fieldcalc ] || { echo "FAIL: /usr/bin/fieldcalc not installed" >&2; exit 1; }
xvfb-run -a bash -c '
    /usr/bin/fieldcalc & pid=$!
    for i in $(seq 100); do
        xdotool search --onlyvisible --name "^ZK光机幅面粗略计算\$" >/dev/null 2>&1 && break
        sleep 0.1
    done
    xdotool search --onlyvisible --name "^ZK光机幅面粗略计算\$" >/dev/null || { kill $pid; exit 1; }
    kill -TERM $pid; wait $pid || true'
echo "PASS: installed package starts"
