#!/bin/sh
# Takes the compositor away under the running program, as when a Wayland session crashes: the
# program ends at once, with status 1 and one line that says why, as it does when its X server
# goes. The compositor is a headless weston of the test's own.
#   check_compositor_gone.sh PROGRAM
set -u
program=$1
if ! command -v weston >/dev/null; then
    echo "skipped: weston is not installed"
    exit 0
fi
run=$(mktemp -d)
export XDG_RUNTIME_DIR="$run"
weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 --no-config \
    >"$run/weston.log" 2>&1 &
compositor=$!
trap 'kill -9 $compositor 2>/dev/null; rm -rf "$run"' EXIT

# Waits up to ten seconds for a condition, in tenths of a second.
within_ten_seconds() {
    tenths=0
    until eval "$1"; do
        tenths=$((tenths + 1))
        [ $tenths -lt 100 ] || return 1
        sleep 0.1
    done
}
if ! within_ten_seconds '[ -S "$run/wayland-test" ]'; then
    echo "weston did not start:" && cat "$run/weston.log"
    exit 1
fi
env -u DISPLAY -u QT_QPA_PLATFORM -u WAYLAND_SOCKET WAYLAND_DISPLAY=wayland-test "$program" \
    2>"$run/said" &
kestrava=$!
# Each client the compositor has accepted is one more socket on its path.
within_ten_seconds '[ $(grep -c " $run/wayland-test\$" /proc/net/unix) -ge 2 ]' ||
    { echo "kestrava did not connect to weston"; exit 1; }
sleep 3 # the splash has gone and the main window shows
before=$(stat -c %s "$run/said")
kill -9 $compositor
start=$(date +%s%N)
within_ten_seconds '! kill -0 $kestrava 2>/dev/null' || { echo "kestrava did not end"; exit 1; }
wait $kestrava
status=$?
echo "kestrava ended $((($(date +%s%N) - start) / 1000000)) ms after the compositor, with status" \
    "$status, and said:"
tail -c +$((before + 1)) "$run/said" | tee "$run/said-after"
[ $status -eq 1 ] && [ "$(grep -c . "$run/said-after")" -eq 1 ]
