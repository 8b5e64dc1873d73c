#!/usr/bin/env bash
# Proves the README's test command on a fresh Debian 12 machine: makes a new Debian 12
# root with debootstrap, clones this repository's committed HEAD into it and runs
# ./test.sh there as root, so a package the set-up forgets to install shows up here
# and not on a teacher's machine.
#   scripts/fresh-root.sh [ROOT-FOLDER]     (run as root; /var/tmp/vt-fresh-root by default)
# The root folder is made anew on every run and left behind for a look afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."

[ "$(id -u)" -eq 0 ] || { echo "fresh-root.sh makes a chroot and must run as root" >&2; exit 2; }
root=${1:-/var/tmp/vt-fresh-root}
case "$root" in /*) ;; *) echo "ROOT-FOLDER must be an absolute path" >&2; exit 2 ;; esac
[ "$root" != / ] || { echo "ROOT-FOLDER must not be /" >&2; exit 2; }

command -v debootstrap >/dev/null || {
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap
}

# The mirror this machine installs from (a plain Debian 12 one when none is configured).
mirror=$(grep -h -m1 -oE '^URIs: *http[^ ]*/debian$' /etc/apt/sources.list.d/*.sources 2>/dev/null \
  | head -n1 | sed 's/^URIs: *//')
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT

for m in proc sys dev/pts dev; do
  mountpoint -q "$root/$m" 2>/dev/null && umount -l "$root/$m"
done
rm -rf "$root"
start=$SECONDS
debootstrap --variant=minbase bookworm "$root" "$mirror"
cat > "$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb ${mirror%/debian}/debian-security bookworm-security main
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf"
echo "debootstrap: $((SECONDS - start)) s"

mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount -t sysfs sys "$root/sys" && mounted+=("$root/sys")
mount --bind /dev "$root/dev" && mounted+=("$root/dev")
mount --bind /dev/pts "$root/dev/pts" && mounted+=("$root/dev/pts")

# A clean clone of what is committed: nothing of this work tree's build or changes.
git clone -q --no-local "$PWD" "$root/root/veldtrak"

start=$SECONDS
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
  bash -c 'cd /root/veldtrak && ./test.sh'
echo "fresh root: set-up, build and every test passed in $((SECONDS - start)) s"
