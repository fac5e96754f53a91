#!/usr/bin/env bash
# Checks the Debian package the way a user meets it, on a fresh Debian 12
# system that debootstrap makes in a temporary folder outside the repository:
# - `apt install ./<file>.deb` installs it with everything it depends on;
# - the program, started as a user by the desktop entry's Exec line (its file
#   argument left out) on an Xvfb display of its own, shows its main window
#   and keeps running;
# - `apt remove`, then `apt purge`, leave no file or folder of the package
#   (a folder another package also owns stays, as it should).
# The system is the smallest debootstrap makes (minbase), so every library,
# plugin and face the program needs must come through the package's
# dependencies. Needs root (debootstrap, chroot, mount) and Debian's mirror;
# takes a few minutes, most of it debootstrap and apt downloading, so
# scripts/test.sh does not run it.
#   scripts/check-package.sh [file.deb]        (default: makes one with scripts/package.sh)
# ORVANE_CHECK_MIRROR: the Debian mirror (default http://deb.debian.org/debian).
# ORVANE_CHECK_BASE: a folder made before with `debootstrap --variant=minbase
#   bookworm <folder>`, copied instead of making the system afresh (saves the
#   download when checking again; the folder itself is left as it is).
# ORVANE_CHECK_SHOT: where to save a picture of the screen with the program on it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "$(id -u)" -ne 0 ]; then
    echo "scripts/check-package.sh makes a Debian system with debootstrap and chroot: run it as root" >&2
    exit 2
fi
# debootstrap makes the system; Xvfb is the display the program shows on, and
# xdotool finds its window there.
ensure_packages debootstrap xvfb xdotool
if [ -n "${ORVANE_CHECK_SHOT:-}" ]; then
    ensure_packages imagemagick
fi

if [ $# -ge 1 ]; then
    DEB="$(realpath "$1")"
else
    DEB="$("$ROOT/scripts/package.sh" | tee /dev/stderr | sed -n 's/^Package: //p')"
fi
if [ ! -f "$DEB" ]; then
    echo "No package: $DEB" >&2
    exit 1
fi
MIRROR="${ORVANE_CHECK_MIRROR:-http://deb.debian.org/debian}"
NAME=orvane-map-editor

TARGET="$(mktemp -d /var/tmp/orvane-package-check.XXXXXX)"
# The system's root folder, open to its users as / is (mktemp makes it private).
chmod 0755 "$TARGET"
XVFB_PID=""
PROGRAM_PID=""
cleanup() {
    if [ -n "$PROGRAM_PID" ]; then
        kill "$PROGRAM_PID" 2>/dev/null || true
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
    fi
    if mountpoint -q "$TARGET/proc" && ! umount "$TARGET/proc"; then
        echo "$TARGET/proc is still mounted: $TARGET is left for you to remove" >&2
        return
    fi
    rm -rf --one-file-system "$TARGET"
}
trap cleanup EXIT
in_target() {
    chroot "$TARGET" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"
}

if [ -n "${ORVANE_CHECK_BASE:-}" ]; then
    echo "== copy of $ORVANE_CHECK_BASE into $TARGET"
    cp -a "$ORVANE_CHECK_BASE/." "$TARGET/"
else
    echo "== debootstrap bookworm (minbase) into $TARGET"
    debootstrap --variant=minbase bookworm "$TARGET" "$MIRROR" >"$TARGET.debootstrap.log" 2>&1 || {
        tail -20 "$TARGET.debootstrap.log" >&2
        rm -f "$TARGET.debootstrap.log"
        exit 1
    }
    rm -f "$TARGET.debootstrap.log"
fi
mount -t proc proc "$TARGET/proc"
# The updates a fresh installation takes from its sources, as the installer writes them.
cat >"$TARGET/etc/apt/sources.list" <<SOURCES
deb $MIRROR bookworm main
deb $MIRROR bookworm-updates main
deb http://security.debian.org/debian-security bookworm-security main
SOURCES
in_target apt-get update -qq
in_target useradd --create-home player
# What a desktop session gives its programs: a private runtime folder.
PLAYER_UID="$(in_target id -u player)"
install -d -m 0700 -o "$PLAYER_UID" -g "$(in_target id -g player)" "$TARGET/run/user/$PLAYER_UID"

echo "== apt install ./$(basename "$DEB")"
cp "$DEB" "$TARGET/tmp/"
in_target sh -c "cd /tmp && apt install -y -q ./$(basename "$DEB")" >"$TARGET/tmp/install.log" 2>&1 || {
    cat "$TARGET/tmp/install.log" >&2
    exit 1
}
grep -E 'newly installed' "$TARGET/tmp/install.log"
in_target dpkg -s "$NAME" | grep -E '^(Status|Version|Depends|Recommends):'
in_target dpkg -L "$NAME" >"$TARGET/tmp/package-files"
echo "$(grep -c . "$TARGET/tmp/package-files") paths installed"

echo "== the desktop entry's Exec line"
ENTRY="$(grep '\.desktop$' "$TARGET/tmp/package-files")"
EXEC="$(sed -n 's/^Exec=//p' "$TARGET$ENTRY")"
# The desktop's launcher replaces the field codes (%f: the file opened); none is given here.
COMMAND="$(sed -E 's/ ?%[fFuUdDnNickvm]//g' <<<"$EXEC")"
echo "$ENTRY: Exec=$EXEC -> $COMMAND"
DISPLAY_FILE="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$DISPLAY_FILE" 2>/dev/null &
XVFB_PID=$!
for _ in $(seq 50); do
    [ -s "$DISPLAY_FILE" ] && break
    sleep 0.1
done
DISPLAY_NUMBER="$(cat "$DISPLAY_FILE")"
rm -f "$DISPLAY_FILE"
# The chroot reaches the display through the X server's abstract socket,
# which belongs to the network and not to the file system.
# shellcheck disable=SC2086 # the Exec line is split into words, as a launcher does
chroot --userspec=player:player "$TARGET" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/home/player \
    XDG_RUNTIME_DIR="/run/user/$PLAYER_UID" DISPLAY=":$DISPLAY_NUMBER" LANG=C.UTF-8 $COMMAND >"$TARGET/tmp/program.log" 2>&1 &
PROGRAM_PID=$!
if ! WINDOW="$(DISPLAY=":$DISPLAY_NUMBER" timeout 60 xdotool search --sync --onlyvisible --classname "$NAME" | head -1)"; then
    echo "FAILED: no window of the program appeared; it wrote:" >&2
    cat "$TARGET/tmp/program.log" >&2
    exit 1
fi
sleep 2
if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
    echo "FAILED: the program ended after showing its window; it wrote:" >&2
    cat "$TARGET/tmp/program.log" >&2
    exit 1
fi
echo "window \"$(DISPLAY=":$DISPLAY_NUMBER" xdotool getwindowname "$WINDOW")\" shown"
if [ -n "${ORVANE_CHECK_SHOT:-}" ]; then
    DISPLAY=":$DISPLAY_NUMBER" import -window root "$ORVANE_CHECK_SHOT"
fi
kill "$PROGRAM_PID"
wait "$PROGRAM_PID" 2>/dev/null || true
PROGRAM_PID=""
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
XVFB_PID=""
if [ -s "$TARGET/tmp/program.log" ]; then
    echo "the program wrote:"
    cat "$TARGET/tmp/program.log"
fi

# Every path of the package that is still there: a file is left behind; a
# folder is left behind unless another package owns it too.
left_behind() {
    local path failed=0
    while IFS= read -r path; do
        if [ "$path" = "/." ]; then
            continue
        fi
        if [ ! -e "$TARGET$path" ] && [ ! -L "$TARGET$path" ]; then
            continue
        fi
        if [ -d "$TARGET$path" ] && [ ! -L "$TARGET$path" ] && in_target dpkg-query -S "$path" >/dev/null 2>&1; then
            continue
        fi
        echo "left behind: $path" >&2
        failed=1
    done <"$TARGET/tmp/package-files"
    if compgen -G "$TARGET/var/lib/dpkg/info/$NAME.*" >/dev/null; then
        echo "left behind: dpkg's records $(cd "$TARGET/var/lib/dpkg/info" && echo $NAME.*)" >&2
        failed=1
    fi
    return $failed
}

for action in remove purge; do
    echo "== apt $action $NAME"
    in_target apt "$action" -y -q "$NAME" 2>/dev/null | grep -E '^(Removing|Purging) ' || true
    if in_target dpkg-query -W -f='${db:Status-Status}\n' "$NAME" 2>/dev/null | grep -qv '^not-installed$'; then
        echo "FAILED: dpkg still lists $NAME after apt $action" >&2
        exit 1
    fi
    left_behind || { echo "FAILED: apt $action left files of the package" >&2; exit 1; }
    echo "no file of the package is left"
done

echo "== passed in ${SECONDS} s"
