#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# Runs the README's test commands (Qt 5 and Qt 6) and the Debian package check on
# another Debian release, in a chroot made with debootstrap from the archive this
# machine already uses. The base system, with the packages tools/deps.sh installs,
# is kept under ~/.cache/fieldcalc/ by release and package list; a later run only
# updates it, and keeps the build folders so the builds are incremental.
#   .ci/debian-release.sh trixie             the whole check
#   .ci/debian-release.sh trixie CMD ARG...  CMD instead, in the copy of the source
set -euo pipefail
cd "$(dirname "$0")/.."
release=${1:?usage: $0 RELEASE [COMMAND...]}
shift
sets=(test qt6 package)
extra=(git) # .ci/debian-package.sh copies the source as git sees it

[ "$(id -u)" -eq 0 ] || { echo "debian-release: needs root (debootstrap, chroot, mount)" >&2; exit 1; }
command -v debootstrap >/dev/null || {
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
}
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
[ -n "$mirror" ] || mirror=$(awk '$1 == "deb" { print $2; exit }' /etc/apt/sources.list)
key=$(printf '%s\n' "$release" "$mirror" "${sets[@]}" "${extra[@]}" | cat - tools/deps.sh | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/fieldcalc
root=$cache/debian-$release-$key
stamp=$root/.fieldcalc-base

mounted=()
unmount_all() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -R "${mounted[i]}" 2>/dev/null || umount -lR "${mounted[i]}" || true
    done
    mounted=()
}
trap unmount_all EXIT
mount_all() {
    mount -t proc proc "$1/proc" && mounted+=("$1/proc")
    mount --rbind /dev "$1/dev" && mount --make-rslave "$1/dev" && mounted+=("$1/dev")
    mount -t tmpfs -o size=4g tmpfs "$1/tmp" && mounted+=("$1/tmp")
}
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }

if [ ! -e "$stamp" ]; then
    echo "debian-release: making a $release base from $mirror in $root"
    rm -rf "$root" && mkdir -p "$cache"
    # Bases of earlier package lists are not used again; never one still mounted.
    for old in "$cache/debian-$release"-*/; do
        [ -d "$old" ] && ! grep -qF " ${old%/}/" /proc/mounts && rm -rf "$old"
    done
    debootstrap --variant=minbase "$release" "$root" "$mirror" >"$cache/debootstrap-$release.log" 2>&1 ||
        { tail -20 "$cache/debootstrap-$release.log" >&2; exit 1; }
    # The same archive in deb822 form, with the security and update suites.
    rm -f "$root/etc/apt/sources.list"
    cat >"$root/etc/apt/sources.list.d/debian.sources" <<SOURCES
Types: deb
URIs: $mirror
Suites: $release $release-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    mount_all "$root"
    cp tools/deps.sh "$root/tmp/deps.sh"
    in_root bash /tmp/deps.sh "${sets[@]}"
    in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${extra[@]}"
    in_root apt-get clean
    unmount_all
    touch "$stamp"
else
    mount_all "$root"
    in_root apt-get update -qq
    in_root env DEBIAN_FRONTEND=noninteractive apt-get -y -qq upgrade
    in_root apt-get clean
    unmount_all
fi
mount_all "$root"

# The source as git would check it out, plus files not yet committed, over the
# previous run's copy; its build folders stay.
src=$root/root/fieldcalc
mkdir -p "$src"
find "$src" -mindepth 1 -maxdepth 1 ! -name 'build-*' -exec rm -rf {} +
git ls-files -z --cached --others --exclude-standard |
    tar --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$src"
# debian-package.sh copies the source with git.
[ -d .git ] && cp -a .git "$src/.git"

if [ $# -gt 0 ]; then
    in_root bash -c 'cd /root/fieldcalc && "$@"' bash "$@"
    exit
fi
in_root bash -c 'cd /root/fieldcalc && grep -m1 PRETTY_NAME /etc/os-release &&
    echo "== README test command ($(dpkg-query -W -f="\${Version}" qtbase5-dev))" &&
    bash tools/deps.sh test && cmake -S . -B build-test -DFIELDCALC_WERROR=ON && cmake --build build-test -j"$(nproc)" && ctest --test-dir build-test --output-on-failure &&
    echo "== README test command for Qt 6 ($(dpkg-query -W -f="\${Version}" qt6-base-dev))" &&
    bash tools/deps.sh test qt6 && cmake -S . -B build-qt6 -DFIELDCALC_QT_MAJOR=6 -DFIELDCALC_WERROR=ON && cmake --build build-qt6 -j"$(nproc)" && ctest --test-dir build-qt6 --output-on-failure &&
    echo "== Debian package" && bash .ci/debian-package.sh'
