#!/usr/bin/env bash
# Runs a command as from a terminal on a player's desktop, and fails if anything it started
# reached that desktop. The desktop's display (X11 and Wayland), session bus and sound server
# (PulseAudio and PipeWire) are stand-ins: sockets where the real ones would be, named by the
# same variables, each of which records whoever connects and hangs up. The suites must pass with
# these set and leave all of them untouched, as they would leave a real desktop.
# Usage: from_a_desktop.sh command [argument...]
set -u
desktop=$(mktemp -d)
trap 'kill $watcher 2>/dev/null; rm -rf "$desktop"' EXIT
mkdir -m 700 "$desktop/runtime" "$desktop/runtime/pulse"

# A display number that no X server uses, with its socket in the file system and in the
# abstract namespace, where X clients look first.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
mkdir -p /tmp/.X11-unix
sockets=("/tmp/.X11-unix/X$display" "@/tmp/.X11-unix/X$display" "$desktop/runtime/wayland-0"
    "$desktop/runtime/bus" "$desktop/runtime/pulse/native" "$desktop/runtime/pipewire-0")

python3 - "$desktop/touched" "${sockets[@]}" <<'PY' &
import os, selectors, socket, sys
log, paths = sys.argv[1], sys.argv[2:]
sel = selectors.DefaultSelector()
for path in paths:
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.bind("\0" + path[1:] if path.startswith("@") else path)
    s.listen(16)
    sel.register(s, selectors.EVENT_READ, path)
open(log + ".ready", "w").close()
while True:
    for key, _ in sel.select():
        conn, _ = key.fileobj.accept()
        conn.close()
        with open(log, "a") as f:
            f.write(key.data + "\n")
PY
watcher=$!
for _ in $(seq 100); do [ -e "$desktop/touched.ready" ] && break; sleep 0.1; done
[ -e "$desktop/touched.ready" ] || { echo "FAIL: the stand-in desktop did not start" >&2; exit 1; }

status=0
env -u PULSE_SERVER -u ALSA_CONFIG_PATH DISPLAY=":$display" WAYLAND_DISPLAY=wayland-0 \
    XDG_SESSION_TYPE=wayland XDG_RUNTIME_DIR="$desktop/runtime" \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$desktop/runtime/bus" "$@" || status=$?
rm -f "/tmp/.X11-unix/X$display"

if [ -s "$desktop/touched" ]; then
    echo "FAIL: the command reached the desktop it was started from:" >&2
    sort "$desktop/touched" | uniq -c >&2
    exit 1
fi
echo "The desktop was left untouched."
exit "$status"
