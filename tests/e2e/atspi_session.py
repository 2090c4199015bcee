"""A private D-Bus session with the accessibility bus on it, and a screen reader's view through AT-SPI.

pyatspi reads the session bus address when it is first imported, so the session starts before the
import; run_e2e.py starts a Python that has pyatspi for the cases that need it."""

import os
import shutil
import subprocess

from xsession import E2EFailure, stop_process, wait_until

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def pyatspi_missing_reason():
    """Why the screen-reader case cannot run here, or None."""
    if shutil.which("dbus-daemon") is None:
        return "dbus-daemon not installed (package dbus)"
    if not os.access(BUS_LAUNCHER, os.X_OK):
        return "at-spi-bus-launcher not installed (package at-spi2-core)"
    try:
        import gi  # noqa: F401
        import pyatspi  # noqa: F401  (only probes; importing it early is harmless before a session exists)
    except ImportError:
        return "pyatspi not importable (package python3-pyatspi)"
    return None


class AtspiSession:
    """dbus-daemon and at-spi-bus-launcher of our own; the game started with env() joins them."""

    def __init__(self, scratch, display):
        self.scratch = scratch
        self.display = display
        self.bus = None
        self.launcher = None
        self.address = None
        self.pyatspi = None

    def start(self):
        log = open(os.path.join(self.scratch, "dbus.log"), "wb")
        self.bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                    stdout=subprocess.PIPE, stderr=log, stdin=subprocess.DEVNULL)
        log.close()
        self.address = self.bus.stdout.readline().decode().strip()
        if not self.address:
            raise E2EFailure("dbus-daemon did not print its address (see dbus.log)")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.address
        with open(os.path.join(self.scratch, "atspi.log"), "wb") as log:
            self.launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=self.env(),
                                             stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        import pyatspi
        self.pyatspi = pyatspi

    def stop(self):
        stop_process(self.launcher)
        stop_process(self.bus)

    def env(self):
        return {"DBUS_SESSION_BUS_ADDRESS": self.address, "DISPLAY": self.display,
                "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}

    # What the screen reader sees.
    def application(self, name="hopnix", timeout=10.0):
        def probe():
            desktop = self.pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.name == name:
                    return app
            return None
        return wait_until(f"the application \"{name}\" on the accessibility bus", probe, timeout)

    def find(self, root, predicate, depth=8):
        """The first accessible under root, depth first, for which predicate holds."""
        if root is None or depth < 0:
            return None
        if predicate(root):
            return root
        for i in range(root.childCount):
            found = self.find(root.getChildAtIndex(i), predicate, depth - 1)
            if found is not None:
                return found
        return None

    def named(self, root, name, role=None):
        return self.find(root, lambda a: a.name == name and (role is None or a.getRoleName() == role))

    def focused(self, acc):
        return acc.getState().contains(self.pyatspi.STATE_FOCUSED)

    def texts(self, root):
        """Every name under root, in tree order."""
        names = []
        self.find(root, lambda a: names.append(a.name) and False)
        return names

    def listen(self):
        """Records focus moves and renamings from now on, by the name of the object."""
        self.focus_events = []
        self.name_events = []

        def focus(event):
            if event.detail1:
                self.focus_events.append(event.source.name)

        def renamed(event):
            self.name_events.append(event.source.name)
        self.pyatspi.Registry.registerEventListener(focus, "object:state-changed:focused")
        self.pyatspi.Registry.registerEventListener(renamed, "object:property-change:accessible-name")

    def pump(self):
        from gi.repository import GLib
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass

    def labelled_by(self, acc):
        for relation in acc.getRelationSet():
            if relation.getRelationType() == self.pyatspi.RELATION_LABELLED_BY:
                return [relation.getTarget(i).name for i in range(relation.getNTargets())]
        return []
