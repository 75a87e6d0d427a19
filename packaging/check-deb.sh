#!/bin/bash
# Installs a Trackdeck package into a clean Debian 12 root as a user's apt does, and
# checks it there: the program starts (offscreen) for an ordinary user, keeps that
# user's settings in ~/.config/trackdeck/, opens a folder argument, and the menu entry
# and the metainfo pass the desktop's checkers. A manual check for root, not for CI.
#
#     packaging/check-deb.sh ROOT DEB
#
# ROOT is a fresh copy of a root made with
#     debootstrap bookworm ROOT http://deb.debian.org/debian
# (it is changed: use a copy).
set -euo pipefail

if [ $# -ne 2 ] || [ ! -d "$1/etc/apt" ] || [ ! -f "$2" ]; then
  echo "usage: $0 ROOT DEB   (ROOT: a debootstrap root of Debian 12)" >&2
  exit 2
fi
root=$(realpath "$1")
deb=$2

unmount() {
  umount -R "$root/sys" 2>/dev/null || true
  umount -R "$root/dev" 2>/dev/null || true
  umount "$root/proc" 2>/dev/null || true
}
trap unmount EXIT
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount --rbind /sys "$root/sys"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive "$@"; }

in_root apt-get update
in_root apt-get install -y "/tmp/$(basename "$deb")"
in_root apt-get install -y --no-install-recommends desktop-file-utils appstream
chroot "$root" id anna >/dev/null 2>&1 || in_root useradd -m anna
as_user() { chroot "$root" su - anna -c "QT_QPA_PLATFORM=offscreen TRACKDECK_AUDIO=null $1"; }

as_user 'trackdeck --screenshot /tmp/deck.png'
as_user 'cat ~/.config/trackdeck/Trackdeck.ini'
as_user 'trackdeck --screenshot /tmp/deck-folder.png /usr/share/icons'
as_user 'grep -x "LastDirB=/usr/share/icons/" ~/.config/trackdeck/Trackdeck.ini'
in_root desktop-file-validate /usr/share/applications/de.veltrano.trackdeck.desktop
in_root appstreamcli validate --no-net /usr/share/metainfo/de.veltrano.trackdeck.metainfo.xml
echo "The package installs and runs; pictures in $root/tmp/deck.png and $root/tmp/deck-folder.png"
