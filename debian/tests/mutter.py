"""GNOME's compositor for the tests: mutter headless, with Xwayland, as a GNOME session has them,
and keys typed into it as a remote desktop client types them."""

import glob
import os
import subprocess
import sys
import tempfile
import time

from gi.repository import Gio, GLib

INSIDE = "KESTRAVA_TEST_IN_MUTTER"


def run_inside_mutter():
    """Runs the test again inside a headless mutter, with Xwayland where the program would take
    it, and ends with its status; returns where it already runs there. A compositor that does not
    start is a failure."""
    if os.environ.get(INSIDE):
        open(os.path.join(os.environ["XDG_RUNTIME_DIR"], "started"), "w").close()
        return
    # Xwayland only where the program would take it: elsewhere a GNOME session's Xwayland changes
    # nothing for it, and a testbed's /tmp/.X11-unix may not be ours to make as mutter wants it.
    xwayland = expected_platform() == "xcb"
    if xwayland:
        # Its sockets go where every X server's do; mutter starts Xwayland only where that folder
        # is as X servers make it, writable by all and sticky. A testbed may have none yet.
        os.makedirs("/tmp/.X11-unix", exist_ok=True)
        os.chmod("/tmp/.X11-unix", 0o1777)
    with tempfile.TemporaryDirectory() as runtime:
        os.chmod(runtime, 0o700)
        env = dict(os.environ, XDG_RUNTIME_DIR=runtime, XDG_CURRENT_DESKTOP="GNOME",
                   XDG_SESSION_TYPE="wayland", **{INSIDE: "1"})
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            env.pop(name, None)
        status = subprocess.run(["mutter", "--headless", "--wayland", "--virtual-monitor",
                                 "1280x1024", *([] if xwayland else ["--no-x11"]), "--",
                                 *sys.argv], env=env).returncode
        if os.path.exists(os.path.join(runtime, "started")):
            sys.exit(status)
    print(f"FAIL: mutter could not start a headless compositor (status {status})", flush=True)
    sys.exit(1)


# The names Qt gives a decoration made for GNOME ("adwaita" from Qt 6.8, "gnome" later), as the
# program looks for them.
GNOME_DECORATIONS = ("adwaita", "gnome")


def gnome_decoration():
    """Whether Qt has a decoration made for GNOME."""
    return any(glob.glob(f"/usr/lib/*/qt6/plugins/wayland-decoration-client/*{name}*")
               for name in GNOME_DECORATIONS)


def expected_platform():
    """The platform kestrava takes on GNOME: X11 where Qt's only decoration would offer minimise
    and maximise, Wayland where Qt has one made for GNOME."""
    return "wayland" if gnome_decoration() else "xcb"


def qt_plugins(pid):
    """The Qt plugins a process has loaded, by file name."""
    with open(f"/proc/{pid}/maps") as maps:
        return {line.rsplit("/", 1)[-1].strip() for line in maps if "/plugins/" in line}


def platform_of(pid):
    """The Qt platform a process runs on, once it has loaded one."""
    plugins = qt_plugins(pid)
    if "libqxcb.so" in plugins:
        return "xcb"
    return "wayland" if any("wayland" in plugin for plugin in plugins) else None


class RemoteDesktop:
    """Keys typed into the compositor's own seat, as a remote desktop client would. A session
    belongs to the connection that made it, so one object types every key."""

    SERVICE, PATH = "org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop"
    KEYSYMS = {"space": 0x20}

    def __init__(self):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        self.session = self.call(self.PATH, "", "CreateSession", None, "(o)")[0]
        self.call(self.session, ".Session", "Start")

    def call(self, path, interface, method, arguments=None, reply=None):
        return self.bus.call_sync(self.SERVICE, path, self.SERVICE + interface, method, arguments,
                                  reply and GLib.VariantType(reply), Gio.DBusCallFlags.NONE,
                                  5000, None)

    def point_at(self, x, y):
        """The pointer to (x, y) of the screen: up to its top left corner first, where it stops,
        since the interface moves it only relatively where no screen cast tells it where."""
        for dx, dy in [(-10_000, -10_000), (x, y)]:
            self.call(self.session, ".Session", "NotifyPointerMotionRelative",
                      GLib.Variant("(dd)", (dx, dy)))
        # A hand rests there a moment before it clicks: a press in the same millisecond as the
        # pointer's entry into a window can reach the window before the entry does.
        time.sleep(0.3)

    def click(self):
        for pressed in (True, False):
            self.call(self.session, ".Session", "NotifyPointerButton",
                      GLib.Variant("(ib)", (0x110, pressed)))  # BTN_LEFT

    def press(self, key):
        """One key, named as xdotool names it ("a", "space")."""
        keysym = self.KEYSYMS[key] if key in self.KEYSYMS else ord(key)
        for pressed in (True, False):
            self.call(self.session, ".Session", "NotifyKeyboardKeysym",
                      GLib.Variant("(ub)", (keysym, pressed)))
