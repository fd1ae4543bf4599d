#!/usr/bin/env bash
# Runs the README's test command on a fresh Debian 12: a minimal bookworm
# chroot made by debootstrap, holding a clone of this checkout's HEAD. A
# package the build, the tests or the program need that
# scripts/install-deps.sh does not install fails here instead of on a new
# user's machine. Then checks that the program starts under Xvfb (a
# screenshot is left in build-ci-chroot/start.png) and that it refuses an
# unreachable display with one line.
#   scripts/ci-chroot.sh            (as root; needs debootstrap)
#
# The mirror comes from this machine's own apt sources. Downloaded packages
# are kept in $QV_CI_CACHE (default /var/cache/quorvelia-ci) and nothing
# else: apt and debootstrap check every file against the signed indexes and
# install only what they are asked for, so a kept file saves a download and
# cannot stand in for a package install-deps.sh does not name. The chroot
# itself is made anew on every run and removed afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."

# The bind mounts live in a mount namespace of this run's own: should the
# script be killed before its trap runs, they vanish with its last process
# and never show on the host.
if [ -z "${QV_CI_UNSHARED:-}" ] && [ "$(id -u)" -eq 0 ]; then
  exec env QV_CI_UNSHARED=1 unshare --mount --propagation private "$0" "$@"
fi

suite=bookworm
cache="${QV_CI_CACHE:-/var/cache/quorvelia-ci}"
out="$PWD/build-ci-chroot"

stamp() { echo "=== $(date '+%H:%M:%S') $*"; }

# The first URI of an enabled "deb" entry for the given suite, from one-line
# (.list) and deb822 (.sources) files.
apt_uri() {
  local want=$1 f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    awk -v want="$want" '
      $1 == "deb" {
        i = 2
        if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
        if ($(i + 1) == want) { print $i; exit }
      }' "$f"
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v want="$want" 'BEGIN { RS = ""; FS = "\n" }
      {
        types = ""; uris = ""; suites = ""; enabled = "yes"
        for (j = 1; j <= NF; j++) {
          if ($j ~ /^[ \t]*#/ || index($j, ":") == 0) continue
          key = tolower(substr($j, 1, index($j, ":") - 1))
          value = substr($j, index($j, ":") + 1)
          gsub(/^[ \t]+|[ \t]+$/, "", value)
          if (key == "types") types = value
          else if (key == "uris") uris = value
          else if (key == "suites") suites = value
          else if (key == "enabled") enabled = tolower(value)
        }
        if (enabled != "no" && (" " types " ") ~ / deb / && (" " suites " ") ~ (" " want " ")) {
          split(uris, u, " "); print u[1]; exit
        }
      }' "$f"
  done
}

[ "$(id -u)" -eq 0 ] || { echo "ci-chroot: run as root" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "ci-chroot: debootstrap is not installed" >&2; exit 1; }
mirror=$(apt_uri "$suite" | head -n1)
security=$(apt_uri "$suite-security" | head -n1)
[ -n "$mirror" ] || { echo "ci-chroot: no apt source for $suite on this machine" >&2; exit 1; }

mkdir -p "$cache/debootstrap" "$cache/apt" "$out"
root=$(mktemp -d /var/tmp/quorvelia-ci.XXXXXX)

# Processes left in the chroot would keep it busy; they are this run's own.
kill_chroot_processes() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -KILL "${p#/proc/}" 2>/dev/null || true
  done
}
unmount_all() {
  local m
  for m in var/cache/apt/archives dev/shm dev/pts dev sys proc; do
    if mountpoint -q "$root/$m"; then umount "$root/$m" 2>/dev/null || umount -l "$root/$m"; fi
  done
}
cleanup() {
  kill_chroot_processes
  unmount_all
  # --one-file-system: should a mount have survived, its contents stay untouched.
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start=$SECONDS
stamp "debootstrap --variant=minbase $suite from $mirror into $root"
include=""
case "$mirror" in https:*) include="--include=ca-certificates" ;; esac
debootstrap --variant=minbase $include --cache-dir="$cache/debootstrap" "$suite" "$root" "$mirror" >"$out/debootstrap.log" 2>&1 \
  || { tail -n 30 "$out/debootstrap.log"; exit 1; }
stamp "debootstrap took $((SECONDS - start)) s"

{
  echo "deb $mirror $suite main"
  echo "deb $mirror $suite-updates main"
  [ -z "$security" ] || echo "deb $security $suite-security main"
} >"$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Package scripts must not start services in the chroot, and dpkg need not
# sync every file of a tree that is thrown away.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/ci-unsafe-io"

# Only what is committed goes in.
head=$(git rev-parse HEAD)
git clone --quiet --no-hardlinks --no-checkout "$PWD" "$root/src/quorvelia"
git -C "$root/src/quorvelia" checkout --quiet --detach "$head"
stamp "cloned $head"

mount --bind /proc "$root/proc"
mount --bind /sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount --bind /dev/shm "$root/dev/shm"
mount --bind "$cache/apt" "$root/var/cache/apt/archives"

in_chroot() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /src/quorvelia && $1"
}

step=$SECONDS
stamp "./scripts/test.sh in the chroot"
in_chroot ./scripts/test.sh
stamp "test.sh took $((SECONDS - step)) s"

stamp "starting the program under Xvfb"
in_chroot '
  set -u
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
    ./build/app/quorvelia 2>build/start.log & pid=\$!
    sleep 5
    if ! kill -0 \$pid 2>/dev/null; then
      wait \$pid; echo \"the program ended within 5 s (exit \$?)\"; cat build/start.log; exit 1
    fi
    ffmpeg -loglevel error -f x11grab -video_size 1024x768 -i \"\$DISPLAY\" -frames:v 1 -y build/start.png
    kill \$pid; wait \$pid || true
  "
  echo "the program ran for 5 s; what it wrote:"; cat build/start.log
  rc=0; out=$(DISPLAY=nohost.invalid:0 ./build/app/quorvelia 2>&1) || rc=$?
  echo "DISPLAY=nohost.invalid:0: exit $rc: $out"
  [ "$rc" -eq 1 ] && [ "$(printf "%s\n" "$out" | wc -l)" -eq 1 ]
'
cp "$root/src/quorvelia/build/start.png" "$out/start.png"
stamp "chroot run took $((SECONDS - start)) s in all"
