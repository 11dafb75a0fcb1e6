#!/usr/bin/env bash
# A minimal Debian 12 (debootstrap's minbase) holding Python 3 with venv and pytest and no more
# than the GL and X11 client libraries that the Python module loads from the system; made once
# and kept in $XDG_CACHE_HOME/tarnwick/bookworm-minimal-HASH (~/.cache when unset; TW_DEPS_CACHE
# names another folder), HASH being that of its recipe (the packages and debootstrap's options).
# Needs root.
#   scripts/minimal-debian.sh                 makes it when missing and prints its root
#   scripts/minimal-debian.sh DIR COMMAND...  runs COMMAND (a path inside) as root in it, with
#                                             DIR bound at /mnt and /proc and /dev mounted, and
#                                             the caller's X display when DISPLAY is set
# The packages come from the archive that the system's apt lists for bookworm. The command gets
# no more of the caller's environment than DISPLAY and ALSOFT_DRIVERS.
set -euo pipefail
packages=python3,python3-venv,python3-pytest,libgl1,libx11-6,libxext6,libxrender1
options=(--variant=minbase --include="$packages"
  --keyring=/usr/share/keyrings/debian-archive-keyring.gpg)
cache=${TW_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick}
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)
root=$cache/bookworm-minimal-$(sha256sum <<<"${options[*]}" | cut -c1-12)

[ "$(id -u)" -eq 0 ] || { echo "minimal-debian: needs root (debootstrap, chroot)" >&2; exit 1; }
# One maker or user of the root at a time.
exec 9>"$root.lock"
flock 9
if [ ! -f "$root/.complete" ]; then
  site=$(apt-get indextargets --format '$(SITE) $(RELEASE) $(COMPONENT)' 'Created-By: Packages' |
    awk '$2 == "bookworm" && $3 == "main" { print $1; exit }')
  [ -n "$site" ] ||
    { echo "minimal-debian: the system's apt lists no bookworm archive" >&2; exit 1; }
  echo "minimal-debian: making $root (log: $root.log)" >&2
  begin=$(date +%s)
  rm -rf "$root"
  debootstrap "${options[@]}" bookworm "$root" "$site" >"$root.log" 2>&1 ||
    { tail -20 "$root.log" >&2; exit 1; }
  rm -rf "$root"/var/cache/apt/archives/*.deb "$root"/var/lib/apt/lists/*_Packages
  touch "$root/.complete"
  echo "minimal-debian: made in $(($(date +%s) - begin)) s" >&2
fi
if [ $# -eq 0 ]; then
  echo "$root"
  exit 0
fi

dir=$(cd "$1" && pwd)
shift
mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
}
trap cleanup EXIT
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" && mounted+=("$root/dev")
mount --bind "$dir" "$root/mnt" && mounted+=("$root/mnt")
vars=(PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8)
[ -z "${ALSOFT_DRIVERS:-}" ] || vars+=(ALSOFT_DRIVERS="$ALSOFT_DRIVERS")
if [ -n "${DISPLAY:-}" ] && [ -d /tmp/.X11-unix ]; then
  mkdir -p "$root/tmp/.X11-unix"
  mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix" && mounted+=("$root/tmp/.X11-unix")
  vars+=(DISPLAY="$DISPLAY")
fi
env -i "${vars[@]}" chroot "$root" "$@"
