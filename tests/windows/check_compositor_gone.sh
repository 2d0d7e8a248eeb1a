#!/bin/sh
# Kills a headless weston under the running program, as when a Wayland session crashes: the
# program must end at once, with status 1 and one line that says why, as when its X server goes.
#   check_compositor_gone.sh PROGRAM
command -v weston >/dev/null || { echo "skipped: weston is not installed"; exit 0; }
program=$(readlink -f "$1")
export XDG_RUNTIME_DIR="$(mktemp -d)"
cd "$XDG_RUNTIME_DIR" || exit 1
weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 --no-config 2>weston &
weston=$!
trap 'kill -9 $weston 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT
# Waits for a condition, up to ten seconds; else says why, read when it gives up.
until_true() {
    for _ in $(seq 100); do eval "$1" && return; sleep 0.1; done
    eval "echo \"$2\""
    exit 1
}
until_true '[ -S wayland-test ]' 'weston did not start: $(cat weston)'
env -u DISPLAY -u QT_QPA_PLATFORM -u WAYLAND_SOCKET WAYLAND_DISPLAY=wayland-test "$program" \
    2>said &
kestrava=$!
# Each client the compositor accepts is one more socket on its path.
until_true '[ $(grep -c " $PWD/wayland-test\$" /proc/net/unix) -ge 2 ]' "kestrava did not connect"
sleep 3 # until the splash has gone and the main window shows
before=$(stat -c %s said)
kill -9 $weston
start=$(date +%s%N)
until_true '! kill -0 $kestrava 2>/dev/null' "kestrava did not end"
wait $kestrava
status=$?
echo "kestrava ended $((($(date +%s%N) - start) / 1000000)) ms after weston, with $status, saying:"
tail -c +$((before + 1)) said | tee after
[ $status -eq 1 ] && [ "$(grep -c . after)" -eq 1 ]
